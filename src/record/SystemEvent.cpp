#include "record/SystemEvent.h"

#include "platform/Platform.h"

namespace corvane {

void LogEvent(const TSystemEvent& event, const std::string& text) noexcept {
    if (platform::EventLog* log = platform::Current().eventLog) log->Report(event.Level, event.Id, text);
}

// The event goes first: a box waits for the user, and a launcher may be ended while it waits.
void ReportProblem(const TSystemEvent& event, const std::string& text) {
    LogEvent(event, text);
    platform::Messages().ShowMessage(text);
}

} // namespace corvane
