#include "config/CorvaneSettings.h"

#include <optional>
#include <stdexcept>
#include <string_view>

namespace corvane {

TCorvaneSettings::TCorvaneSettings(const TIniFile& iniFile, const TIniFile& sharedIni)
    : IniFile(iniFile), SharedIni(sharedIni) {
    for (std::size_t i = 0; i < Keys.size(); ++i) {
        for (const TIniFile* file : {&IniFile, &SharedIni}) {
            if (std::optional<std::string> text = file->FindText(Section, Keys[i])) {
                Texts_[i] = TSettingText{std::move(*text), file};
                break;
            }
        }
        if (Texts_[i].File == nullptr) Texts_[i].Text = Keys[i].Form == TIniValueForm::Text ? Keys[i].Default : "";
    }
    UseTimer = NumberOf(UseTimerKey) != 0;
    ShowLauncher = NumberOf(ShowLauncherKey) != 0;
    TimerLength = NumberOf(TimerLengthKey);
    ColourSchemeName = TextOf(ColourSchemeNameKey);
    FadeLauncher = NumberOf(FadeLauncherKey) != 0;
    DefaultShell = TextOf(DefaultShellKey);
    RememberLastShell = NumberOf(RememberLastShellKey) != 0;
}

const TCorvaneSettings::TSettingText& TCorvaneSettings::Read(const TIniKey& key) const {
    for (std::size_t i = 0; i < Keys.size(); ++i) {
        if (std::string_view(Keys[i].Name) == key.Name) return Texts_[i];
    }
    throw std::logic_error(std::string("no setting ") + key.Name);
}

TCorvaneSettings::TCorvaneSettings(const TIniFile& iniFile, const TShellListIO& shellListIO)
    : TCorvaneSettings(iniFile, shellListIO.IniFile) {
    if (!DefaultShell.empty()) {
        DefaultShellItem = std::make_unique<TShellListItem>(shellListIO.ReadShellEntry(DefaultShell));
        DefaultShellItem->Name = DefaultShell;
    }
}

} // namespace corvane
