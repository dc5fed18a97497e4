#include "check/ConfigChecker.h"

#include "check/IniCheck.h"
#include "check/PolicyCheck.h"
#include "check/SchemeCheck.h"
#include "check/ScriptCheck.h"
#include "check/SettingsCheck.h"
#include "check/ShellListCheck.h"
#include "check/TrustCheck.h"
#include "config/CorvaneInfo.h"
#include "platform/Platform.h"
#include "shell/ShellWatcher.h"
#include "text/AsciiText.h"

namespace corvane {

TConfigChecker::TConfigChecker(TCheckOptions options) : Options_(std::move(options)) {}

TCheckReport TConfigChecker::Run() const {
    TCheckReport report;
    TCheckContext context(Options_, report);
    const std::string& folder = Options_.ProgramFolder;
    const TIniFile userIni(TCorvaneInfo::UserFile(folder, Options_.UserName));
    const TIniFile shellsIni(TCorvaneInfo::ShellsFile(folder));
    const TShellListIO shellListIO(shellsIni);
    const TPolicyIO policies(TCorvaneSettings::Keys);
    const TAllowedShells allowed;
    const TCorvaneSettings settings(userIni, shellsIni, policies);
    TPolicyCheck(context, policies, allowed).Run(settings, shellListIO);

    // One look at each file: what concerns the whole file is said once, whichever check reads it.
    TIniCheck userCheck(userIni, context.Shown(userIni.FileName()), report);
    TIniCheck shellsIniCheck(shellsIni, context.Shown(shellsIni.FileName()), report);
    TSettingsCheck settingsCheck(context, userIni, userCheck, shellListIO, shellsIniCheck);
    settingsCheck.Run(settings, allowed);
    TShellListCheck shellsCheck(context, shellListIO, shellsIniCheck);
    shellsCheck.Run();
    if (settingsCheck.SchemeExists) TSchemeCheck(context, settings.ColourSchemeName).Run();
    TScriptCheck(context, TShellScriptIO(userIni).ScriptFile).Run();
    TTrustCheck(context).Run();

    for (const auto& shell : shellsCheck.Shells) {
        const TShellListItem& item = *shell.Item;
        report.Shell("shell " + shell.Name + (platform::System().CompareText(shell.Name, settings.DefaultShell) == 0 ? " (default)" : "") +
                     (allowed.Allows(shell.Name) ? "" : " (not offered: " + allowed.Described() + " leaves it out)") +
                     ": " + item.Path + (item.Parameters.empty() ? "" : " " + item.Parameters) + ", " +
                     (item.Wallpaper.empty() ? "no wallpaper" : "wallpaper " + item.Wallpaper) + ", " +
                     (!item.CrashProtected                         ? "not watched"
                      : TShellWatcher::CanWatch(item.Path) ? "watched (started again when it crashes)"
                                                           : "not watched (crash protected, but its process cannot be known)"));
    }
    return report;
}

} // namespace corvane
