// What the logon record (TEventRecord) needs of the system: the local clock and the record's
// file, opened anew for every line so that a launcher killed at any moment leaves every line it
// wrote before.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace corvane::platform {

// A moment of the local clock, as the user's clock shows it.
struct LocalTime {
    int Year = 0;
    int Month = 0; // 1 to 12
    int Day = 0;   // 1 to 31
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

// One opening of the record's file for appending, during which this writer has its turn: no
// other writer of the record writes, takes back or retires meanwhile. It is closed when the
// object goes.
class RecordFile {
public:
    virtual ~RecordFile() = default;
    // The file's size in bytes as it is now (other launchers append to it as well).
    virtual std::uint64_t Size() = 0;
    // Appends the bytes at the file's end in one write; how many of them were written (fewer
    // when the disk is full, none when the write failed).
    virtual std::size_t Append(std::string_view bytes) = 0;
    // Cuts the file back to size bytes, so that what a write cut short added goes again; false
    // when that was refused.
    virtual bool TakeBack(std::uint64_t size) = 0;
    // Makes this very file, through its opening and never by its name, the older record,
    // replacing the older one before it, so that the next Open begins a new file; false when
    // that was refused.
    virtual bool Retire() = 0;
};

class RecordStore {
public:
    // The record's file in the launcher's folder of the user's local application data, and the
    // older record that a full one becomes.
    static constexpr const char* FileName = "logon.log";
    static constexpr const char* OlderFileName = "logon.log.1";

    virtual ~RecordStore() = default;
    virtual LocalTime Now() = 0;
    // The record's file opened for appending, created with its folder when missing; null when it
    // cannot be (no folder for it, a read-only or locked file).
    virtual std::unique_ptr<RecordFile> Open() = 0;
};

} // namespace corvane::platform
