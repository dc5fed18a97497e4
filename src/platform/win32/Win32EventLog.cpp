#include "platform/win32/Win32EventLog.h"

#include <windows.h>

#include "platform/win32/Win32Text.h"

namespace corvane::platform::win32 {

namespace {
// ReportEvent takes no string longer than this many characters.
constexpr std::size_t MaxStringLength = 31839;

WORD TypeOf(EventLevel level) {
    switch (level) {
    case EventLevel::Error:
        return EVENTLOG_ERROR_TYPE;
    case EventLevel::Warning:
        return EVENTLOG_WARNING_TYPE;
    case EventLevel::Information:
        break;
    }
    return EVENTLOG_INFORMATION_TYPE;
}
} // namespace

// A source that is not registered still writes, and Event Viewer shows the text without the
// message; one that cannot be opened (the log's service stopped) drops the events of the run.
void Win32EventLog::Report(EventLevel level, std::uint16_t id, const std::string& text) noexcept {
    try {
        if (!Tried_) {
            Tried_ = true;
            Source_ = RegisterEventSourceW(nullptr, Wide(EventSourceName).c_str());
        }
        if (Source_ == nullptr) return;
        std::wstring wide = Wide(text);
        if (wide.size() > MaxStringLength) wide.resize(MaxStringLength);
        const wchar_t* strings[] = {wide.c_str()};
        ReportEventW(Source_, TypeOf(level), 0, id, nullptr, 1, 0, strings, nullptr);
    } catch (...) {
        // Out of memory: the event goes, the run goes on.
    }
}

} // namespace corvane::platform::win32
