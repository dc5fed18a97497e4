#include "commands/ExplorerFallback.h"

#include "commands/LaunchAsShell.h"
#include "platform/Platform.h"

namespace corvane {

bool TExplorerFallback::IsLogonShell() const { return ShellIO_.Starts(platform::Files().ExePath()); }

std::string TExplorerFallback::ExplorerPath() { return platform::System().WindowsFolder() + ExplorerFile; }

bool TExplorerFallback::Run() const {
    platform::Messages().ShowMessage(NothingStarted);
    const std::string explorer = ExplorerPath();
    std::string previousShell;
    const platform::ProgramStart start = StartAsShell(ShellIO_, previousShell, explorer, "", {});
    if (!start.Started) {
        platform::Messages().ShowMessage(StartFailedError(explorer, start.Reason));
    }
    return start.Started;
}

} // namespace corvane
