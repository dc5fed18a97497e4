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

TSettingsCheck::TSettingsCheck(TCheckContext& context, const TIniFile& userIni, TIniCheck& user,
                               const TShellListIO& shells, TIniCheck& shared)
    : Context_(context), Shells_(shells), User_{userIni, user}, Shared_{shells.IniFile, shared} {}

int TSettingsCheck::Line(const TSource& source, const TIniKey& key) {
    const int line = source.Check.Line(Settings::Section, key.Name);
    return line > 0 ? line : source.Check.SectionLine(Settings::Section);
}

std::optional<std::string> TSettingsCheck::Given(const TSource& source, const TIniKey& key) {
    return source.File.FindText(Settings::Section, key);
}

TSettingsCheck::TSource TSettingsCheck::SourceOf(const TCorvaneSettings& settings, const TIniKey& key) {
    return settings.FileOf(key) == &Shared_.File ? Shared_ : User_;
}

TSettingsCheck::TReport TSettingsCheck::At(const TSource& source, const TIniKey& key) {
    return [this, source, key](TSeverity severity, const std::string& text) {
        const int line = Line(source, key);
        if (severity == TSeverity::Error) {
            source.Check.Error(line, text);
        } else {
            source.Check.Warning(line, text);
        }
    };
}

TSettingsCheck::TReport TSettingsCheck::AtValue(const TCorvaneSettings& settings, const TIniKey& key) {
    const std::optional<TPolicyScope> policy = settings.PolicyOf(key);
    if (!policy) return At(SourceOf(settings, key), key);
    return [this, scope = *policy](TSeverity severity, const std::string& text) {
        Context_.Report.OnPolicy(severity, TPolicyIO::Shown(scope), text);
    };
}

std::string TSettingsCheck::OverriddenNote(const TSource& source, const TIniKey& key) const {
    if (const std::optional<TPolicyScope> policy = Settings_->PolicyOf(key)) {
        return " (" + TPolicyIO::SourceName(*policy) + " sets " + key.Name + ", so the launcher does not read this value)";
    }
    if (&source.File != &Shared_.File || !Given(User_, key)) return {};
    return std::string(" (this holds for the users whose own file does not set ") + key.Name + "; " +
           User_.Check.Shown() + " sets it)";
}

void TSettingsCheck::Run(const TCorvaneSettings& settings, const TAllowedShells& allowed) {
    Settings_ = &settings;
    const bool shared = TCorvaneInfo::HasSharedSettings(Shells_.IniFile);
    CheckUserFile(shared);
    Shared_.Check.CheckSection(Settings::Section, KeyNames(Settings::Keys), true);
    for (const TSource& source : {User_, Shared_}) {
        CheckForms(source);
        if (const auto name = Given(source, Settings::DefaultShellKey)) {
            CheckDefaultShell(*name, At(source, Settings::DefaultShellKey), OverriddenNote(source, Settings::DefaultShellKey));
        }
        if (const auto name = Given(source, Settings::ColourSchemeNameKey)) {
            CheckScheme(*name, At(source, Settings::ColourSchemeNameKey), OverriddenNote(source, Settings::ColourSchemeNameKey));
        }
    }
    if (settings.PolicyOf(Settings::DefaultShellKey)) {
        CheckDefaultShell(settings.DefaultShell, AtValue(settings, Settings::DefaultShellKey), "");
    }
    if (settings.PolicyOf(Settings::ColourSchemeNameKey)) {
        CheckScheme(settings.ColourSchemeName, AtValue(settings, Settings::ColourSchemeNameKey), "");
    }
    CheckCountdown(settings, allowed);
    SchemeExists = platform::Files().FileExists(
        TColoursIO::SchemeFileOf(Context_.Options.ProgramFolder, settings.ColourSchemeName));
    Settings_ = nullptr;
}

// Without a file of their own, users take the settings of shells.ini when it has a [Settings]
// section, and else get a file made for them.
void TSettingsCheck::CheckUserFile(bool shared) {
    TIniCheck& user = User_.Check;
    const std::string from = shared ? "takes every setting from [Settings] of " + Shared_.Check.Shown()
                                    : "takes the default of every setting";
    if (!user.Exists()) {
        if (shared) return;
        user.Warning(0, TCheckContext::MissingFile(TCorvaneInfo::UserFileMissing, ", creates it empty and goes on with the default settings (where it cannot create the "
                            "file, it says so; a [Settings] section in shells.ini gives every user's settings without "
                            "a file of their own; --user NAME checks the settings file of another user)"));
    } else if (!user.CheckSection(Settings::Section, KeyNames(Settings::Keys), true) && user.Parsed() &&
               user.Text()->Sections().size() + user.Text()->Sections().front().keys.size() > 1) {
        user.Warning(0, std::string("there is no [") + Settings::Section + "] section: the launcher " + from);
    }
}

// A boolean or integer in any other form than an integer is read as the key's default, also
// where shells.ini gives the key another value.
void TSettingsCheck::CheckForms(const TSource& source) {
    for (const TIniKey& key : Settings::Keys) {
        const std::optional<std::string> value = Given(source, key);
        if (key.Form == TIniValueForm::Text || !value || !source.Check.RawValue(Settings::Section, key.Name)) continue;
        std::int32_t number = 0;
        if (TIniFile::TryParseInteger(*value, number)) continue;
        const std::int32_t fallback = TIniFile::NumberOf(*value, key);
        const std::string taken = key.Form == TIniValueForm::Boolean ? OnOff(fallback != 0) : std::to_string(fallback);
        const bool sharedToo = &source.File == &User_.File && Given(Shared_, key).has_value();
        source.Check.Warning(Line(source, key),
                             std::string(key.Name) + "=" + *value + " is not a whole number: the launcher reads it as " +
                                 taken + ", its default" + (sharedToo ? ", not the value of " + Shared_.Check.Shown() : "") +
                                 (key.Form == TIniValueForm::Boolean ? "; write 1 for on or 0 for off" : "") +
                                 OverriddenNote(source, key));
    }
}

