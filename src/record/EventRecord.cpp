#include "record/EventRecord.h"

#include <cstdio>


namespace corvane {

namespace {
TEventRecord* inUse = nullptr;
} // namespace

void RecordEvent(std::string_view event) noexcept {
    if (inUse != nullptr) inUse->Write(event);
}

TEventRecord* TEventRecord::Use(TEventRecord* record) {
    TEventRecord* previous = inUse;
    inUse = record;
    return previous;
}

// The count of dropped lines goes in the same write as the line after them, so that both or
// neither are in the file.
void TEventRecord::Write(std::string_view event) noexcept {
    try {
        const platform::LocalTime now = Store_.Now();
        std::string lines = Torn_ ? std::string(LineEnd) : std::string();
        if (Dropped_ > 0) lines += Line(now, ProcessId_, DroppedEvent(Dropped_));
        lines += Line(now, ProcessId_, event);
        if (Append(lines)) {
            Dropped_ = 0;
            Torn_ = false;
            return;
        }
    } catch (...) {
        // Out of memory, or a system call that threw: the run goes on without this line.
    }
    ++Dropped_;
}

std::string TEventRecord::DroppedEvent(std::uint64_t dropped) {
    return std::to_string(dropped) + (dropped == 1 ? " line was dropped" : " lines were dropped");
}

// A file that is full becomes the older record before the lines go into a new one; when it
// cannot be retired they are dropped, so the bound holds whatever happens. A write that the
// disk cuts short is carried on with the rest, and what it wrote is taken back when the rest
// does not go in either (a part that stays is ended before the next lines).
bool TEventRecord::Append(const std::string& lines) {
    std::unique_ptr<platform::RecordFile> file = Store_.Open();
    if (file == nullptr) return false;
    std::uint64_t size = file->Size();
    if (size > 0 && size + lines.size() > MaxFileBytes) {
        if (!file->Retire()) return false;
        file = Store_.Open();
        if (file == nullptr) return false;
        size = file->Size();
    }
    std::size_t written = 0;
    while (written < lines.size()) {
        const std::size_t more = file->Append(std::string_view(lines).substr(written));
        if (more == 0) break;
        written += more;
    }
    if (written == lines.size()) return true;
    if (written > 0 && !file->TakeBack(size)) Torn_ = true;
    return false;
}

std::string TEventRecord::Line(const platform::LocalTime& time, std::uint32_t processId, std::string_view event) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d.%03d [%lu] ", time.Year, time.Month, time.Day,
                  time.Hour, time.Minute, time.Second, time.Millisecond, static_cast<unsigned long>(processId));
    std::string line = stamp;
    line += OneLine(event);
    line += LineEnd;
    return line;
}

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsBreak(char c) { return c == '\r' || c == '\n'; }
} // namespace

std::string TEventRecord::OneLine(std::string_view text) {
    std::string result;
    bool broken = false; // a line break since the last character kept
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsBreak(text[i])) {
            while (!result.empty() && IsBlank(result.back())) result.pop_back();
            while (i < text.size() && (IsBreak(text[i]) || IsBlank(text[i]))) ++i;
            broken = !result.empty();
            continue;
        }
        if (broken) {
            result += LineBreak;
            broken = false;
        }
        const unsigned char c = static_cast<unsigned char>(text[i]);
        result += c < 0x20 || c == 0x7F ? ' ' : text[i];
        ++i;
        if (result.size() > MaxEventBytes) {
            result.resize(MaxEventBytes);
            result += CutMark;
            return result;
        }
    }
    return result;
}

} // namespace corvane
