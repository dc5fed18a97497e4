// The system's event log: the Application log that Windows' Event Viewer shows, where an
// administrator looks for the problems of every machine and collects them. Writing to it never
// fails the run.
#pragma once

#include <cstdint>
#include <string>

namespace corvane::platform {

// The source that Corvane's events carry in the log.
constexpr const char* EventSourceName = "Corvane";

enum class EventLevel { Information, Warning, Error };

class EventLog {
public:
    virtual ~EventLog() = default;

    // Writes one event with its identifier, whose message in the executable's message table
    // shows the text; an event that cannot be written is dropped.
    virtual void Report(EventLevel level, std::uint16_t id, const std::string& text) noexcept = 0;
};

} // namespace corvane::platform
