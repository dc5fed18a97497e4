#include "commands/scrObjLoadShell.h"

#include "commands/LaunchAsShell.h"
#include "config/CorvaneInfo.h"
#include "platform/Platform.h"
#include "ui/ApplyWallpaper.h"
#include "ui/ShellChooseForm.h"

namespace corvane {

// Takes the shell from the chooser (or the default shell when the chooser is off), applies
// its wallpaper and launches it as the shell. No shell taken: nothing happens at all.
void TscrObjLoadShell::Execute() {
    const TCorvaneSettings& settings = Info->Settings;
    const TShellListItem* item = settings.ShowLauncher ? ChooseShell() : settings.DefaultShellItem.get();
    if (item == nullptr) {
        return;
    }
    if (platform::Files().FileExists(item->Wallpaper)) {
        ApplyWallpaper(item->Wallpaper, Info->ProgramFolder + WallpaperFile, UserWallpaperFile());
    }
    const std::optional<std::string> variable = Args.empty() ? std::nullopt : std::optional<std::string>(Args[0]);
    LaunchAsShell(*this, PreviousShell, item->Path, item->Parameters, variable, item->Name);
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
        form.StartCountdown(settings.TimerLength, settings.DefaultShell);
    }
    form.ShowModal();
    form.tmrLoadShell.SetEnabled(false);
    return form.SelectedShell;
}

} // namespace corvane
