// Processes of the running Windows system.
#pragma once

#include "platform/Processes.h"

namespace corvane::platform::win32 {

class Win32Processes final : public Processes {
public:
    ProcessIdentity Current() override;
    std::optional<ProcessIdentity> Identify(std::uint32_t id) override;
    bool IsRunning(const ProcessIdentity& process) override;
    bool WaitForEnd(const ProcessIdentity& process, std::uint32_t timeoutMs) override;
    bool Start(const std::string& exe, const std::string& arguments) override;
    std::string HoldName(const HeldProcess& process) override;
    bool StartHolding(const std::string& exe, const std::string& arguments, const HeldProcess& process) override;
    std::shared_ptr<HeldProcess> HeldBy(const std::string& name) override;
    std::optional<std::uint32_t> WaitForExitOrSessionEnd(HeldProcess& process) override;
};

} // namespace corvane::platform::win32
