#include "app/Application.h"

#include <exception>
#include <memory>
#include <stdexcept>

#include "app/CommandLine.h"
#include "app/RunScript.h"
#include "commands/ExplorerFallback.h"
#include "commands/ShellRecovery.h"
#include "platform/Errors.h"
#include "platform/Platform.h"

namespace corvane {

void TApplication::Initialize() {}

void TApplication::SetTitle(const std::string& title) {
    Title_ = title;
    platform::Messages().SetTitle(title);
}

void TApplication::Run() {}

namespace {
// Shows the error that ended the run. Showing it must not fail in turn.
void ShowFatalError(const std::exception& error) noexcept {
    try {
        platform::Messages().ShowErrorBox("Application Error", ErrorBoxText(error));
    } catch (...) {
    }
}
// A launch that was killed during its pause left the shell setting switched: put it back before
// anything else. When that fails the logon goes on; the record stays for the next try.
void RecoverAtStart() {
    try {
        const TShellIO shellIO;
        TShellRecovery(shellIO).Recover();
    } catch (const std::exception& error) {
        platform::Messages().ShowMessage("The shell setting that an earlier launch left switched could not be put back:\r\n" +
                                         ErrorLine(error));
    }
}

// The script's run. A logon shell's run that started no program, however it ended, gives the
// user Explorer as the desktop after the box of any error that ended it.
int RunLauncher() {
    const TShellIO shellIO;
    const TExplorerFallback fallback(shellIO);
    bool logonShell = false;
    try {
        logonShell = fallback.IsLogonShell();
    } catch (const std::exception& error) {
        ShowFatalError(error);
    }
    int code = 0;
    std::unique_ptr<TRunScript> run;
    try {
        run = std::make_unique<TRunScript>();
        run->Run();
    } catch (const std::exception& error) {
        ShowFatalError(error);
        code = 1;
    } catch (...) {
        ShowFatalError(std::runtime_error("Unknown error"));
        code = 1;
    }
    if (logonShell && (run == nullptr || run->ProgramsStarted() == 0)) {
        try {
            if (!fallback.Run()) code = 1;
        } catch (const std::exception& error) {
            ShowFatalError(error);
            code = 1;
        }
    }
    return code;
}

} // namespace

int RunProgram(const std::vector<std::string>& arguments) {
    try {
        TApplication application;
        application.Initialize();
        application.SetTitle(ApplicationTitle);
        application.ShowMainForm = false;
        if (TCommandLine::IsOption(arguments)) return TCommandLine::Run(arguments);
        RecoverAtStart();
        const int code = RunLauncher();
        application.Run();
        return code;
    } catch (const std::exception& error) {
        ShowFatalError(error);
    } catch (...) {
        ShowFatalError(std::runtime_error("Unknown error"));
    }
    return 1;
}

} // namespace corvane
