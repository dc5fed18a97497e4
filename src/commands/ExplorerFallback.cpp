#include "commands/ExplorerFallback.h"

#include "commands/LaunchAsShell.h"
#include "platform/EventRecord.h"
#include "platform/Platform.h"
#include "text/AsciiText.h"

namespace corvane {

bool TExplorerFallback::IsLogonShell() const { return ShellIO_.Starts(platform::Files().ExePath()); }

std::string TExplorerFallback::ExplorerPath() { return platform::System().WindowsFolder() + ExplorerFile; }

bool TExplorerFallback::Run() const {
    const std::string explorer = ExplorerPath();
    platform::RecordEvent("Explorer fallback: this logon shell's run started no program; starting " + Quoted(explorer) +
                          " as the shell");
    platform::Messages().ShowMessage(NothingStarted);
    std::string previousShell;
    const platform::ProgramStart start = StartAsShell(ShellIO_, previousShell, explorer, "", {});
    if (!start.Started) {
        platform::Messages().ShowMessage(StartFailedError(explorer, start.Reason));
    }
    return start.Started;
}

} // namespace corvane
