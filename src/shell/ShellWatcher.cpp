#include "shell/ShellWatcher.h"

#include <algorithm>

#include "platform/Errors.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "record/EventRecord.h"
#include "shell/ExplorerFallback.h"
#include "shell/RestartPolicy.h"
#include "shell/StartAsShell.h"
#include "shell/StartReport.h"
#include "text/AsciiText.h"
#include "text/CommandLineArgument.h"

namespace corvane {

namespace {

// The lock that the watcher of a shell holds in this session: by the shell's name, in any letter
// case, since the chooser lists no two shells of one name. A lock's name takes no backslash.
std::string WatchLock(const std::string& name) {
    std::string lock = "Local\\CorvaneWatch." + AsciiLowerCase(name);
    std::replace(lock.begin() + 6, lock.end(), '\\', '/');
    return lock;
}

// Small exit codes as numbers, the system's status codes (0xC0000005) as it writes them.
std::string ExitCodeText(std::uint32_t code) {
    if (code < 0x10000) return std::to_string(code);
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += digits[(code >> shift) & 0xF];
    return text;
}

} // namespace

std::string TShellWatcher::EndedTooOften(const std::string& name, int ends, const platform::ProgramStart& explorer) {
    return name + " ended unexpectedly " + std::to_string(ends) + " times within a minute; " +
           (explorer.Started ? std::string("Explorer was started instead.")
                             : "Explorer could not be started instead: " + explorer.Reason);
}

bool TShellWatcher::CanWatch(const std::string& path) {
    const std::size_t name = path.find_last_of("\\/:");
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name)) return true; // found as .exe
    const std::string extension = AsciiLowerCase(path.substr(dot));
    return extension == ".exe" || extension == ".com" || extension == ".bat" || extension == ".cmd";
}

bool TShellWatcher::StartFor(const TShell& shell, const platform::HeldProcess& process) {
    platform::Processes& processes = platform::Process();
    return processes.StartHolding(platform::Files().ExePath(),
                                  std::string(Option) + " " + processes.HoldName(process) + " " +
                                      QuoteArgument(shell.Name) + " " + QuoteArgument(shell.Path) + " " +
                                      QuoteArgument(shell.Parameters),
                                  process);
}

std::optional<TShellWatcher::TWatch> TShellWatcher::FromArguments(const TStringList& arguments) {
    if (arguments.size() != 4) return std::nullopt;
    std::shared_ptr<platform::HeldProcess> process = platform::Process().HeldBy(arguments[0]);
    if (process == nullptr) return std::nullopt;
    return TWatch{{arguments[1], arguments[2], arguments[3]}, std::move(process)};
}

// A restart that fails, or a switch that fails, leaves no shell running: both end the loop in
// Explorer, after the box of what went wrong.
int TShellWatcher::Run(std::shared_ptr<platform::HeldProcess> process) const {
    const std::unique_ptr<platform::MachineLock> lock = platform::Windows().LockMachineWide(WatchLock(Shell_.Name), 0);
    const std::string watch = "watch of " + Quoted(Shell_.Name) + ": ";
    if (lock == nullptr) {
        RecordEvent(watch + "another watcher of this session watches it");
        return 0;
    }
    const TExplorerFallback fallback(ShellIO_);
    TRestartPolicy policy;
    try {
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
            switch (action) {
            case TRestartPolicy::TAction::End:
                return 0;
            case TRestartPolicy::TAction::GiveExplorer: {
                const platform::ProgramStart explorer = fallback.Start();
                platform::Messages().ShowMessage(EndedTooOften(Shell_.Name, policy.RecentEnds(), explorer));
                return explorer.Started ? 0 : 1;
            }
            case TRestartPolicy::TAction::Restart:
                break;
            }
            std::string previousShell;
            const platform::ProgramStart start = StartAsShell(ShellIO_, previousShell, Shell_.Path, Shell_.Parameters, {});
            if (!start.Started) {
                platform::Messages().ShowMessage(StartFailedError(Shell_.Path, start.Reason));
                break;
            }
            if (start.Process == nullptr) return 0; // nothing of its own to watch any more
            process = start.Process;
        }
    } catch (const std::exception& error) {
        platform::Messages().ShowMessage(ErrorLine(error));
    }
    try {
        return fallback.Run() ? 0 : 1;
    } catch (const std::exception& error) {
        platform::Messages().ShowMessage(ErrorLine(error));
    }
    return 1;
}

} // namespace corvane
