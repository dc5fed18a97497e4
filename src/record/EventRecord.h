// The logon record: what each run of corvane.exe did, one line per event, appended to
// %LOCALAPPDATA%\Corvane\logon.log as it happens, so that a launcher killed at any moment leaves
// every line up to its end. Each line is the local date and time with milliseconds, the process
// id in brackets and the event:
//
//     2026-12-09 08:01:02.345 [1234] chooser: "Alt" by Enter
//
// The record never fails the run: a line that cannot be written (no folder, a read-only or
// locked file, another writer's turn that lasts too long) is dropped without a word, and the
// next line written says how many were dropped before it. A line is whole or absent: one that a
// full disk cuts short is completed or taken back. The record stays within MaxFileBytes: when a
// line would take the file past that, the file becomes logon.log.1 (replacing an older one) and
// a new one begins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/RecordStore.h"

namespace corvane {

// Writes one event into the logon record of the running program, from anywhere in the launcher:
// a text without its time (the record adds that); line breaks in it become " / ". Does nothing
// when the program keeps no record (corvane-check, unit tests without one); never throws.
void RecordEvent(std::string_view event) noexcept;

class TEventRecord {
public:
    // No file of the record grows past this many bytes.
    static constexpr std::uint64_t MaxFileBytes = 1048576;
    // An event is cut after this many bytes (and marked so), so that no line alone fills a file.
    static constexpr std::size_t MaxEventBytes = 4096;
    static constexpr std::string_view CutMark = "...";
    // What stands for a line break of an event's text, and what ends each line of the record.
    static constexpr std::string_view LineBreak = " / ";
    static constexpr std::string_view LineEnd = "\r\n";

    TEventRecord(platform::RecordStore& store, std::uint32_t processId) : Store_(store), ProcessId_(processId) {}

    // Makes record the one that RecordEvent writes to (null: none); returns the one before.
    static TEventRecord* Use(TEventRecord* record);

    // Appends the event's line, beginning a new file first when it would not fit, after the
    // line that counts the lines dropped since the last one written; drops it (and counts it)
    // when that cannot be done.
    void Write(std::string_view event) noexcept;
    // The line that counts the lines dropped before it: "3 lines were dropped".
    static std::string DroppedEvent(std::uint64_t dropped);

    // The whole line of an event at a time, its end included.
    static std::string Line(const platform::LocalTime& time, std::uint32_t processId, std::string_view event);
    // The text as one line: each CR LF, CR or LF becomes LineBreak (blank lines and blanks around
    // the line breaks go), other control characters blanks; cut after MaxEventBytes.
    static std::string OneLine(std::string_view text);

private:
    // Appends the lines whole, or nothing of them; false when they could not be written.
    bool Append(const std::string& lines);

    platform::RecordStore& Store_;
    std::uint32_t ProcessId_;
    std::uint64_t Dropped_ = 0; // lines dropped since the last one written
    bool Torn_ = false;         // a write cut short that could not be taken back left part of a line
};

} // namespace corvane
