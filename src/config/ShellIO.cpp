#include "config/ShellIO.h"

#include "platform/Errors.h"
#include "platform/Platform.h"
#include "platform/ProfileFiles.h"
#include "text/AsciiText.h"

namespace corvane {

namespace {
constexpr const char* SystemIni = "system.ini";
constexpr const char* BootSection = "boot";
constexpr std::size_t ShellBufferSize = 2048;
constexpr std::size_t SectionBufferSize = 16384;
constexpr int WindowsFamily = 1; // Windows 95, 98 and Me
constexpr int NtFamily = 2;

using platform::RegistryRoot;

// Registry paths are written from the root ("\Software\..."); the calls take them without
// the leading "\".
std::string FromRoot(const std::string& keyPath) {
    return !keyPath.empty() && keyPath.front() == '\\' ? keyPath.substr(1) : keyPath;
}
} // namespace

std::string TShellIO::ReadShell() const {
    return platform::Profiles().GetString(SystemIni, BootSection, ShellValue, NoShell, ShellBufferSize);
}

void TShellIO::WriteShell(const std::string& text) const {
    const int family = platform::System().PlatformId();
    if (family == WindowsFamily) {
        platform::Profiles().WriteString(SystemIni, BootSection, ShellValue, text);
    } else if (family == NtFamily) {
        WriteRegistryString(RegistryRoot::CurrentUser, WinlogonKey, ShellValue, text);
        WriteRegistryString(RegistryRoot::LocalMachine, WinlogonKey, ShellValue, text);
        const std::string mapping = ReadRegistryString(RegistryRoot::LocalMachine, MappingKey, ShellValue, MachineMapping);
        if (mapping == MachineMapping) {
            WriteRegistryString(RegistryRoot::LocalMachine, MappingKey, ShellValue, UserMapping);
        }
    }
}

TSavedShellSetting TShellIO::SaveSetting() const {
    TSavedShellSetting saved;
    saved.Family = platform::System().PlatformId();
    saved.ReadText = ReadShell();
    if (saved.Family == WindowsFamily) {
        saved.SystemIniShell = ReadSystemIniShell();
    } else if (saved.Family == NtFamily) {
        saved.UserValue = ReadWinlogonShell(RegistryRoot::CurrentUser);
        saved.MachineValue = ReadWinlogonShell(RegistryRoot::LocalMachine);
    }
    return saved;
}

namespace {
bool Present(const platform::RegistryValue& value) { return value.state == platform::RegistryValue::State::Present; }

bool SameValue(const platform::RegistryValue& a, const platform::RegistryValue& b) {
    if (!Present(a) || !Present(b)) return Present(a) == Present(b);
    return a.type == b.type && a.data == b.data;
}

std::string ValueText(const platform::RegistryValue& value) { return value.data.substr(0, value.data.find('\0')); }
} // namespace

void TShellIO::RestoreWinlogonShell(RegistryRoot root, const platform::RegistryValue& earlier) const {
    if (SameValue(ReadWinlogonShell(root), earlier)) {
        return;
    }
    if (!Present(earlier)) {
        if (!platform::Registry().DeleteValue(root, FromRoot(WinlogonKey), ShellValue)) {
            throw ERegistryException("Failed to delete '" + std::string(ShellValue) + "' of " + WinlogonKey);
        }
        return;
    }
    // A restore that cannot be carried out must not pass unnoticed, unlike the plain write.
    if (WriteRegistryValue(root, WinlogonKey, ShellValue, earlier.type, earlier.data) != platform::RegistryWrite::Written) {
        throw ERegistryException("Failed to set data for '" + std::string(ShellValue) + "'");
    }
}

void TShellIO::RestoreSetting(const TSavedShellSetting& saved) const {
    if (saved.Family == WindowsFamily) {
        if (ReadSystemIniShell() != saved.SystemIniShell) {
            platform::Profiles().WriteString(SystemIni, BootSection, ShellValue, saved.SystemIniShell);
        }
    } else if (saved.Family == NtFamily) {
        platform::RegistryValue user = saved.UserValue;
        const bool userHeldTheText = Present(user) && ValueText(user) == saved.ReadText;
        if (saved.ReadText != NoShell && !userHeldTheText) {
            user.state = platform::RegistryValue::State::Present;
            user.type = platform::RegString;
            user.data = saved.ReadText + '\0';
        }
        RestoreWinlogonShell(RegistryRoot::CurrentUser, user);
        RestoreWinlogonShell(RegistryRoot::LocalMachine, saved.MachineValue);
    }
}

platform::RegistryValue TShellIO::ReadWinlogonShell(RegistryRoot root) const {
    return platform::Registry().ReadValue(root, FromRoot(WinlogonKey), ShellValue);
}

platform::RegistryValue TShellIO::ReadIniFileMapping() const {
    return platform::Registry().ReadValue(RegistryRoot::LocalMachine, FromRoot(MappingKey), ShellValue);
}

std::optional<std::string> TShellIO::ReadSystemIniShell() const {
    platform::ProfileFiles& profiles = platform::Profiles();
    for (const std::string& name : profiles.GetKeyNames(SystemIni, BootSection, SectionBufferSize)) {
        if (SameTextAscii(name, ShellValue)) {
            return profiles.GetString(SystemIni, BootSection, ShellValue, "", ShellBufferSize);
        }
    }
    return std::nullopt;
}

void TShellIO::WriteRegistryString(RegistryRoot root, const std::string& keyPath, const std::string& name,
                                   const std::string& text) {
    WriteRegistryValue(root, keyPath, name, platform::RegString, text.substr(0, text.find('\0')) + '\0');
}

// Creates the key if it is missing, then opens it and stores the value. A refused create or
// set raises; a key that was created but cannot be opened is reported by the result.
platform::RegistryWrite TShellIO::WriteRegistryValue(RegistryRoot root, const std::string& keyPath,
                                                     const std::string& name, std::uint32_t type,
                                                     const std::string& data) {
    platform::RegistryAccess& registry = platform::Registry();
    const std::string path = FromRoot(keyPath);
    if (!registry.CreateKey(root, path)) {
        throw ERegistryException("Failed to create key " + keyPath);
    }
    const platform::RegistryWrite result = registry.SetValue(root, path, name, type, data);
    if (result == platform::RegistryWrite::SetRefused) {
        throw ERegistryException("Failed to set data for '" + name + "'");
    }
    return result;
}

std::string TShellIO::ReadRegistryString(RegistryRoot root, const std::string& keyPath, const std::string& name,
                                         const std::string& defaultValue) {
    const platform::RegistryValue value = platform::Registry().ReadValue(root, FromRoot(keyPath), name);
    if (value.state != platform::RegistryValue::State::Present) return defaultValue;
    if (value.data.empty()) return "";
    if (value.type != platform::RegString && value.type != platform::RegExpandString) {
        throw ERegistryException("Invalid data type for '" + name + "'");
    }
    return value.data.substr(0, value.data.find('\0'));
}

} // namespace corvane
