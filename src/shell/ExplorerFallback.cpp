#include "shell/ExplorerFallback.h"

#include "platform/Platform.h"
#include "record/EventRecord.h"
#include "shell/StartAsShell.h"
#include "shell/StartReport.h"
#include "text/AsciiText.h"

namespace corvane {

bool TExplorerFallback::IsLogonShell() const { return ShellIO_.Starts(platform::Files().ExePath()); }

std::string TExplorerFallback::ExplorerPath() { return platform::System().WindowsFolder() + ExplorerFile; }

bool TExplorerFallback::Run() const {
    RecordEvent("Explorer fallback: this logon shell's run started no program; starting " +
                          Quoted(ExplorerPath()) + " as the shell");
    platform::Messages().ShowMessage(NothingStarted);
    const platform::ProgramStart start = Start();
    if (!start.Started) {
        platform::Messages().ShowMessage(StartFailedError(ExplorerPath(), start.Reason));
    }
    return start.Started;
}

platform::ProgramStart TExplorerFallback::Start() const {
    std::string previousShell;
    return StartAsShell(ShellIO_, previousShell, ExplorerPath(), "", {});
}

} // namespace corvane
