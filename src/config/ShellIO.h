// The operating system's shell setting: the program started as the user's desktop at logon.
// On Windows 95, 98 and Me it is "shell" in section "boot" of "system.ini"; on the NT family
// it is the Winlogon "shell" value of the current user and of the machine, and the
// IniFileMapping value for system.ini [boot] decides which of the two a read of
// "system.ini" returns.
#pragma once

#include <optional>
#include <string>

#include "platform/RegistryAccess.h"

namespace corvane {

// The shell setting as it stood before a switch: what ReadShell gave, and the stored values
// themselves, so that exactly that can be put back.
struct TSavedShellSetting {
    int Family = 0;
    std::string ReadText;                          // what ReadShell returned
    platform::RegistryValue UserValue;             // NT family: the current user's Winlogon shell
    platform::RegistryValue MachineValue;          // NT family: the machine's Winlogon shell
    std::optional<std::string> SystemIniShell;     // 95 family: system.ini [boot] shell, if any
};

// What a switch changed, recorded as it goes, so that its restore puts back exactly that and
// nothing else (another launcher may have changed what this one left alone).
struct TShellSwitch {
    bool UserValue = false;     // NT family: the current user's Winlogon shell
    bool MachineValue = false;  // NT family: the machine's Winlogon shell
    bool MappingTurned = false; // NT family: the mapping turned from the machine's key to the user's
    bool SystemIni = false;     // 95 family: system.ini [boot] shell
};

class TShellIO {
public:
    static constexpr const char* NoShell = "None Found";
    static constexpr const char* WinlogonKey = "\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
    static constexpr const char* MappingKey =
        "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\system.ini\\boot";
    static constexpr const char* ShellValue = "shell";
    // The mapping values that send reads of system.ini [boot] shell to the machine's and to
    // the current user's Winlogon key.
    static constexpr const char* MachineMapping = "SYS:Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
    static constexpr const char* UserMapping = "USR:Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

    // The current shell setting as system.ini [boot] shell reads, or "None Found".
    std::string ReadShell() const;
    // True when the shell setting starts the program at exePath: what ReadShell reads, or on
    // the NT family the Winlogon value behind it (the current user's when it has one, else the
    // machine's), compared without regard to letter case, quotes and an argument list.
    bool Starts(const std::string& exePath) const;
    // True when the program at exePath is the shell of every user without one of their own: the
    // machine's Winlogon value names it and the current user has no value (on the 95 family,
    // system.ini names it, which is the machine's).
    bool StartsForEveryUser(const std::string& exePath) const;
    // Makes text the shell setting. On the NT family: the current user's value, then the
    // machine's, then the mapping turned from the machine's to the user's key. Raises
    // ERegistryException when a key cannot be created or a value cannot be set, except that a
    // write to the machine's keys refused for lack of rights is skipped: the user's own value is
    // what a per-user shell needs, and Winlogon reads it.
    void WriteShell(const std::string& text) const;
    // The same, recording in switched what it changes as it goes. Without machineWide only the
    // current user's value is written (on the 95 family, where system.ini is the machine's,
    // nothing is). The logon record gets the text and the places it went to.
    void WriteShell(const std::string& text, bool machineWide, TShellSwitch& switched) const;

    // What WriteShell(text, machineWide, ...) is going to change, for the journal that is
    // written before it.
    TShellSwitch PlannedSwitch(bool machineWide) const;

    // Remembers the setting before a switch.
    TSavedShellSetting SaveSetting() const;
    // Puts back what the switch changed, without writing "None Found" anywhere. The current
    // user's value gets exactly its own earlier state (data and type); when it had none, it gets
    // the text that ReadShell gave only if this switch turned the mapping to the user's key (so
    // that reads of system.ini keep giving that text), and otherwise it is removed again. The
    // machine's value and system.ini get exactly their earlier state. Values that already hold
    // their earlier state are not touched. The mapping stays as it is.
    //
    // switched may say more than the switch did (the plan recorded before it, when the launcher
    // was killed on the way): a turn of the mapping counts only when the mapping really sends
    // reads to the user's key now. The logon record gets what was put back, or why not.
    void RestoreSetting(const TSavedShellSetting& saved, const TShellSwitch& switched) const;
    // The state that RestoreSetting gives the current user's value.
    platform::RegistryValue RestoredUserValue(const TSavedShellSetting& saved, const TShellSwitch& switched) const;

    // The stored values as they are, so that a caller can put back exactly what was there.
    platform::RegistryValue ReadWinlogonShell(platform::RegistryRoot root) const;
    // Gives the Winlogon shell value under root this state (a missing value is removed), unless
    // it holds it already. Raises ERegistryException when that is refused; with mayBeDenied, a
    // refusal for lack of rights returns false instead, with nothing changed.
    bool SetWinlogonShell(platform::RegistryRoot root, const platform::RegistryValue& value,
                          bool mayBeDenied = false) const;
    platform::RegistryValue ReadIniFileMapping() const;
    // The "shell" key of system.ini [boot] itself, or nothing when the file has no such key.
    std::optional<std::string> ReadSystemIniShell() const;

private:
    void WriteSetting(const std::string& text, bool machineWide, TShellSwitch& switched) const;
    // True when the mapping sends reads of system.ini [boot] shell to the user's key.
    bool MappingAtUser() const;
};

} // namespace corvane
