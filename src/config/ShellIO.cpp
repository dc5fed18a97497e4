#include "config/ShellIO.h"

#include "config/IniFile.h"
#include "config/RegistryWrites.h"
#include "config/ShellCommand.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "platform/ProfileFiles.h"
#include "record/EventRecord.h"
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

// The places of the setting as the logon record names them.
constexpr const char* UserPlace = "the current user's shell";
constexpr const char* MachinePlace = "the machine's shell";
constexpr const char* SystemIniPlace = "system.ini [boot] shell";

// The logon record's line of a switch: the text and the places it went to.
//     switch to "C:\Alt\alt.exe": the current user's shell, the machine's shell, the mapping turned to the user's key
std::string SwitchEvent(const std::string& text, const TShellSwitch& switched) {
    std::string places;
    const auto add = [&places](bool changed, const char* place) {
        if (changed) places += (places.empty() ? "" : ", ") + std::string(place);
    };
    add(switched.UserValue, UserPlace);
    add(switched.MachineValue, MachinePlace);
    add(switched.MappingTurned, "the mapping turned to the user's key");
    add(switched.SystemIni, SystemIniPlace);
    return "switch to " + Quoted(text) + ": " + (places.empty() ? std::string("nothing written") : places);
}

// A stored value as the record shows what was put back: its text in quotes, with its type
// when that is not REG_SZ; "removed" when there was none.
std::string PutBack(const platform::RegistryValue& value) {
    if (value.state != platform::RegistryValue::State::Present) return "removed";
    std::string shown = Quoted(TextOf(value.data));
    if (value.type == platform::RegExpandString) shown += " (REG_EXPAND_SZ)";
    else if (value.type != platform::RegString) shown += " (type " + std::to_string(value.type) + ")";
    return shown;
}
} // namespace

std::string TShellIO::ReadShell() const {
    return platform::Profiles().GetString(SystemIni, BootSection, ShellValue, NoShell, TIniFile::StringBufferSize);
}

bool TShellIO::Starts(const std::string& exePath) const {
    if (TShellCommand::Starts(ReadShell(), exePath)) return true;
    if (platform::System().PlatformId() != NtFamily) return false;
    const platform::RegistryValue user = ReadWinlogonShell(RegistryRoot::CurrentUser);
    const bool userHasOne = user.state == platform::RegistryValue::State::Present;
    const platform::RegistryValue applies = userHasOne ? user : ReadWinlogonShell(RegistryRoot::LocalMachine);
    return applies.state == platform::RegistryValue::State::Present && TShellCommand::Starts(TextOf(applies.data), exePath);
}

bool TShellIO::StartsForEveryUser(const std::string& exePath) const {
    const int family = platform::System().PlatformId();
    if (family == WindowsFamily) return TShellCommand::Starts(ReadShell(), exePath);
    if (family != NtFamily) return false;
    const platform::RegistryValue user = ReadWinlogonShell(RegistryRoot::CurrentUser);
    const platform::RegistryValue machine = ReadWinlogonShell(RegistryRoot::LocalMachine);
    return user.state != platform::RegistryValue::State::Present &&
           machine.state == platform::RegistryValue::State::Present && TShellCommand::Starts(TextOf(machine.data), exePath);
}

void TShellIO::WriteShell(const std::string& text) const {
    TShellSwitch switched;
    WriteShell(text, true, switched);
}

void TShellIO::WriteShell(const std::string& text, bool machineWide, TShellSwitch& switched) const {
    WriteSetting(text, machineWide, switched);
    RecordEvent(SwitchEvent(text, switched));
}

void TShellIO::WriteSetting(const std::string& text, bool machineWide, TShellSwitch& switched) const {
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

// The logon record gets what was put back, place by place, or the error that stopped it:
//     restore: the current user's shell removed, the machine's shell "explorer.exe"
void TShellIO::RestoreSetting(const TSavedShellSetting& saved, const TShellSwitch& switched) const {
    std::string restored;
    const auto add = [&restored](const char* place, const std::string& value) {
        restored += (restored.empty() ? "" : ", ") + std::string(place) + " " + value;
    };
    try {
        if (saved.Family == WindowsFamily) {
            if (switched.SystemIni && ReadSystemIniShell() != saved.SystemIniShell) {
                platform::Profiles().WriteString(SystemIni, BootSection, ShellValue, saved.SystemIniShell);
            }
            if (switched.SystemIni) add(SystemIniPlace, saved.SystemIniShell ? Quoted(*saved.SystemIniShell) : "removed");
        } else if (saved.Family == NtFamily) {
            if (switched.UserValue) {
                const platform::RegistryValue user = RestoredUserValue(saved, switched);
                SetWinlogonShell(RegistryRoot::CurrentUser, user);
                add(UserPlace, PutBack(user));
            }
            if (switched.MachineValue) {
                SetWinlogonShell(RegistryRoot::LocalMachine, saved.MachineValue);
                add(MachinePlace, PutBack(saved.MachineValue));
            }
        }
    } catch (const std::exception& error) {
        RecordEvent("restore failed" + (restored.empty() ? std::string() : " after " + restored) + ": " +
                              ErrorLine(error));
        throw;
    }
    RecordEvent("restore: " + (restored.empty() ? std::string("nothing to put back") : restored));
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
