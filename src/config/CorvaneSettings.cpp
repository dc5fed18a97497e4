#include "config/CorvaneSettings.h"

namespace corvane {

namespace {
constexpr const char* SettingsSection = "Settings";
}

TCorvaneSettings::TCorvaneSettings(const TIniFile& iniFile, const TShellListIO& shellListIO) : IniFile(iniFile) {
    UseTimer = IniFile.ReadBool(SettingsSection, "UseTimer", false);
    ShowLauncher = IniFile.ReadBool(SettingsSection, "ShowLauncher", true);
    TimerLength = IniFile.ReadInteger(SettingsSection, "TimerLength", 5);
    ColourSchemeName = IniFile.ReadString(SettingsSection, "ColourSchemeName", "Default");
    FadeLauncher = IniFile.ReadBool(SettingsSection, "FadeLauncher", true);
    DefaultShell = IniFile.ReadString(SettingsSection, "DefaultShell", "");
    if (!DefaultShell.empty()) {
        DefaultShellItem = std::make_unique<TShellListItem>(shellListIO.ReadShellEntry(DefaultShell));
        DefaultShellItem->Name = DefaultShell;
    }
}

} // namespace corvane
