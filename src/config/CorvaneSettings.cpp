#include "config/CorvaneSettings.h"

#include <optional>
#include <stdexcept>
#include <string_view>

namespace corvane {

TCorvaneSettings::TCorvaneSettings(const TIniFile& iniFile, const TIniFile& sharedIni, const TPolicyIO& policies)
    : IniFile(iniFile), SharedIni(sharedIni) {
    for (std::size_t i = 0; i < Keys.size(); ++i) Texts_[i] = ReadKey(Keys[i], policies);
    UseTimer = NumberOf(UseTimerKey) != 0;
    ShowLauncher = NumberOf(ShowLauncherKey) != 0;
    TimerLength = NumberOf(TimerLengthKey);
    ColourSchemeName = TextOf(ColourSchemeNameKey);
    FadeLauncher = NumberOf(FadeLauncherKey) != 0;
    DefaultShell = TextOf(DefaultShellKey);
    RememberLastShell = NumberOf(RememberLastShellKey) != 0;
}

// The first source that gives the key: a policy, the strongest first, then the files.
TCorvaneSettings::TSettingText TCorvaneSettings::ReadKey(const TIniKey& key, const TPolicyIO& policies) const {
    for (const TPolicyScope scope : PolicyScopes) {
        if (const std::optional<std::string>& text = policies.Text(scope, key)) return {*text, nullptr, scope};
    }
    for (const TIniFile* file : {&IniFile, &SharedIni}) {
        if (std::optional<std::string> text = file->FindText(Section, key)) return {std::move(*text), file, std::nullopt};
    }
    return {key.Form == TIniValueForm::Text ? key.Default : "", nullptr, std::nullopt};
}

const TCorvaneSettings::TSettingText& TCorvaneSettings::Read(const TIniKey& key) const {
    for (std::size_t i = 0; i < Keys.size(); ++i) {
        if (std::string_view(Keys[i].Name) == key.Name) return Texts_[i];
    }
    throw std::logic_error(std::string("no setting ") + key.Name);
}

TCorvaneSettings::TCorvaneSettings(const TIniFile& iniFile, const TShellListIO& shellListIO,
                                   const TPolicyIO& policies)
    : TCorvaneSettings(iniFile, shellListIO.IniFile, policies) {
    if (!DefaultShell.empty()) {
        DefaultShellItem = std::make_unique<TShellListItem>(shellListIO.ReadShellEntry(DefaultShell));
        DefaultShellItem->Name = DefaultShell;
    }
}

} // namespace corvane