// Without a DefaultShell, a remembered shell still takes its place, once a launch has remembered one.
// The countdown's keys may come from both files and the policies: a DefaultShell given empty in
// another place than the key of the finding is pointed out. A DefaultShell that the AllowedShells
// policy leaves out counts as none.
void TSettingsCheck::CheckCountdown(const TCorvaneSettings& settings, const TAllowedShells& allowed) {
    const std::string unlessRemembered =
        settings.RememberLastShell ? " unless a shell that an earlier logon started is remembered" : "";
    const auto noDefault = [&](const TIniKey& key) {
        const std::optional<TPolicyScope> policy = settings.PolicyOf(Settings::DefaultShellKey);
        if (policy) return policy == settings.PolicyOf(key) ? std::string() : " (DefaultShell= of " + TPolicyIO::SourceName(*policy) + ")";
        const TIniFile* file = settings.FileOf(Settings::DefaultShellKey);
        if (file == nullptr || file == settings.FileOf(key)) return std::string();
        const TSource from = SourceOf(settings, Settings::DefaultShellKey);
        return " (DefaultShell= on line " + std::to_string(Line(from, Settings::DefaultShellKey)) + " of " +
               from.Check.Shown() + ")";
    };
    const std::string refused = settings.DefaultShell.empty() || allowed.Allows(settings.DefaultShell)
                                    ? std::string()
                                    : "DefaultShell=" + settings.DefaultShell + " is not among the shells that " +
                                          allowed.Described() + " allows";
    if (!settings.ShowLauncher) {
        const TReport at = AtValue(settings, Settings::ShowLauncherKey);
        if (settings.DefaultShell.empty()) {
            at(TSeverity::Warning, "ShowLauncher is off and there is no DefaultShell" + noDefault(Settings::ShowLauncherKey) +
                                       ": loadshell shows no chooser and starts no shell" + unlessRemembered);
        } else if (!refused.empty()) {
            at(TSeverity::Warning, "ShowLauncher is off and " + refused + ": loadshell refuses it with an error" + unlessRemembered);
        }
        return;
    }
    if (!settings.UseTimer) return;
    if (settings.DefaultShell.empty() || !refused.empty()) {
        AtValue(settings, Settings::UseTimerKey)(
            TSeverity::Warning, "UseTimer is on and " +
                                    (refused.empty() ? "there is no DefaultShell" + noDefault(Settings::UseTimerKey) : refused) +
                                    ": when the countdown runs out the chooser closes and no shell starts" + unlessRemembered);
    }
    const std::uint32_t interval = CountdownInterval(settings.TimerLength);
    const std::string given = "TimerLength=" + std::to_string(settings.TimerLength);
    const TReport at = AtValue(settings, Settings::TimerLengthKey);
    if (interval == 0) {
        at(TSeverity::Warning, given + ": a countdown of " + (settings.TimerLength < 0 ? "less than 0" : "0") +
                                   " seconds never runs out; the chooser waits for the user");
    } else if (static_cast<std::int64_t>(interval) != static_cast<std::int64_t>(settings.TimerLength) * 1000) {
        at(TSeverity::Warning, given + " is longer than the longest countdown: the chooser counts " +
                                   std::to_string(interval / 1000) + " seconds");
    }
}

// A DefaultShell without an entry that builds stops the launcher at start. An entry of a shell
// that the list offers is checked with the list; one that the list does not offer is checked here.
void TSettingsCheck::CheckDefaultShell(const std::string& name, const TReport& report, const std::string& note) {
    if (name.empty()) return;
    const std::vector<std::string> listed = Shells_.IniFile.ReadSection(TShellListIO::Section);
    const bool offered = platform::System().Lists(listed, name);
    const std::string entry = Shells_.ReadShellEntry(name);
    if (entry.empty()) {
        const std::optional<std::string> meant = NearestWord(name, listed);
        report(TSeverity::Error, "DefaultShell=" + name +
                                     (offered ? ": the entry of that shell in shells.ini is empty"
                                              : " names no shell of shells.ini" +
                                                    (meant ? " (did you mean " + *meant + "?)" : std::string())) +
                                     ": the launcher stops at start with \"" + EListError(0).what() + "\"" + note);
        return;
    }
    if (offered) return;
    try {
        TShellListItem item(entry);
    } catch (const ECorvaneError& error) {
        report(TSeverity::Error, "DefaultShell=" + name + ": its entry in shells.ini does not read: the launcher stops "
                                                          "at start with \"" + error.what() + "\"" + note);
    }
}

void TSettingsCheck::CheckScheme(const std::string& name, const TReport& report, const std::string& note) {
    const std::string file = TColoursIO::SchemeFileOf(Context_.Options.ProgramFolder, name);
    if (platform::Files().FileExists(file)) return;
    report(TSeverity::Warning, "ColourSchemeName=" + name + ": there is no scheme file " + Context_.Shown(file) +
                                   ", so the chooser takes the default colours" + note);
}

} // namespace corvane
