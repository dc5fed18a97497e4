// A test program that uses the shell chooser exactly as the launcher's loadshell does: create
// it, hand it the context, copy the shell list into it, set up its colours, start the countdown
// when the settings ask for one, show it modally, stop the countdown and read the chosen shell.
// It writes the chosen shell's name (or "(none)") to "chosen.txt" beside itself, or the error
// that ended it (exit code 1).
#include <windows.h>

#include <exception>
#include <fstream>
#include <string>

#include "config/CorvaneInfo.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"
#include "ui/ShellChooseForm.h"

namespace {

std::string ChooseShell() {
    const corvane::TCorvaneInfo info;
    corvane::TfrmShellChoose form;
    form.Info = &info;
    for (const auto& entry : info.ShellList) form.lstShells.AddItem(entry.Name);
    form.SetUpColours();
    if (info.Settings.UseTimer) form.StartCountdown(info.Settings.TimerLength, info.Settings.DefaultShell);
    form.ShowModal();
    form.tmrLoadShell.SetEnabled(false);
    return form.SelectedShell != nullptr ? form.SelectedShell->Name : "(none)";
}

void Report(const std::string& text) {
    std::ofstream(corvane::TCorvaneInfo::FindProgramFolder() + "chosen.txt", std::ios::binary) << text;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    corvane::platform::Install(corvane::platform::win32::CreateServices());
    try {
        Report(ChooseShell());
        return 0;
    } catch (const std::exception& error) {
        Report(corvane::ErrorBoxText(error));
        return 1;
    }
}
