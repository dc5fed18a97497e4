// A small Windows program that runs parts of the launcher's configuration code with the real
// Windows services and prints what they give, for the end-to-end driver to check under Wine:
// values that corvane.exe uses but never shows.
//   corvane_probe platform          the Windows family identifier
//   corvane_probe read-shell        the system shell setting
//   corvane_probe write-shell TEXT  makes TEXT the system shell setting
//   corvane_probe context           builds the launcher's context in the probe's own folder
//   corvane_probe record N TEXT     writes N events "TEXT i" into the logon record, one by one
//   corvane_probe descriptor PATH   the security descriptor of PATH, the current user and whether
//                                   the owner and the user administer the machine
// Exit code 0 on success, 1 when an error escaped (its kind and message are printed).
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "config/CorvaneInfo.h"
#include "config/ShellIO.h"
#include "platform/Errors.h"
#include "platform/FileSecurity.h"
#include "platform/Platform.h"
#include "platform/Processes.h"
#include "platform/win32/Win32Platform.h"
#include "record/EventRecord.h"

namespace {

void PrintItem(const char* label, const corvane::TShellListItem& item) {
    std::printf("%s=%s|%s|%s|%d|%s|%s|%s|%s\n", label, item.Name.c_str(), item.Path.c_str(), item.Parameters.c_str(),
                item.CrashProtected ? 1 : 0, item.CrashProtectedText.c_str(), item.CrashProtectedCaption.c_str(),
                item.Wallpaper.c_str(), item.IconIndex > 0 ? "icon" : "no icon");
}

void PrintContext() {
    const corvane::TCorvaneInfo info;
    const corvane::TCorvaneSettings& settings = info.Settings;
    std::printf("UserIni=%s\n", info.UserIni.FileName().c_str());
    std::printf("Settings=%d|%d|%d|%s|%s|%d\n", settings.UseTimer ? 1 : 0, settings.ShowLauncher ? 1 : 0,
                static_cast<int>(settings.TimerLength), settings.DefaultShell.c_str(),
                settings.ColourSchemeName.c_str(), settings.FadeLauncher ? 1 : 0);
    for (const auto& entry : info.ShellList) PrintItem(("Shell " + entry.Name).c_str(), *entry.Item);
    if (settings.DefaultShellItem) PrintItem("DefaultShellItem", *settings.DefaultShellItem);
    const corvane::TColoursIO& colours = info.ColoursIO;
    std::printf("Colours=%s|%ld|%ld|%ld|%s|%ld\n", colours.SchemeFile.c_str(), static_cast<long>(colours.BaseColour),
                static_cast<long>(colours.Contrast), static_cast<long>(colours.AlphaValue), colours.LogoFont.c_str(),
                static_cast<long>(colours.LogoFontSize));
}

int Run(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    const corvane::TShellIO shellIO;
    if (command == "platform") {
        std::printf("%d\n", corvane::platform::System().PlatformId());
    } else if (command == "read-shell") {
        std::printf("%s\n", shellIO.ReadShell().c_str());
    } else if (command == "write-shell" && argc > 2) {
        shellIO.WriteShell(argv[2]);
        std::printf("ok\n");
    } else if (command == "context") {
        PrintContext();
    } else if (command == "record" && argc > 3) {
        const int count = std::atoi(argv[2]);
        for (int i = 0; i < count; ++i) corvane::RecordEvent(std::string(argv[3]) + " " + std::to_string(i));
    } else if (command == "descriptor" && argc > 2) {
        corvane::platform::FileSecurity& security = corvane::platform::Security();
        const std::string sddl = security.Descriptor(argv[2]).value_or("(none)");
        const std::string user = security.CurrentUser();
        std::printf("descriptor=%s\nuser=%s %s administrator=%d\n", sddl.c_str(), user.c_str(),
                    security.AccountName(user).c_str(), security.IsAdministrator(user) ? 1 : 0);
    } else {
        std::fprintf(stderr, "usage: corvane_probe platform | read-shell | write-shell TEXT | context | record N TEXT | "
                             "descriptor PATH\n");
        return 2;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    corvane::platform::Install(corvane::platform::win32::CreateServices());
    corvane::TEventRecord record(corvane::platform::win32::LogonRecordStore(), corvane::platform::Process().Current().Id);
    corvane::TEventRecord::Use(&record);
    corvane::platform::Messages().SetTitle("Corvane v3 Launcher");
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::printf("%s\n", corvane::ErrorBoxText(error).c_str());
        return 1;
    }
}
