#include "config/CorvaneSettings.h"

namespace corvane {

TCorvaneSettings::TCorvaneSettings(const TIniFile& iniFile) : IniFile(iniFile) {
    UseTimer = IniFile.ReadBool(Section, UseTimerKey.Name, false);
    ShowLauncher = IniFile.ReadBool(Section, ShowLauncherKey.Name, true);
    TimerLength = IniFile.ReadInteger(Section, TimerLengthKey.Name, 5);
    ColourSchemeName = IniFile.ReadString(Section, ColourSchemeNameKey.Name, "Default");
    FadeLauncher = IniFile.ReadBool(Section, FadeLauncherKey.Name, true);
    DefaultShell = IniFile.ReadString(Section, DefaultShellKey.Name, "");
    RememberLastShell = IniFile.ReadBool(Section, RememberLastShellKey.Name, false);
}

TCorvaneSettings::TCorvaneSettings(const TIniFile& iniFile, const TShellListIO& shellListIO)
    : TCorvaneSettings(iniFile) {
    if (!DefaultShell.empty()) {
        DefaultShellItem = std::make_unique<TShellListItem>(shellListIO.ReadShellEntry(DefaultShell));
        DefaultShellItem->Name = DefaultShell;
    }
}

} // namespace corvane
