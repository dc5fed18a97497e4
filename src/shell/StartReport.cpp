#include "shell/StartReport.h"

#include "text/AsciiText.h"

namespace corvane {

namespace {
// The system's reason for a failed start, or that it gave none.
std::string ReasonOrNone(const std::string& reason) {
    return reason.empty() ? std::string("the system gave no reason.") : reason;
}
} // namespace

std::string StartFailedError(const std::string& path, const std::string& reason) {
    return "Could not start \"" + path + "\": " + ReasonOrNone(reason);
}

std::string ProgramStartEvent(const std::string& starter, const std::string& path, const std::string& parameters,
                              const platform::ProgramStart& start) {
    std::string event = starter + " " + Quoted(path) + (parameters.empty() ? "" : " " + parameters) + ": ";
    if (!start.Started) return event + "failed: " + ReasonOrNone(start.Reason);
    event += "started";
    if (start.Process) event += ", process " + std::to_string(start.Process->Identity().Id);
    return event;
}

} // namespace corvane
