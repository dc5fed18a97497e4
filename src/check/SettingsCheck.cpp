#include "check/SettingsCheck.h"

#include "check/NearestWord.h"
#include "config/ColoursIO.h"
#include "config/CorvaneInfo.h"
#include "config/ShellListItem.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "text/AsciiText.h"
#include "ui/ShellChooseForm.h"

namespace corvane {

namespace {

using Settings = TCorvaneSettings;

std::string OnOff(bool value) { return value ? "on (1)" : "off (0)"; }

} // namespace

TSettingsCheck::TSettingsCheck(TCheckContext& context, const TIniFile& userIni, const TShellListIO& shells)
    : Context_(context), UserIni_(userIni), Shells_(shells),
      Ini_(userIni, context.Shown(userIni.FileName()), context.Report) {}

int TSettingsCheck::Line(const TIniKey& key) const {
    const int line = Ini_.Line(Settings::Section, key.Name);
    return line > 0 ? line : Ini_.SectionLine(Settings::Section);
}

bool TSettingsCheck::Given(const TIniKey& key) const { return Ini_.RawValue(Settings::Section, key.Name).has_value(); }

void TSettingsCheck::Run(const TCorvaneSettings& settings) {
    if (!Ini_.Exists()) {
        Ini_.Warning(0, std::string("the file is missing: at logon the launcher says \"") + TCorvaneInfo::UserFileMissing +
                        "\", creates it empty and goes on with the default settings (--user NAME checks "
                        "the settings file of another user)");
    } else if (!Ini_.CheckSection(Settings::Section, KeyNames(Settings::Keys), true) && Ini_.Parsed() &&
               Ini_.Text()->Sections().size() + Ini_.Text()->Sections().front().keys.size() > 1) {
        Ini_.Warning(0, std::string("there is no [") + Settings::Section + "] section: the launcher takes the default "
                                                                           "of every setting");
    }
    CheckForms(settings);
    CheckCountdown(settings);
    CheckDefaultShell(settings);
    CheckScheme(settings);
}

// A boolean or integer in any other form than an integer is read as the key's default.
void TSettingsCheck::CheckForms(const TCorvaneSettings& settings) {
    for (const TIniKey& key : Settings::Keys) {
        if (key.Form == TIniValueForm::Text || !Given(key)) continue;
        const std::string& value = settings.TextOf(key);
        std::int32_t number = 0;
        if (TIniFile::TryParseInteger(value, number)) continue;
        const std::int32_t fallback = TIniFile::NumberOf(value, key);
        const std::string taken = key.Form == TIniValueForm::Boolean ? OnOff(fallback != 0) : std::to_string(fallback);
        Ini_.Warning(Line(key), std::string(key.Name) + "=" + value + " is not a whole number: the launcher reads it as " +
                                    taken + ", its default" +
                                    (key.Form == TIniValueForm::Boolean ? "; write 1 for on or 0 for off" : ""));
    }
}

// Without a DefaultShell, a remembered shell still takes its place, once a launch has remembered one.
void TSettingsCheck::CheckCountdown(const TCorvaneSettings& settings) {
    const std::string unlessRemembered =
        settings.RememberLastShell ? " unless a shell that an earlier logon started is remembered" : "";
    if (!settings.ShowLauncher) {
        if (settings.DefaultShell.empty()) {
            Ini_.Warning(Line(Settings::ShowLauncherKey), "ShowLauncher is off and there is no DefaultShell: "
                                                          "loadshell shows no chooser and starts no shell" +
                                                              unlessRemembered);
        }
        return;
    }
    if (!settings.UseTimer) return;
    if (settings.DefaultShell.empty()) {
        Ini_.Warning(Line(Settings::UseTimerKey), "UseTimer is on and there is no DefaultShell: when the countdown "
                                                  "runs out the chooser closes and no shell starts" +
                                                      unlessRemembered);
    }
    const std::uint32_t interval = CountdownInterval(settings.TimerLength);
    const std::string given = "TimerLength=" + std::to_string(settings.TimerLength);
    if (interval == 0) {
        Ini_.Warning(Line(Settings::TimerLengthKey), given + ": a countdown of " +
                                                         (settings.TimerLength < 0 ? "less than 0" : "0") +
                                                         " seconds never runs out; the chooser waits for the user");
    } else if (static_cast<std::int64_t>(interval) != static_cast<std::int64_t>(settings.TimerLength) * 1000) {
        Ini_.Warning(Line(Settings::TimerLengthKey), given + " is longer than the longest countdown: the chooser counts " +
                                                         std::to_string(interval / 1000) + " seconds");
    }
}

// A DefaultShell without an entry that builds stops the launcher at start. An entry of a shell
// that the list offers is checked with the list; one that the list does not offer is checked here.
void TSettingsCheck::CheckDefaultShell(const TCorvaneSettings& settings) {
    const std::string& name = settings.DefaultShell;
    if (name.empty()) return;
    const std::vector<std::string> listed = Shells_.IniFile.ReadSection(TShellListIO::Section);
    bool offered = false;
    for (const std::string& shell : listed) offered = offered || SameTextAscii(shell, name);
    const std::string entry = Shells_.ReadShellEntry(name);
    const int line = Line(Settings::DefaultShellKey);
    if (entry.empty()) {
        const std::optional<std::string> meant = NearestWord(name, listed);
        Ini_.Error(line, "DefaultShell=" + name +
                             (offered ? ": the entry of that shell in shells.ini is empty"
                                      : " names no shell of shells.ini" + (meant ? " (did you mean " + *meant + "?)"
                                                                                 : std::string())) +
                             ": the launcher stops at start with \"" + EListError(0).what() + "\"");
        return;
    }
    if (offered) return;
    try {
        TShellListItem item(entry);
    } catch (const ECorvaneError& error) {
        Ini_.Error(line, "DefaultShell=" + name + ": its entry in shells.ini does not read: the launcher stops at start "
                                                  "with \"" + error.what() + "\"");
    }
}

void TSettingsCheck::CheckScheme(const TCorvaneSettings& settings) {
    const std::string file = TColoursIO::SchemeFileOf(Context_.Options.ProgramFolder, settings.ColourSchemeName);
    SchemeExists = platform::Files().FileExists(file);
    if (SchemeExists || !Given(Settings::ColourSchemeNameKey)) return;
    Ini_.Warning(Line(Settings::ColourSchemeNameKey),
                 "ColourSchemeName=" + settings.ColourSchemeName + ": there is no scheme file " + Context_.Shown(file) +
                     ", so the chooser takes the default colours");
}

} // namespace corvane
