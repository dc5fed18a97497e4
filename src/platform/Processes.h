// Processes of the running system: this program's own, others by their id and start time, and
// new ones that the launcher starts without a window (its guard).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvane::platform {

// A process named so that a reused process id does not count as the same process.
struct ProcessIdentity {
    std::uint32_t Id = 0;
    std::uint64_t StartTime = 0; // the system's creation time of the process
    friend bool operator==(const ProcessIdentity&, const ProcessIdentity&) = default;
};

class Processes {
public:
    virtual ~Processes() = default;

    // This process.
    virtual ProcessIdentity Current() = 0;
    // The running process of this id; nothing when none runs.
    virtual std::optional<ProcessIdentity> Identify(std::uint32_t id) = 0;
    // True while the process of this id runs and started at this time.
    virtual bool IsRunning(const ProcessIdentity& process) = 0;
    // Waits until the process has ended (or was never running), at most timeoutMs; true when it
    // has ended.
    virtual bool WaitForEnd(const ProcessIdentity& process, std::uint32_t timeoutMs) = 0;
    // Starts the program at exe with the argument text and does not wait for it; false when it
    // cannot be started.
    virtual bool Start(const std::string& exe, const std::string& arguments) = 0;
};

} // namespace corvane::platform
