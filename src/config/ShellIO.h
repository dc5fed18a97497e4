// The operating system's shell setting: the program started as the user's desktop at logon.
// On Windows 95, 98 and Me it is "shell" in section "boot" of "system.ini"; on the NT family
// it is the Winlogon "shell" value of the current user and of the machine, and the
// IniFileMapping value for system.ini [boot] decides which of the two a read of
// "system.ini" returns.
#pragma once

#include <cstdint>
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
    // Makes text the shell setting. On the NT family: the current user's value, then the
    // machine's, then the mapping turned from the machine's to the user's key. Raises
    // ERegistryException when a key cannot be created or a value cannot be set.
    void WriteShell(const std::string& text) const;

    // Remembers the setting before a switch.
    TSavedShellSetting SaveSetting() const;
    // Puts the remembered setting back without writing "None Found" anywhere: the current
    // user's value gets the text ReadShell gave (so ReadShell gives it again through the
    // mapping), or its own earlier state when there was no setting; the machine's value and
    // system.ini get exactly their earlier state, a value that did not exist being removed.
    // Values that already hold their earlier state are not touched. The mapping stays as it is.
    void RestoreSetting(const TSavedShellSetting& saved) const;

    // The stored values as they are, so that a caller can put back exactly what was there.
    platform::RegistryValue ReadWinlogonShell(platform::RegistryRoot root) const;
    platform::RegistryValue ReadIniFileMapping() const;
    // The "shell" key of system.ini [boot] itself, or nothing when the file has no such key.
    std::optional<std::string> ReadSystemIniShell() const;

    // Writes a string value: the key is created if missing, then opened and the value set.
    // A key that is created but cannot be opened is left alone without an error.
    static void WriteRegistryString(platform::RegistryRoot root, const std::string& keyPath,
                                    const std::string& name, const std::string& text);
    // Reads a string value; defaultValue when the key or the value is missing. Raises
    // ERegistryException when the value holds data of another type than text.
    static std::string ReadRegistryString(platform::RegistryRoot root, const std::string& keyPath,
                                          const std::string& name, const std::string& defaultValue);

private:
    // Gives the Winlogon shell value under root its earlier state, if it no longer holds it.
    void RestoreWinlogonShell(platform::RegistryRoot root, const platform::RegistryValue& earlier) const;
    static platform::RegistryWrite WriteRegistryValue(platform::RegistryRoot root, const std::string& keyPath,
                                                      const std::string& name, std::uint32_t type,
                                                      const std::string& data);
};

} // namespace corvane
