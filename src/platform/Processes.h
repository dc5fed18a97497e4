// Processes of the running system: this program's own, others by their id and start time, and
// new ones that the launcher starts without a window (its guard).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace corvane::platform {

// A process named so that a reused process id does not count as the same process.
struct ProcessIdentity {
    std::uint32_t Id = 0;
    std::uint64_t StartTime = 0; // the system's creation time of the process
    friend bool operator==(const ProcessIdentity&, const ProcessIdentity&) = default;
};

// A process that this program holds open: its end and its exit code stay known however soon it
// ends, and the hold can be handed to a program that this one starts.
class HeldProcess {
public:
    virtual ~HeldProcess() = default;
    virtual ProcessIdentity Identity() const = 0;
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

    // The word by which a program started with StartHolding finds the hold of process
    // (HeldBy); it goes on that program's command line.
    virtual std::string HoldName(const HeldProcess& process) = 0;
    // Starts like Start, the new program holding process as well.
    virtual bool StartHolding(const std::string& exe, const std::string& arguments, const HeldProcess& process) = 0;
    // The process that the program which started this one handed over under name; null when
    // the name holds none.
    virtual std::shared_ptr<HeldProcess> HeldBy(const std::string& name) = 0;
    // Waits until the process ends: its exit code, or nothing when the session's end (log off,
    // shut down) ended it. The wait holds up no end of the session and costs nothing meanwhile.
    virtual std::optional<std::uint32_t> WaitForExitOrSessionEnd(HeldProcess& process) = 0;
};

} // namespace corvane::platform
