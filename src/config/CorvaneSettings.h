// The user's settings: section "Settings" of the per-user settings file over the same section
// of the shell list file, which gives every user's settings, and the policies over both. A value
// comes from the first of these that gives it: the machine's policy, the user's policy (see
// TPolicyIO), the user's file, shells.ini. A key that the user's file gives (with any value, an
// empty one too) overrides the shared one; a key that none gives, or a file's value not in the
// key's form, gives the key's default.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "config/IniFile.h"
#include "config/PolicyIO.h"
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

    // Where the value of a key was read from: its text (what stands after "=", enclosing quotes
    // dropped, or the policy's value in that form; for a key that nothing gives, nothing for a
    // boolean or integer and the default of a text), and its file or its policy (neither for
    // such a key).
    struct TSettingText {
        std::string Text;
        const TIniFile* File = nullptr; // not owned
        std::optional<TPolicyScope> Policy;
    };

    // Reads the settings from the policies over iniFile over the settings of the shell list
    // file that shellListIO reads, which also fetches the default shell's entry. The errors of
    // building that item (see TShellListItem) pass to the caller.
    TCorvaneSettings(const TIniFile& iniFile, const TShellListIO& shellListIO, const TPolicyIO& policies);
    // Reads the values of the settings alone (policies over iniFile over sharedIni), without the
    // default shell's item.
    TCorvaneSettings(const TIniFile& iniFile, const TIniFile& sharedIni, const TPolicyIO& policies);

    const std::string& TextOf(const TIniKey& key) const { return Read(key).Text; }
    // The file that the value of key came from; null when a policy gives it or no file does.
    const TIniFile* FileOf(const TIniKey& key) const { return Read(key).File; }
    // The policy that gives the value of key, if one does; no file can change it then.
    std::optional<TPolicyScope> PolicyOf(const TIniKey& key) const { return Read(key).Policy; }

    const TIniFile& IniFile;   // the user's own file; not owned
    const TIniFile& SharedIni; // the shell list file; not owned
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
    TSettingText ReadKey(const TIniKey& key, const TPolicyIO& policies) const;
    const TSettingText& Read(const TIniKey& key) const;
    std::int32_t NumberOf(const TIniKey& key) const { return TIniFile::NumberOf(TextOf(key), key); }

    std::array<TSettingText, Keys.size()> Texts_; // in the order of Keys
};

} // namespace corvane
