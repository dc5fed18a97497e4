// The registry of the running Windows system.
#pragma once

#include "platform/RegistryAccess.h"

namespace corvane::platform::win32 {

class Win32Registry final : public RegistryAccess {
public:
    RegistryResult CreateKey(RegistryRoot root, const std::string& path) override;
    RegistryWrite SetValue(RegistryRoot root, const std::string& path, const std::string& name, std::uint32_t type,
                           const std::string& data) override;
    RegistryValue ReadValue(RegistryRoot root, const std::string& path, const std::string& name) override;
    std::vector<std::string> ValueNames(RegistryRoot root, const std::string& path) override;
    RegistryResult DeleteValue(RegistryRoot root, const std::string& path, const std::string& name) override;
    RegistryResult DeleteKey(RegistryRoot root, const std::string& path) override;
    void Flush(RegistryRoot root, const std::string& path) override;
};

} // namespace corvane::platform::win32
