#include "config/ShellIO.h"

#include "config/IniFile.h"
#include "config/RegistryWrites.h"
#include "config/ShellCommand.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "platform/ProfileFiles.h"
#include "text/AsciiText.h"

namespace corvane {

namespace {
constexpr const char* SystemIni = "system.ini";
constexpr const char* BootSection = "boot";
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
    return platform::Profiles().GetString(SystemIni, BootSection, ShellValue, NoShell, TIniFile::StringBufferSize);
}

bool TShellIO::Starts(const std::string& exePath) const {
    if (TShellCommand::Names(ReadShell(), exePath)) return true;
    if (platform::System().PlatformId() != NtFamily) return false;
    const platform::RegistryValue user = ReadWinlogonShell(RegistryRoot::CurrentUser);
    const bool userHasOne = user.state == platform::RegistryValue::State::Present;
    const platform::RegistryValue applies = userHasOne ? user : ReadWinlogonShell(RegistryRoot::LocalMachine);
    return applies.state == platform::RegistryValue::State::Present && TShellCommand::Names(TextOf(applies.data), exePath);
}

void TShellIO::WriteShell(const std::string& text) const {
    TShellSwitch switched;
    WriteShell(text, true, switched);
}

void TShellIO::WriteShell(const std::string& text, bool machineWide, TShellSwitch& switched) const {
    const int family = platform::System().PlatformId();
    if (family == WindowsFamily) {
        if (!machineWide) return;
        switched.SystemIni = true;
        platform::Profiles().WriteString(SystemIni, BootSection, ShellValue, text);
    } else if (family == NtFamily) {
        switched.UserValue = true;
        WriteRegistryText(RegistryRoot::CurrentUser, WinlogonKey, ShellValue, text);
        if (!machineWide) return;
        const platform::RegistryWrite machine = WriteRegistryValue(RegistryRoot::LocalMachine, WinlogonKey, ShellValue,
                                                                   platform::RegString, StringData(text), true);
        switched.MachineValue = machine == platform::RegistryWrite::Written;
        const std::string mapping = ReadRegistryText(RegistryRoot::LocalMachine, MappingKey, ShellValue, MachineMapping);
        if (mapping == MachineMapping) {
            const platform::RegistryWrite turned = WriteRegistryValue(RegistryRoot::LocalMachine, MappingKey, ShellValue,
                                                                      platform::RegString, StringData(UserMapping), true);
            switched.MappingTurned = turned == platform::RegistryWrite::Written;
        }
    }
}

TShellSwitch TShellIO::PlannedSwitch(bool machineWide) const {
    TShellSwitch planned;
    const int family = platform::System().PlatformId();
    if (family == WindowsFamily) {
        planned.SystemIni = machineWide;
    } else if (family == NtFamily) {
        planned.UserValue = true;
        planned.MachineValue = machineWide;
        planned.MappingTurned =
            machineWide && ReadRegistryText(RegistryRoot::LocalMachine, MappingKey, ShellValue, MachineMapping) == MachineMapping;
    }
    return planned;
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

} // namespace

bool TShellIO::SetWinlogonShell(RegistryRoot root, const platform::RegistryValue& earlier, bool mayBeDenied) const {
    if (SameValue(ReadWinlogonShell(root), earlier)) {
        return true;
    }
    if (!Present(earlier)) {
        const platform::RegistryResult deleted = platform::Registry().DeleteValue(root, FromRoot(WinlogonKey), ShellValue);
        if (deleted == platform::RegistryResult::AccessDenied && mayBeDenied) return false;
        if (deleted != platform::RegistryResult::Done) {
            throw ERegistryException("Failed to delete '" + std::string(ShellValue) + "' of " + WinlogonKey);
        }
        return true;
    }
    // A restore that cannot be carried out must not pass unnoticed, unlike the plain write.
    const platform::RegistryWrite written =
        WriteRegistryValue(root, WinlogonKey, ShellValue, earlier.type, earlier.data, mayBeDenied);
    if (written == platform::RegistryWrite::OpenDenied || written == platform::RegistryWrite::SetDenied) return false;
    if (written != platform::RegistryWrite::Written) {
        throw ERegistryException("Failed to set data for '" + std::string(ShellValue) + "'");
    }
    return true;
}

void TShellIO::RestoreSetting(const TSavedShellSetting& saved, const TShellSwitch& switched) const {
    if (saved.Family == WindowsFamily) {
        if (switched.SystemIni && ReadSystemIniShell() != saved.SystemIniShell) {
            platform::Profiles().WriteString(SystemIni, BootSection, ShellValue, saved.SystemIniShell);
        }
    } else if (saved.Family == NtFamily) {
        if (switched.UserValue) {
            SetWinlogonShell(RegistryRoot::CurrentUser, RestoredUserValue(saved, switched));
        }
        if (switched.MachineValue) {
            SetWinlogonShell(RegistryRoot::LocalMachine, saved.MachineValue);
        }
    }
}

bool TShellIO::MappingAtUser() const {
    const platform::RegistryValue mapping = ReadIniFileMapping();
    return Present(mapping) && TextOf(mapping.data) == UserMapping;
}

platform::RegistryValue TShellIO::RestoredUserValue(const TSavedShellSetting& saved, const TShellSwitch& switched) const {
    platform::RegistryValue user = saved.UserValue;
    if (!Present(user) && switched.MappingTurned && saved.ReadText != NoShell && MappingAtUser()) {
        user.state = platform::RegistryValue::State::Present;
        user.type = platform::RegString;
        user.data = StringData(saved.ReadText);
    }
    return user;
}

platform::RegistryValue TShellIO::ReadWinlogonShell(RegistryRoot root) const {
    return platform::Registry().ReadValue(root, FromRoot(WinlogonKey), ShellValue);
}

platform::RegistryValue TShellIO::ReadIniFileMapping() const {
    return platform::Registry().ReadValue(RegistryRoot::LocalMachine, FromRoot(MappingKey), ShellValue);
}

std::optional<std::string> TShellIO::ReadSystemIniShell() const {
    platform::ProfileFiles& profiles = platform::Profiles();
    for (const std::string& name : profiles.GetKeyNames(SystemIni, BootSection, TIniFile::SectionBufferSize)) {
        if (SameTextAscii(name, ShellValue)) {
            return profiles.GetString(SystemIni, BootSection, ShellValue, "", TIniFile::StringBufferSize);
        }
    }
    return std::nullopt;
}

} // namespace corvane
