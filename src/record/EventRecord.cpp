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

// A file that is full becomes the older record before the line goes into a new one. When it
// cannot be retired the line is dropped: the bound holds whatever happens.
void TEventRecord::Write(std::string_view event) noexcept {
    try {
        const std::string line = Line(Store_.Now(), ProcessId_, event);
        std::unique_ptr<platform::RecordFile> file = Store_.Open();
        if (file == nullptr) return;
        const std::uint64_t size = file->Size();
        if (size > 0 && size + line.size() > MaxFileBytes) {
            if (!file->Retire()) return;
            file = Store_.Open();
            if (file == nullptr) return;
        }
        file->Append(line);
    } catch (...) {
        // Out of memory, or a system call that threw: the run goes on without this line.
    }
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
