#include "app/Application.h"

#include <exception>

#include "app/CommandLine.h"
#include "app/RunScript.h"
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

} // namespace

int RunProgram(const std::vector<std::string>& arguments) {
    try {
        TApplication application;
        application.Initialize();
        application.SetTitle(ApplicationTitle);
        application.ShowMainForm = false;
        if (TCommandLine::IsOption(arguments)) return TCommandLine::Run(arguments);
        RecoverAtStart();
        { TRunScript run; }
        application.Run();
        return 0;
    } catch (const std::exception& error) {
        ShowFatalError(error);
    } catch (...) {
        ShowFatalError(std::runtime_error("Unknown error"));
    }
    return 1;
}

} // namespace corvane
