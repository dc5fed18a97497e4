#include "commands/ShellRecovery.h"

#include <optional>

#include "commands/LaunchAsShell.h"
#include "platform/Platform.h"
#include "platform/Processes.h"
#include "platform/WindowSystem.h"
#include "text/AsciiText.h"

namespace corvane {

namespace {

using TReport = TShellRecovery::TReport;
using TOutcome = TShellRecovery::TOutcome;

bool Present(const platform::RegistryValue& value) { return value.state == platform::RegistryValue::State::Present; }

std::string Shown(const platform::RegistryValue& value) {
    return Present(value) ? Quoted(value.data.substr(0, value.data.find('\0'))) : "none";
}

// What the restore of a pending record puts back, one line each.
std::string Describe(const TPendingRestore& pending) {
    const TSavedShellSetting& saved = pending.Saved;
    const TShellSwitch& switched = pending.Switched;
    std::string text;
    if (switched.UserValue) {
        text += "  the current user's shell: " + Shown(TShellIO::RestoredUserValue(saved, switched)) + "\n";
    }
    if (switched.MachineValue) text += "  the machine's shell: " + Shown(saved.MachineValue) + "\n";
    if (switched.SystemIni) text += "  system.ini [boot] shell: " + saved.SystemIniShell.value_or("none") + "\n";
    return text;
}

std::string Launch(const TPendingRestore& pending) {
    return "the launch by process " + std::to_string(pending.Launcher.Id);
}

} // namespace

TReport TShellRecovery::Recover() const {
    bool damaged = false;
    std::optional<TPendingRestore> pending = Journal_.Read(&damaged);
    if (damaged) {
        Journal_.Clear();
        return {TOutcome::Discarded, "The record of a pending restore under HKEY_CURRENT_USER\\" +
                                         std::string(TShellJournal::Key) +
                                         " could not be read and was removed; check the shell setting.\n"};
    }
    if (!pending) return {TOutcome::Nothing, "No launch left the shell setting switched; nothing to put back.\n"};
    if (platform::Process().IsRunning(pending->Launcher)) {
        return {TOutcome::LauncherRunning, "The shell setting is switched by " + Launch(*pending) +
                                               ", which still runs and puts it back itself.\n"};
    }
    // Without the lock in time the restore runs all the same: leaving the setting switched is worse.
    const auto lock = platform::Windows().LockMachineWide(ShellSwitchLock, ShellSwitchLockWaitMs);
    pending = Journal_.Read();
    if (!pending || platform::Process().IsRunning(pending->Launcher)) {
        return {TOutcome::Nothing, "No launch left the shell setting switched; nothing to put back.\n"};
    }
    ShellIO_.RestoreSetting(pending->Saved, pending->Switched);
    Journal_.Clear();
    return {TOutcome::Restored,
            "Put back the shell setting that " + Launch(*pending) + " left switched:\n" + Describe(*pending)};
}

TReport TShellRecovery::Guard(std::uint32_t launcherId) const {
    for (;;) {
        const std::optional<TPendingRestore> pending = Journal_.Read();
        if (!pending || pending->Launcher.Id != launcherId) {
            return {TOutcome::Nothing, "The launcher put the shell setting back itself.\n"};
        }
        if (platform::Process().WaitForEnd(pending->Launcher, GuardPollMs)) break;
    }
    return Recover();
}

} // namespace corvane
