#include "shell/StartAsShell.h"

#include "platform/Platform.h"
#include "platform/Processes.h"
#include "platform/ShellServices.h"
#include "platform/WindowSystem.h"
#include "record/EventRecord.h"
#include "shell/Pause.h"
#include "shell/ShellJournal.h"
#include "shell/ShellRecovery.h"
#include "shell/StartReport.h"

namespace corvane {

namespace {

// Another launch of this user that still runs may have the user's value switched (two logons on
// a terminal server, or a launch that could not have the lock): what its restore gives back is
// the setting before, not its shell. The oldest such launch tells.
TSavedShellSetting SettingBefore(const TShellIO& shellIO, TSavedShellSetting saved, const TShellJournal& journal,
                                 const platform::ProcessIdentity& self) {
    std::optional<TPendingRestore> earliest;
    for (const TShellJournal::TEntry& entry : journal.ReadAll()) {
        if (!entry.Pending || entry.Pending->Launcher == self || !entry.Pending->Switched.UserValue) continue;
        if (!platform::Process().IsRunning(entry.Pending->Launcher)) continue;
        if (!earliest || entry.Pending->Launcher.StartTime < earliest->Launcher.StartTime) earliest = entry.Pending;
    }
    if (earliest) {
        saved.UserValue = shellIO.RestoredUserValue(earliest->Saved, earliest->Switched);
        saved.ReadText = earliest->Saved.ReadText;
    }
    return saved;
}

} // namespace

// The machine's value and the mapping are shared by every session of the machine (fast user
// switching, terminal servers): a launcher that saved them while another one's shell was
// starting would take that shell for the previous one and write it back for good. So one
// switch at a time holds the machine-wide lock from the save to the restore; a launcher that
// cannot have it in time, or finds it left by a launcher that died during its switch (whose
// guard is putting the machine's values back), switches only the current user's own value.
//
// The switch never runs without its journal, written before the first change, nor, when it can
// be started, without a guard that puts the setting back should this launcher be killed.
platform::ProgramStart StartAsShell(const TShellIO& shellIO, std::string& previousShell, const std::string& path,
                                    const std::string& parameters,
                                    const std::function<void(const platform::ProgramStart&)>& whenStarted) {
    const std::unique_ptr<platform::MachineLock> lock =
        platform::Windows().LockMachineWide(ShellSwitchLock, ShellSwitchLockWaitMs);
    const bool machineWide = lock != nullptr && !lock->Abandoned();
    TShellRecovery(shellIO).Recover(); // a journal of this user's that a dead launcher left comes first

    // The guard goes first: a launcher killed while it starts a program can leave that program
    // never started, and nothing may be written that only such a guard would clear.
    const TShellJournal journal{};
    const std::string exe = platform::Files().ExePath();
    const platform::ProcessIdentity self = platform::Process().Current();
    platform::Process().Start(exe, std::string(TShellRecovery::GuardOption) + " " + std::to_string(self.Id));
    TPendingRestore pending{self, SettingBefore(shellIO, shellIO.SaveSetting(), journal, self),
                            shellIO.PlannedSwitch(machineWide)};
    previousShell = pending.Saved.ReadText;
    journal.Write(pending, exe);

    TShellSwitch switched;
    platform::ProgramStart start;
    try {
        shellIO.WriteShell(path, machineWide, switched);
        pending.Switched = switched;
        journal.Write(pending, exe);
        start = platform::Shell().Execute(path, parameters, "");
        RecordEvent(ProgramStartEvent("shell start", path, parameters, start));
        // Nothing started, so nothing is starting that the setting must name: no pause.
        if (start.Started) {
            if (whenStarted) whenStarted(start);
            Pause(LaunchPauseMs);
        }
    } catch (...) {
        // The setting must not stay switched; the error that stopped the launch is the one to
        // report. A restore that fails keeps the journal for the guard and the next start.
        try {
            shellIO.RestoreSetting(pending.Saved, switched);
            journal.Clear(TShellJournal::NameOf(self.Id));
        } catch (...) {
        }
        throw;
    }
    shellIO.RestoreSetting(pending.Saved, switched);
    journal.Clear(TShellJournal::NameOf(self.Id));
    return start;
}

} // namespace corvane
