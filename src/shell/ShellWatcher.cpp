#include "shell/ShellWatcher.h"

#include "platform/Errors.h"
#include "platform/Platform.h"
#include "record/EventRecord.h"
#include "shell/RestartPolicy.h"
#include "shell/StartAsShell.h"
#include "shell/StartReport.h"
#include "text/AsciiText.h"
#include "text/CommandLineArgument.h"
#include "record/SystemEvent.h"

namespace corvane {

namespace {

// Small exit codes as numbers, the system's status codes (0xC0000005) as it writes them.
std::string ExitCodeText(std::uint32_t code) {
    if (code < 0x10000) return std::to_string(code);
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += digits[(code >> shift) & 0xF];
    return text;
}

} // namespace

std::string TShellWatcher::EndedTooOften(const std::string& name, int ends, const TExplorerFallback::TOutcome& explorer) {
    return name + " ended unexpectedly " + std::to_string(ends) + " times within a minute; " +
           TExplorerFallback::Instead(explorer);
}

std::string TShellWatcher::RestartFailed(const std::string& name, const std::string& why,
                                         const TExplorerFallback::TOutcome& explorer) {
    return name + " ended unexpectedly and could not be started again: " + why + "\r\n" +
           TExplorerFallback::Instead(explorer);
}

bool TShellWatcher::CanWatch(const std::string& path) {
    const std::size_t name = path.find_last_of("\\/:");
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name)) return true; // found as .exe
    const std::string extension = AsciiLowerCase(path.substr(dot));
    return extension == ".exe" || extension == ".com" || extension == ".bat" || extension == ".cmd";
}

bool TShellWatcher::StartFor(const TShell& shell, const platform::ProgramStart& start) {
    const std::string unwatched = "watch of " + Quoted(shell.Name) + ": not watched: ";
    if (start.Process == nullptr) {
        RecordEvent(unwatched + "its start gives no process of its own (a document or a shortcut opened by another program)");
        return false;
    }
    platform::Processes& processes = platform::Process();
    if (!processes.StartHolding(platform::Files().ExePath(),
                                std::string(Option) + " " + processes.HoldName(*start.Process) + " " +
                                    QuoteArgument(shell.Name) + " " + QuoteArgument(shell.Path) + " " +
                                    QuoteArgument(shell.Parameters),
                                *start.Process)) {
        RecordEvent(unwatched + "its watcher could not be started");
        return false;
    }
    return true;
}

std::optional<TShellWatcher::TWatch> TShellWatcher::FromArguments(const TStringList& arguments) {
    if (arguments.size() != 4) return std::nullopt;
    std::shared_ptr<platform::HeldProcess> process = platform::Process().HeldBy(arguments[0]);
    if (process == nullptr) return std::nullopt;
    return TWatch{{arguments[1], arguments[2], arguments[3]}, std::move(process)};
}

// The box comes after Explorer's start, so that the user reads it on a desktop, and says what
// happened in the order it happened.
int TShellWatcher::GiveExplorer(const std::function<std::string(const TExplorerFallback::TOutcome&)>& say) const {
    const TExplorerFallback::TOutcome explorer = TExplorerFallback(ShellIO_).Start();
    ReportProblem(SystemEvent::ShellGivenUp, say(explorer));
    return explorer.Start.Started ? 0 : 1;
}

// A restart that fails before the shell started, in the switch or in the start itself, leaves no
// shell running: Explorer takes its place. One that fails after the start (the restore) leaves
// the shell running, and the watch goes on.
int TShellWatcher::Run(std::shared_ptr<platform::HeldProcess> process) const {
    const std::string watch = "watch of " + Quoted(Shell_.Name) + ": ";
    TRestartPolicy policy;
    for (;;) {
        RecordEvent(watch + "waiting on process " + std::to_string(process->Identity().Id));
        const std::optional<std::uint32_t> exitCode = platform::Process().WaitForExitOrSessionEnd(*process);
        if (!exitCode) {
            RecordEvent(watch + "the session ends");
            return 0;
        }
        const TRestartPolicy::TAction action = policy.AfterEnd(*exitCode, platform::System().TickCount());
        RecordEvent(watch + "ended with exit code " + ExitCodeText(*exitCode) +
                    (action == TRestartPolicy::TAction::End ? ", its own choice: the watch ends"
                     : action == TRestartPolicy::TAction::Restart
                         ? "; starting it again (" + std::to_string(policy.RecentEnds()) + " within a minute)"
                         : "; starting Explorer instead"));
        if (action == TRestartPolicy::TAction::End) return 0;
        if (action == TRestartPolicy::TAction::Restart) {
            LogEvent(SystemEvent::ShellRestarted, Shell_.Name + " ended unexpectedly with exit code " + ExitCodeText(*exitCode) +
                                                      "; starting it again (" + std::to_string(policy.RecentEnds()) +
                                                      " ends within a minute).");
        }
        if (action == TRestartPolicy::TAction::GiveExplorer) {
            const int ends = policy.RecentEnds();
            return GiveExplorer([&](const TExplorerFallback::TOutcome& explorer) {
                return EndedTooOften(Shell_.Name, ends, explorer);
            });
        }
        std::optional<platform::ProgramStart> restarted;
        std::string failure;
        try {
            std::string previousShell;
            const platform::ProgramStart start =
                StartAsShell(ShellIO_, previousShell, Shell_.Path, Shell_.Parameters,
                             [&restarted](const platform::ProgramStart& started) { restarted = started; });
            if (!start.Started) failure = StartFailedError(Shell_.Path, start.Reason);
        } catch (const std::exception& error) {
            if (!restarted) {
                failure = ErrorLine(error);
            } else {
                ReportProblem(SystemEvent::ErrorReported, ErrorLine(error));
            }
        }
        if (!failure.empty()) {
            return GiveExplorer([&](const TExplorerFallback::TOutcome& explorer) {
                return RestartFailed(Shell_.Name, failure, explorer);
            });
        }
        if (restarted->Process == nullptr) {
            RecordEvent(watch + "the restarted shell gives no process of its own to watch: the watch ends");
            return 0;
        }
        process = restarted->Process;
    }
}

} // namespace corvane
