#include "app/Application.h"

#include <exception>
#include <memory>
#include <stdexcept>

#include "app/CommandLine.h"
#include "app/RunScript.h"
#include "config/ConfigurationTrust.h"
#include "config/CorvaneInfo.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "record/EventRecord.h"
#include "shell/ExplorerFallback.h"
#include "shell/ShellRecovery.h"
#include "record/SystemEvent.h"

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
        ReportProblem(SystemEvent::ErrorReported,
                      "The shell setting that an earlier launch left switched could not be put back:\r\n" + ErrorLine(error));
    }
}

// At a logon, whoever can change the configuration could run their programs in it. The user's
// own logon runs it all the same, since the user chose where it lies, and the record says so; a
// logon of every user runs none of it: the box says which file and who, and the way back gives
// Explorer.
bool ConfigurationMayRun(bool everyUser) {
    const std::vector<TConfigurationTrust::TFinding> findings =
        TConfigurationTrust(TCorvaneInfo::FindProgramFolder(), TCorvaneInfo::GetCurrentUserName(), !everyUser).Check();
    if (findings.empty()) return true;
    const std::string described = TConfigurationTrust::Described(findings.front());
    if (!everyUser) {
        RecordEvent("configuration open to others: " + described + "; it runs, being this user's own shell");
        LogEvent(SystemEvent::ConfigurationOpen, "Corvane runs a configuration that others can change, being the own shell of " +
                                                     TCorvaneInfo::GetCurrentUserName() + ": " + described + ".");
        return true;
    }
    RecordEvent("configuration refused: " + described + "; this logon of every user's shell runs none of it");
    ReportProblem(SystemEvent::ConfigurationRefused, TConfigurationTrust::LogonRefused(findings.front()));
    return false;
}

// The script's run. A logon shell's run that started no program, however it ended, gives the
// user Explorer as the desktop after the box of any error that ended it. error gets the error
// that ended the run (the last one, when the fallback failed too).
int RunLauncher(std::string& error) {
    const TShellIO shellIO;
    const TExplorerFallback fallback(shellIO);
    bool logonShell = false;
    bool everyUser = false;
    try {
        logonShell = fallback.IsLogonShell();
        everyUser = logonShell && shellIO.StartsForEveryUser(platform::Files().ExePath());
    } catch (const std::exception& error) {
        ShowFatalError(error);
    }
    int code = 0;
    std::unique_ptr<TRunScript> run;
    try {
        if (logonShell && !ConfigurationMayRun(everyUser)) {
            code = 1;
        } else {
            run = std::make_unique<TRunScript>();
            run->Run();
        }
    } catch (const std::exception& failure) {
        ShowFatalError(failure);
        error = ErrorLine(failure);
        code = 1;
    } catch (...) {
        const std::runtime_error unknown("Unknown error");
        ShowFatalError(unknown);
        error = ErrorLine(unknown);
        code = 1;
    }
    if (logonShell && (run == nullptr || run->ProgramsStarted() == 0)) {
        try {
            if (!fallback.Run()) code = 1;
        } catch (const std::exception& failure) {
            ShowFatalError(failure);
            error = ErrorLine(failure);
            code = 1;
        }
    }
    return code;
}

// The first line of a run in the logon record.
//     start: user alice, folder C:\Corvane\, version 3.0.0.0, command line: --recover
// A run that the launcher started itself (its guard, a shell's watcher) names its command line
// alone: its user and version are its launcher's, and asking for them would load libraries that
// a watcher, waiting all session long, does without.
void RecordStart(const std::vector<std::string>& arguments) {
    if (TCommandLine::IsLaunchersOwn(arguments)) {
        RecordEvent("start: folder " + TCorvaneInfo::FindProgramFolder() +
                              ", command line: " + TCommandLine::Shown(arguments));
        return;
    }
    const std::string version = platform::System().ProgramVersion();
    RecordEvent("start: user " + TCorvaneInfo::GetCurrentUserName() + ", folder " +
                          TCorvaneInfo::FindProgramFolder() + ", version " + (version.empty() ? "unknown" : version) +
                          ", command line: " +
                          (arguments.empty() ? std::string("(none)") : TCommandLine::Shown(arguments)));
}

// The last line of a run of the script: its exit code, and the error that ended it, if one did.
//     end: exit code 1 after the error EListError: List index out of bounds (2)
void RecordEnd(int code, const std::string& error) {
    RecordEvent("end: exit code " + std::to_string(code) + (error.empty() ? "" : " after the error " + error));
}

} // namespace

// Every run begins its lines in the logon record with its start; an option's run ends them with
// the option's exit code, the script's run with its own.
int RunProgram(const std::vector<std::string>& arguments) {
    std::string error;
    try {
        RecordStart(arguments);
        TApplication application;
        application.Initialize();
        application.SetTitle(ApplicationTitle);
        application.ShowMainForm = false;
        if (TCommandLine::IsOption(arguments)) return TCommandLine::Run(arguments);
        RecoverAtStart();
        const int code = RunLauncher(error);
        application.Run();
        RecordEnd(code, error);
        return code;
    } catch (const std::exception& failure) {
        ShowFatalError(failure);
        error = ErrorLine(failure);
    } catch (...) {
        const std::runtime_error unknown("Unknown error");
        ShowFatalError(unknown);
        error = ErrorLine(unknown);
    }
    RecordEnd(1, error);
    return 1;
}

} // namespace corvane
