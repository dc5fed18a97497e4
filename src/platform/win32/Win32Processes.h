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
};

} // namespace corvane::platform::win32
