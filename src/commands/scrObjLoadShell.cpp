#include "commands/scrObjLoadShell.h"

#include "config/CorvaneInfo.h"
#include "platform/Platform.h"
#include "record/EventRecord.h"
#include "shell/ShellWatcher.h"
#include "shell/StartAsShell.h"
#include "shell/StartReport.h"
#include "text/AsciiText.h"
#include "ui/ApplyWallpaper.h"
#include "ui/ShellChooseForm.h"
#include "record/SystemEvent.h"

namespace corvane {

std::string ShellNotFoundWarning(const std::string& path) { return "Shell not found - " + path + " - attempting load anyway"; }

bool RefusedByPolicy(const TscrObjAncestor& statement, const TShellListItem* shell, const std::string& path) {
    const TCorvaneInfo& info = *statement.Info;
    if (shell != nullptr ? info.AllowedShells.Allows(shell->Name) : info.AllowedShells.AllowsProgram(path, info.ShellList)) {
        return false;
    }
    statement.ReportError(shell != nullptr ? info.AllowedShells.ShellRefused(shell->Name)
                                           : info.AllowedShells.ProgramRefused(path));
    return true;
}

bool LaunchAsShell(TscrObjAncestor& statement, std::string& previousShell, const std::string& path,
                   const std::string& parameters, const std::optional<std::string>& variableName,
                   const std::string& value, const TShellListItem* shell) {
    if (RefusedByPolicy(statement, shell, path)) return false;
    if (!platform::Files().FileExists(path)) {
        statement.ReportWarning(ShellNotFoundWarning(path));
    }
    const platform::ProgramStart start =
        StartAsShell(statement.Info->ShellIO, previousShell, path, parameters, [&](const platform::ProgramStart& started) {
            ++statement.ProgramsStarted;
            if (variableName) statement.Vars.AddVar(*variableName, value);
            // Watched from the start, so that a crash during the pause is answered too.
            if (shell != nullptr && shell->CrashProtected) TShellWatcher::StartFor({shell->Name, path, parameters}, started);
        });
    if (!start.Started) statement.ReportError(StartFailedError(path, start.Reason), SystemEvent::StartFailed);
    return start.Started;
}

namespace {

// The logon record's line of the shell that the chooser gave, and how.
std::string ChooserEvent(TChooserOutcome outcome, const TShellListItem* item) {
    if (outcome == TChooserOutcome::Cancelled) return "chooser: cancelled";
    const std::string shell = item != nullptr ? Quoted(item->Name) : std::string("no shell");
    return "chooser: " + shell + " by " + std::string(ChooserOutcomeName(outcome));
}

// The same of the shell taken without the chooser.
std::string NoChooserEvent(const TCorvaneInfo& info, const TShellListItem* item) {
    std::string event = "no chooser (ShowLauncher off): ";
    if (item == nullptr) return event + "no default shell, nothing to start";
    return event + Quoted(item->Name) +
           (item == info.Settings.DefaultShellItem.get() ? ", the default shell" : ", the remembered shell");
}

} // namespace

// Takes the shell from the chooser (or, when the chooser is off, the shell in the default
// shell's place: the remembered one or the default shell), applies its wallpaper and launches it
// as the shell. No shell taken: nothing happens at all. A default shell that the AllowedShells
// policy leaves out is refused with the policy's error, before its wallpaper. A shell that
// started is remembered for the next logon once the setting is back, when the settings ask for
// that; a refused write leaves the remembered shell as it was and the launch goes on as if
// nothing had happened.
void TscrObjLoadShell::Execute() {
    const TShellListItem* item = Info->Settings.ShowLauncher ? ChooseShell() : Info->PreferredShell.Item;
    if (!Info->Settings.ShowLauncher) {
        if (item == nullptr) item = Info->Settings.DefaultShellItem.get();
        RecordEvent(NoChooserEvent(*Info, item));
    }
    if (item == nullptr || RefusedByPolicy(*this, item, item->Path)) {
        return;
    }
    if (platform::Files().FileExists(item->Wallpaper)) {
        ApplyWallpaper(item->Wallpaper, Info->ProgramFolder + WallpaperFile, UserWallpaperFile());
    }
    const std::optional<std::string> variable = Args.empty() ? std::nullopt : std::optional<std::string>(Args[0]);
    if (LaunchAsShell(*this, PreviousShell, item->Path, item->Parameters, variable, item->Name, item)) {
        Info->LastShellIO.Remember(item->Name);
    }
}

// A program folder that the user may not change (Program Files, a folder all users share)
// cannot take the converted wallpaper; the user's own local application data can.
std::string TscrObjLoadShell::UserWallpaperFile() {
    const std::string folder = platform::Files().LocalAppDataFolder();
    return folder.empty() ? std::string() : folder + UserWallpaperFolder + "\\" + WallpaperFile;
}

// The chooser is set up as the context says, shown modally and destroyed when this returns,
// also when a step fails.
const TShellListItem* TscrObjLoadShell::ChooseShell() {
    TfrmShellChoose form;
    form.Info = Info;
    for (const auto& entry : Info->ShellList) {
        form.lstShells.AddItem(entry.Name);
    }
    form.SetUpColours();
    const TCorvaneSettings& settings = Info->Settings;
    if (settings.UseTimer) {
        form.StartCountdown(settings.TimerLength, Info->PreferredShell.Name);
    }
    form.ShowModal();
    form.tmrLoadShell.SetEnabled(false);
    RecordEvent(ChooserEvent(form.Outcome(), form.SelectedShell));
    return form.SelectedShell;
}

} // namespace corvane
