// The user's settings: section "Settings" of the per-user settings file. A missing key, or a
// value not in the key's form, gives the key's default.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "config/IniFile.h"
#include "config/ShellListIO.h"

namespace corvane {

class TCorvaneSettings {
public:
    static constexpr const char* Section = "Settings";
    static constexpr TIniKey UseTimerKey{"UseTimer", TIniValueForm::Boolean, "0"};
    static constexpr TIniKey ShowLauncherKey{"ShowLauncher", TIniValueForm::Boolean, "1"};
    static constexpr TIniKey TimerLengthKey{"TimerLength", TIniValueForm::Integer, "5"}; // seconds
    static constexpr TIniKey ColourSchemeNameKey{"ColourSchemeName", TIniValueForm::Text, "Default"};
    static constexpr TIniKey FadeLauncherKey{"FadeLauncher", TIniValueForm::Boolean, "1"};
    static constexpr TIniKey DefaultShellKey{"DefaultShell", TIniValueForm::Text, ""};
    static constexpr TIniKey RememberLastShellKey{"RememberLastShell", TIniValueForm::Boolean, "0"};
    // Every key of the section, in the order in which they are read.
    static constexpr std::array<TIniKey, 7> Keys{UseTimerKey,     ShowLauncherKey, TimerLengthKey,
                                                 ColourSchemeNameKey, FadeLauncherKey, DefaultShellKey,
                                                 RememberLastShellKey};

    // Reads the settings; shellListIO only fetches the default shell's entry. The errors of
    // building that item (see TShellListItem) pass to the caller.
    TCorvaneSettings(const TIniFile& iniFile, const TShellListIO& shellListIO);
    // Reads the values of the settings alone, without the default shell's item.
    explicit TCorvaneSettings(const TIniFile& iniFile);

    // The text that the value of key was read from: what stands after "=" (enclosing quotes
    // dropped), or nothing for a missing boolean or integer and the default of a missing text.
    const std::string& TextOf(const TIniKey& key) const;

    const TIniFile& IniFile; // not owned
    // The values as read; each key's default stands in Keys.
    bool UseTimer = false;
    bool ShowLauncher = false;
    std::int32_t TimerLength = 0; // seconds
    std::string DefaultShell;
    // The default shell's own item, named as DefaultShell is written; none when DefaultShell is empty.
    std::unique_ptr<TShellListItem> DefaultShellItem;
    std::string ColourSchemeName;
    bool FadeLauncher = false;
    // Whether the shell that loadshell starts is remembered for the user, and the remembered
    // shell takes the default shell's place at the next logon (see TLastShellIO).
    bool RememberLastShell = false;

private:
    std::int32_t NumberOf(const TIniKey& key) const { return TIniFile::NumberOf(TextOf(key), key); }

    std::array<std::string, Keys.size()> Texts_; // in the order of Keys
};

} // namespace corvane
