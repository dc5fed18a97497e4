#include "commands/LaunchAsShell.h"

#include "commands/Pause.h"
#include "config/CorvaneInfo.h"
#include "platform/Platform.h"
#include "platform/ShellServices.h"
#include "platform/WindowSystem.h"

namespace corvane {

// The machine's value and the mapping are shared by every session of the machine (fast user
// switching, terminal servers): a launcher that saved them while another one's shell was
// starting would take that shell for the previous one and write it back for good. So one
// switch at a time holds the machine-wide lock from the save to the restore; a launcher that
// cannot have it in time switches only the current user's own value.
void LaunchAsShell(TscrObjAncestor& statement, std::string& previousShell, const std::string& path,
                   const std::string& parameters, const std::optional<std::string>& variableName,
                   const std::string& value) {
    if (!platform::Files().FileExists(path)) {
        statement.ReportWarning("Shell not found - " + path + " - attempting load anyway");
    }
    const TShellIO& shellIO = statement.Info->ShellIO;
    const std::unique_ptr<platform::MachineLock> lock =
        platform::Windows().LockMachineWide(ShellSwitchLock, ShellSwitchLockWaitMs);
    const TSavedShellSetting saved = shellIO.SaveSetting();
    previousShell = saved.ReadText;
    TShellSwitch switched;
    try {
        shellIO.WriteShell(path, lock != nullptr, switched);
        platform::Shell().Execute(path, parameters, "");
        if (variableName) {
            statement.Vars.AddVar(*variableName, value);
        }
        Pause(LaunchPauseMs);
    } catch (...) {
        // The setting must not stay switched; the error that stopped the launch is the one to report.
        try {
            shellIO.RestoreSetting(saved, switched);
        } catch (...) {
        }
        throw;
    }
    shellIO.RestoreSetting(saved, switched);
}

} // namespace corvane
