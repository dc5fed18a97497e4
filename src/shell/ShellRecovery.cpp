#include "shell/ShellRecovery.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "config/BinaryRecord.h"
#include "config/RegistryWrites.h"
#include "platform/Platform.h"
#include "platform/Processes.h"
#include "platform/WindowSystem.h"
#include "record/EventRecord.h"
#include "shell/StartAsShell.h"
#include "text/AsciiText.h"

namespace corvane {

namespace {

using TReport = TShellRecovery::TReport;
using TOutcome = TShellRecovery::TOutcome;

bool Present(const platform::RegistryValue& value) { return value.state == platform::RegistryValue::State::Present; }

std::string Shown(const platform::RegistryValue& value) { return Present(value) ? Quoted(TextOf(value.data)) : "none"; }

std::string Launch(const TPendingRestore& pending) {
    return "the launch by process " + std::to_string(pending.Launcher.Id);
}

// Adds what a record's handling found to the report: the most that was done decides. What
// changed something goes into the logon record as well.
void Add(TReport& report, TOutcome outcome, const std::string& text) {
    report.Outcome = std::max(report.Outcome, outcome);
    report.Text += text;
    if (outcome == TOutcome::Restored || outcome == TOutcome::Discarded) RecordEvent("recovery: " + text);
}

} // namespace

TReport TShellRecovery::Recover() const {
    TReport report;
    std::unique_ptr<platform::MachineLock> lock;
    for (const TShellJournal::TEntry& entry : Journal_.ReadAll()) {
        if (!entry.Pending) {
            Journal_.Clear(entry.Name);
            Add(report, TOutcome::Discarded,
                "The record of a pending restore " + ShownKey(platform::RegistryRoot::CurrentUser, CorvaneKey) + "\\" +
                    entry.Name + " could not be read and was removed; check the shell setting.\n");
            continue;
        }
        const TPendingRestore& pending = *entry.Pending;
        if (platform::Process().IsRunning(pending.Launcher)) {
            Add(report, TOutcome::LauncherRunning,
                "The shell setting is switched by " + Launch(pending) + ", which still runs and puts it back itself.\n");
            continue;
        }
        // Without the lock in time the restore runs all the same: leaving the setting switched is worse.
        if (!lock) lock = platform::Windows().LockMachineWide(ShellSwitchLock, ShellSwitchLockWaitMs);
        const std::optional<TShellJournal::TEntry> still = Journal_.ReadNamed(entry.Name);
        if (!still || !still->Pending) continue; // another recovery did it while this one waited
        const TSavedShellSetting& saved = pending.Saved;
        const TShellSwitch& switched = pending.Switched;
        std::string restored;
        if (switched.UserValue) {
            restored += "  the current user's shell: " + Shown(ShellIO_.RestoredUserValue(saved, switched)) + "\n";
        }
        if (switched.MachineValue) restored += "  the machine's shell: " + Shown(saved.MachineValue) + "\n";
        if (switched.SystemIni) restored += "  system.ini [boot] shell: " + saved.SystemIniShell.value_or("none") + "\n";
        ShellIO_.RestoreSetting(saved, switched);
        Journal_.Clear(entry.Name);
        Add(report, TOutcome::Restored, "Put back the shell setting that " + Launch(pending) + " left switched:\n" + restored);
    }
    if (report.Outcome == TOutcome::Nothing) {
        Journal_.ClearRunOnceWhenIdle();
        report.Text = NothingToPutBack;
    }
    return report;
}

TReport TShellRecovery::Guard(std::uint32_t launcherId) const {
    const std::optional<platform::ProcessIdentity> launcher = platform::Process().Identify(launcherId);
    bool seen = false;
    while (launcher) {
        bool damaged = false;
        if (Journal_.ReadOf(launcherId, &damaged) || damaged) {
            seen = true;
        } else if (seen) {
            return {TOutcome::Nothing, "The launcher put the shell setting back itself.\n"};
        }
        if (platform::Process().WaitForEnd(*launcher, GuardPollMs)) break;
    }
    return Recover();
}

} // namespace corvane
