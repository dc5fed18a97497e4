#include "commands/LaunchAsShell.h"

#include "commands/Pause.h"
#include "commands/ShellRecovery.h"
#include "config/CorvaneInfo.h"
#include "config/ShellJournal.h"
#include "platform/Platform.h"
#include "platform/Processes.h"
#include "platform/ShellServices.h"
#include "platform/WindowSystem.h"

namespace corvane {

// The machine's value and the mapping are shared by every session of the machine (fast user
// switching, terminal servers): a launcher that saved them while another one's shell was
// starting would take that shell for the previous one and write it back for good. So one
// switch at a time holds the machine-wide lock from the save to the restore; a launcher that
// cannot have it in time, or finds it left by a launcher that died during its switch (whose
// guard is putting the machine's values back), switches only the current user's own value.
//
// The switch never runs without its journal, written before the first change, nor, when it can
// be started, without a guard that puts the setting back should this launcher be killed.
void LaunchAsShell(TscrObjAncestor& statement, std::string& previousShell, const std::string& path,
                   const std::string& parameters, const std::optional<std::string>& variableName,
                   const std::string& value) {
    if (!platform::Files().FileExists(path)) {
        statement.ReportWarning("Shell not found - " + path + " - attempting load anyway");
    }
    const TShellIO& shellIO = statement.Info->ShellIO;
    const std::unique_ptr<platform::MachineLock> lock =
        platform::Windows().LockMachineWide(ShellSwitchLock, ShellSwitchLockWaitMs);
    const bool machineWide = lock != nullptr && !lock->Abandoned();
    TShellRecovery(shellIO).Recover(); // a journal of this user's that a dead launcher left comes first

    const TShellJournal journal{};
    const std::string exe = platform::Files().ExePath();
    TPendingRestore pending{platform::Process().Current(), shellIO.SaveSetting(), shellIO.PlannedSwitch(machineWide)};
    previousShell = pending.Saved.ReadText;
    journal.Write(pending, exe);
    platform::Process().Start(exe, std::string(GuardOption) + " " + std::to_string(pending.Launcher.Id));

    TShellSwitch switched;
    try {
        shellIO.WriteShell(path, machineWide, switched);
        pending.Switched = switched;
        journal.Write(pending, exe);
        platform::Shell().Execute(path, parameters, "");
        if (variableName) {
            statement.Vars.AddVar(*variableName, value);
        }
        Pause(LaunchPauseMs);
    } catch (...) {
        // The setting must not stay switched; the error that stopped the launch is the one to
        // report. A restore that fails keeps the journal for the guard and the next start.
        try {
            shellIO.RestoreSetting(pending.Saved, switched);
            journal.Clear();
        } catch (...) {
        }
        throw;
    }
    shellIO.RestoreSetting(pending.Saved, switched);
    journal.Clear();
}

} // namespace corvane
