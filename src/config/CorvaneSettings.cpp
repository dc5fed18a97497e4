#include "config/CorvaneSettings.h"

#include <stdexcept>
#include <string_view>

namespace corvane {

TCorvaneSettings::TCorvaneSettings(const TIniFile& iniFile) : IniFile(iniFile) {
    for (std::size_t i = 0; i < Keys.size(); ++i) Texts_[i] = IniFile.ReadText(Section, Keys[i]);
    UseTimer = NumberOf(UseTimerKey) != 0;
    ShowLauncher = NumberOf(ShowLauncherKey) != 0;
    TimerLength = NumberOf(TimerLengthKey);
    ColourSchemeName = TextOf(ColourSchemeNameKey);
    FadeLauncher = NumberOf(FadeLauncherKey) != 0;
    DefaultShell = TextOf(DefaultShellKey);
    RememberLastShell = NumberOf(RememberLastShellKey) != 0;
}

const std::string& TCorvaneSettings::TextOf(const TIniKey& key) const {
    for (std::size_t i = 0; i < Keys.size(); ++i) {
        if (std::string_view(Keys[i].Name) == key.Name) return Texts_[i];
    }
    throw std::logic_error(std::string("no setting ") + key.Name);
}

TCorvaneSettings::TCorvaneSettings(const TIniFile& iniFile, const TShellListIO& shellListIO)
    : TCorvaneSettings(iniFile) {
    if (!DefaultShell.empty()) {
        DefaultShellItem = std::make_unique<TShellListItem>(shellListIO.ReadShellEntry(DefaultShell));
        DefaultShellItem->Name = DefaultShell;
    }
}

} // namespace corvane
