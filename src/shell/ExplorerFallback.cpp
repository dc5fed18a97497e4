#include "shell/ExplorerFallback.h"

#include "platform/DesktopServices.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "record/EventRecord.h"
#include "shell/StartAsShell.h"
#include "shell/StartReport.h"
#include "text/AsciiText.h"
#include "record/SystemEvent.h"

namespace corvane {

bool TExplorerFallback::IsLogonShell() const {
    return ShellIO_.Starts(platform::Files().ExePath()) && !platform::Desktop().ShellRunning();
}

std::string TExplorerFallback::ExplorerPath() { return platform::System().WindowsFolder() + ExplorerFile; }

namespace {
// What the switch's failure means for Explorer, in a sentence.
std::string WithoutTheSwitch(const std::string& error) {
    return "the shell setting could not be switched to it (" + error + ")";
}
std::string NotPutBack(const std::string& error) {
    return "The shell setting could not be put back after Explorer's start: " + error;
}
} // namespace

bool TExplorerFallback::Run() const {
    RecordEvent("Explorer fallback: this logon shell's run started no program; starting " + Quoted(ExplorerPath()) +
                " as the shell");
    ReportProblem(SystemEvent::ExplorerFallback, NothingStarted);
    const TOutcome outcome = Start();
    if (!outcome.Start.Started) {
        ReportProblem(
            SystemEvent::StartFailed,
            StartFailedError(ExplorerPath(), outcome.Start.Reason) +
            (outcome.SwitchError.empty() ? "" : "\r\nBefore that, " + WithoutTheSwitch(outcome.SwitchError) + "."));
    } else if (!outcome.SwitchError.empty()) {
        ReportProblem(SystemEvent::ErrorReported, "Explorer was started as a window of files, not as the shell: " +
                                                      WithoutTheSwitch(outcome.SwitchError) + ".");
    } else if (!outcome.RestoreError.empty()) {
        ReportProblem(SystemEvent::ErrorReported, NotPutBack(outcome.RestoreError));
    }
    return outcome.Start.Started;
}

// Only a failure before the start is answered with the plain start: after it, Explorer runs.
TExplorerFallback::TOutcome TExplorerFallback::Start() const {
    TOutcome outcome;
    bool started = false;
    try {
        std::string previousShell;
        outcome.Start = StartAsShell(ShellIO_, previousShell, ExplorerPath(), "",
                                     [&](const platform::ProgramStart& start) {
                                         started = true;
                                         outcome.Start = start;
                                     });
        return outcome;
    } catch (const std::exception& error) {
        if (started) {
            outcome.RestoreError = ErrorLine(error);
            return outcome;
        }
        outcome.SwitchError = ErrorLine(error);
    }
    RecordEvent("Explorer fallback: the switch failed (" + outcome.SwitchError + "); starting " + Quoted(ExplorerPath()) +
                " without it");
    outcome.Start = platform::Shell().Execute(ExplorerPath(), "", "");
    RecordEvent(ProgramStartEvent("plain start", ExplorerPath(), "", outcome.Start));
    return outcome;
}

std::string TExplorerFallback::Instead(const TOutcome& outcome) {
    if (!outcome.Start.Started) {
        return "Explorer could not be started instead: " + outcome.Start.Reason +
               (outcome.SwitchError.empty() ? "" : " Before that, " + WithoutTheSwitch(outcome.SwitchError) + ".");
    }
    if (!outcome.SwitchError.empty()) {
        return "Explorer was started instead, as a window of files: " + WithoutTheSwitch(outcome.SwitchError) + ".";
    }
    if (!outcome.RestoreError.empty()) return "Explorer was started instead. " + NotPutBack(outcome.RestoreError);
    return "Explorer was started instead.";
}

} // namespace corvane
