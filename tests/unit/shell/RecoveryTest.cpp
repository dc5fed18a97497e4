#include <gtest/gtest.h>

#include "config/BinaryRecord.h"
#include "config/CorvaneInfo.h"
#include "platform/Errors.h"
#include "shell/ShellJournal.h"
#include "shell/ShellRecovery.h"
#include "support/LauncherWorld.h"
#include "support/ScriptRun.h"

namespace corvane {
namespace {

using platform::RegistryRoot;
using namespace std::string_literals;
using TOutcome = TShellRecovery::TOutcome;

// A machine whose user once had "own.exe" and the machine "explorer.exe", switched to
// "C:\Alt\alt.exe" by the launcher of process 7 (started at 70), which is no longer running.
class RecoveryTest : public testing::LauncherWorld {
protected:
    RecoveryTest() {
        fake.registry.Put(User, Winlogon, "Shell", "C:\\Alt\\alt.exe");
        fake.registry.Put(Machine, Winlogon, "Shell", "C:\\Alt\\alt.exe");
        fake.registry.Put(Machine, Mapping, "shell", TShellIO::UserMapping);
        pending.Launcher = {7, 70};
        pending.Saved.Family = 2;
        pending.Saved.ReadText = "explorer.exe";
        pending.Saved.UserValue = {platform::RegistryValue::State::Present, platform::RegExpandString, "own.exe\0"s};
        pending.Saved.MachineValue = {platform::RegistryValue::State::Present, platform::RegString, "explorer.exe\0"s};
        pending.Switched = {true, true, true, false};
    }

    TShellIO shellIO;
    TShellJournal journal;
    TPendingRestore pending;
};

TEST_F(RecoveryTest, TheJournalKeepsEveryFieldAndRefusesAnythingElse) {
    pending.Saved.SystemIniShell = "progman.exe";
    const std::string record = TShellJournal::Encode(pending);
    const auto decoded = TShellJournal::Decode(record);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->Launcher, pending.Launcher);
    EXPECT_EQ(decoded->Saved.UserValue, pending.Saved.UserValue);
    EXPECT_EQ(decoded->Saved.MachineValue, pending.Saved.MachineValue);
    EXPECT_EQ(decoded->Saved.SystemIniShell, "progman.exe");
    EXPECT_EQ(decoded->Saved.ReadText, "explorer.exe");
    EXPECT_TRUE(decoded->Switched.MappingTurned && !decoded->Switched.SystemIni);
    // Every shorter record, a longer one and another version are not records.
    for (std::size_t cut = 0; cut < record.size(); ++cut) EXPECT_FALSE(TShellJournal::Decode(record.substr(0, cut))) << cut;
    EXPECT_FALSE(TShellJournal::Decode(record + "x"));
    std::string later = record;
    later[3] = Utf8Version + 1;
    EXPECT_FALSE(TShellJournal::Decode(later));
    // A record of the version before UTF-8 holds its texts in the legacy code page.
    TPendingRestore accented = pending;
    accented.Saved.ReadText = "C:\\Caf\xE9\\shell.exe";
    std::string earlier = TShellJournal::Encode(accented);
    earlier[3] = Utf8Version - 1;
    ASSERT_TRUE(TShellJournal::Decode(earlier));
    EXPECT_EQ(TShellJournal::Decode(earlier)->Saved.ReadText, "C:\\Caf\u00E9\\shell.exe");
}

TEST_F(RecoveryTest, APendingRestoreOfADeadLauncherIsAppliedAndCleared) {
    journal.Write(pending, "C:\\Launch\\corvane.exe");
    EXPECT_EQ(fake.registry.Text(User, TShellJournal::RunOnceKey, TShellJournal::RunOnceValue),
              "\"C:\\Launch\\corvane.exe\" --recover");
    const auto report = TShellRecovery(shellIO).Recover();
    EXPECT_EQ(report.Outcome, TOutcome::Restored);
    EXPECT_EQ(report.Text, "Put back the shell setting that the launch by process 7 left switched:\n"
                           "  the current user's shell: \"own.exe\"\n  the machine's shell: \"explorer.exe\"\n");
    EXPECT_EQ(fake.registry.ReadValue(User, Winlogon, "shell"), pending.Saved.UserValue) << "type included";
    EXPECT_EQ(MachineShell(), "explorer.exe");
    EXPECT_EQ(journal.ReadOf(7), std::nullopt);
    EXPECT_EQ(fake.registry.Text(User, TShellJournal::RunOnceKey, TShellJournal::RunOnceValue), std::nullopt);
    EXPECT_EQ(TShellRecovery(shellIO).Recover().Outcome, TOutcome::Nothing);
}

// A running launcher's journal is never touched: neither a reused process id (another start
// time) nor the launcher itself counts as dead while it runs.
TEST_F(RecoveryTest, ARunningLaunchersJournalIsLeftAlone) {
    journal.Write(pending, "C:\\Launch\\corvane.exe");
    fake.processes.running.insert({7, 70});
    EXPECT_EQ(TShellRecovery(shellIO).Recover().Outcome, TOutcome::LauncherRunning);
    EXPECT_EQ(UserShell(), "C:\\Alt\\alt.exe");
    fake.processes.running = {{7, 71}}; // the id taken by another process since
    EXPECT_EQ(TShellRecovery(shellIO).Recover().Outcome, TOutcome::Restored);
}

TEST_F(RecoveryTest, ADamagedRecordIsRemovedAndSaidSo) {
    fake.registry.Put(User, CorvaneKey, TShellJournal::Value, "CVJ\x01 cut short", platform::RegBinary);
    const auto report = TShellRecovery(shellIO).Recover();
    EXPECT_EQ(report.Outcome, TOutcome::Discarded);
    EXPECT_NE(report.Text.find("could not be read"), std::string::npos);
    EXPECT_EQ(UserShell(), "C:\\Alt\\alt.exe") << "nothing is guessed";
    EXPECT_FALSE(fake.registry.ReadValue(User, CorvaneKey, TShellJournal::Value).state ==
                 platform::RegistryValue::State::Present);
}

// The record that an earlier version of Corvane kept under the name alone is recovered like any.
TEST_F(RecoveryTest, TheRecordOfAnEarlierVersionIsRecovered) {
    fake.registry.Put(User, CorvaneKey, TShellJournal::Value, "", platform::RegBinary);
    fake.registry.keys[testing::FakeRegistry::Id(User, CorvaneKey)]["pendingrestore"].data = TShellJournal::Encode(pending);
    EXPECT_EQ(TShellRecovery(shellIO).Recover().Outcome, TOutcome::Restored);
    EXPECT_EQ(MachineShell(), "explorer.exe");
    EXPECT_TRUE(fake.registry.ValueNames(User, CorvaneKey).empty());
}

// A launcher killed after it wrote the user's value but before it turned the mapping leaves a
// record of the plan: the mapping's turn counts only when the mapping really was turned, so a
// user who had no value of their own gets none (a value that was never there would pin them
// to this shell whatever the machine's later becomes).
TEST_F(RecoveryTest, OnlyWhatTheSwitchReallyChangedIsPutBack) {
    pending.Saved.UserValue = {};
    pending.Saved.MachineValue = {platform::RegistryValue::State::Present, platform::RegString, "explorer.exe\0"s};
    fake.registry.Put(Machine, Winlogon, "Shell", "explorer.exe");
    for (const char* mapping : {TShellIO::MachineMapping, TShellIO::UserMapping}) {
        SCOPED_TRACE(mapping);
        fake.registry.Put(User, Winlogon, "Shell", "C:\\Alt\\alt.exe");
        fake.registry.Put(Machine, Mapping, "shell", mapping);
        journal.Write(pending, "C:\\Launch\\corvane.exe");
        EXPECT_EQ(TShellRecovery(shellIO).Recover().Outcome, TOutcome::Restored);
        const bool turned = std::string(mapping) == TShellIO::UserMapping;
        EXPECT_EQ(UserShell(), turned ? std::optional<std::string>("explorer.exe") : std::nullopt)
            << "reads of system.ini go on giving what they gave";
    }
}

// A RunOnce entry that a kill left without a record (between the record's removal and its own)
// goes at the next recovery; one that stands beside a record stays.
TEST_F(RecoveryTest, ARunOnceEntryWithoutARecordIsRemoved) {
    fake.registry.Put(User, TShellJournal::RunOnceKey, TShellJournal::RunOnceValue, "\"C:\\Launch\\corvane.exe\" --recover");
    const auto report = TShellRecovery(shellIO).Recover();
    EXPECT_EQ(report.Outcome, TOutcome::Nothing);
    EXPECT_EQ(report.Text, TShellRecovery::NothingToPutBack);
    EXPECT_EQ(fake.registry.Text(User, TShellJournal::RunOnceKey, TShellJournal::RunOnceValue), std::nullopt);

    journal.Write(pending, "C:\\Launch\\corvane.exe");
    fake.processes.running.insert({7, 70});
    EXPECT_EQ(TShellRecovery(shellIO).Recover().Outcome, TOutcome::LauncherRunning);
    EXPECT_TRUE(fake.registry.Text(User, TShellJournal::RunOnceKey, TShellJournal::RunOnceValue).has_value());
}

// The guard ends as soon as its launcher has put the setting back itself, and restores when
// the launcher ends with its journal pending.
TEST_F(RecoveryTest, TheGuardWaitsForItsLauncher) {
    journal.Write(pending, "C:\\Launch\\corvane.exe");
    fake.processes.running.insert({7, 70});
    fake.processes.onWait = [&] {
        if (fake.processes.waits == 3) journal.Clear(TShellJournal::NameOf(7));
    };
    EXPECT_EQ(TShellRecovery(shellIO).Guard(7).Outcome, TOutcome::Nothing);
    EXPECT_EQ(fake.processes.waits, 3);
    EXPECT_EQ(UserShell(), "C:\\Alt\\alt.exe") << "the launcher's own restore is not repeated";

    journal.Write(pending, "C:\\Launch\\corvane.exe");
    fake.processes.onWait = nullptr;
    fake.processes.waits = 0;
    fake.processes.endsAfterWaits = 4; // killed
    EXPECT_EQ(TShellRecovery(shellIO).Guard(7).Outcome, TOutcome::Restored);
    EXPECT_EQ(fake.processes.waits, 4);
    EXPECT_EQ(MachineShell(), "explorer.exe");
    EXPECT_EQ(TShellRecovery(shellIO).Guard(8).Outcome, TOutcome::Nothing) << "another launcher's guard has nothing to do";
}

// The guard starts before its launcher writes anything: a launcher that ends before its record
// came (killed at that moment) leaves its guard nothing to do, and the guard ends with it.
TEST_F(RecoveryTest, TheGuardOfALauncherThatNeverWroteItsRecordEndsWithIt) {
    fake.processes.running.insert({7, 70});
    fake.processes.endsAfterWaits = 5;
    EXPECT_EQ(TShellRecovery(shellIO).Guard(7).Outcome, TOutcome::Nothing);
    EXPECT_EQ(fake.processes.waits, 5) << "it waited for the launcher, not for a record";
    EXPECT_EQ(UserShell(), "C:\\Alt\\alt.exe");
}

TEST_F(RecoveryTest, ARefusedRestoreKeepsTheJournalForTheNextTry) {
    journal.Write(pending, "C:\\Launch\\corvane.exe");
    fake.registry.refuseSet.insert(testing::FakeRegistry::Id(Machine, Winlogon));
    EXPECT_THROW(TShellRecovery(shellIO).Recover(), ERegistryException);
    EXPECT_TRUE(journal.ReadOf(7).has_value());
}

// The launch writes its journal before the first change of the setting and starts its guard;
// afterwards nothing of either is left.
TEST_F(RecoveryTest, ALaunchJournalsItsSwitchAndStartsItsGuard) {
    fake.registry.keys.clear();
    fake.registry.Put(Machine, Winlogon, "Shell", "explorer.exe");
    fake.registry.Put(Machine, Mapping, "shell", TShellIO::MachineMapping);
    fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\nShowLauncher=0\nDefaultShell=Alt\n";
    fake.files.files["C:\\Launch\\shells.ini"] = "[Shells]\nAlt=C:\\Alt\\alt.exe,0,,\n";
    fake.system.tickStep = 1000;
    std::optional<TPendingRestore> duringLaunch;
    fake.shell.onExecute = [&] { duringLaunch = journal.ReadOf(100); };
    std::size_t writesAtGuardStart = 99;
    fake.processes.onStart = [&] { writesAtGuardStart = fake.registry.writes.size(); };
    const TCorvaneInfo info;
    testing::ScriptRun run("loadshell (v)", const_cast<TCorvaneInfo*>(&info));
    run.Run();

    EXPECT_EQ(fake.registry.writes.front().rfind("HKCU\\Software\\Corvane\\PendingRestore.100=", 0), 0u)
        << "the journal comes before the first change: " << fake.registry.writes.front();
    EXPECT_EQ(fake.processes.started, std::vector<std::string>{"C:\\Launch\\corvane.exe " + std::string(TShellRecovery::GuardOption) + " 100"});
    EXPECT_EQ(writesAtGuardStart, 0u) << "the guard is started before anything is written";
    ASSERT_TRUE(duringLaunch.has_value());
    EXPECT_EQ(duringLaunch->Launcher, fake.processes.current);
    EXPECT_TRUE(duringLaunch->Switched.UserValue && duringLaunch->Switched.MachineValue &&
                duringLaunch->Switched.MappingTurned);
    EXPECT_EQ(journal.ReadOf(100), std::nullopt);
    EXPECT_EQ(fake.registry.Text(User, TShellJournal::RunOnceKey, TShellJournal::RunOnceValue), std::nullopt);

    // A guard that cannot start does not stop the launch; a lock left by a launcher that died
    // during its switch leaves the machine's values to that launcher's guard.
    fake.processes.refuseStart = true;
    windows.lockAbandoned = true;
    fake.shell.executed.clear();
    std::string machineDuringLaunch;
    fake.shell.onExecute = [&] { machineDuringLaunch = MachineShell().value_or("-"); };
    testing::ScriptRun again("loadshell (v)", const_cast<TCorvaneInfo*>(&info));
    again.Run();
    EXPECT_EQ(fake.shell.executed.size(), 1u);
    EXPECT_EQ(machineDuringLaunch, "explorer.exe");
}

// Two launches of one user without the switch lock (another user's launch holds it): the second
// finds the first's record and keeps it, saves what the first will put back (not the first's
// shell), and both end with the user's value as it was.
TEST_F(RecoveryTest, TwoLaunchesOfOneUserNeitherOverwriteNorKeepEachOthersShell) {
    fake.registry.keys.clear();
    fake.registry.Put(Machine, Winlogon, "Shell", "explorer.exe");
    fake.registry.Put(Machine, Mapping, "shell", TShellIO::MachineMapping);
    fake.registry.Put(User, Winlogon, "Shell", "own.exe", platform::RegExpandString);
    fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\nShowLauncher=0\nDefaultShell=Beta\n";
    fake.files.files["C:\\Launch\\shells.ini"] = "[Shells]\nBeta=C:\\Beta\\beta.exe,0,,\n";
    windows.lockHeldElsewhere = true;
    // The first launch, of process 7, is in its pause: it switched the user's value to alt.exe.
    pending.Switched = {true, false, false, false};
    journal.Write(pending, "C:\\Launch\\corvane.exe");
    fake.registry.Put(User, Winlogon, "Shell", "C:\\Alt\\alt.exe");
    fake.processes.running.insert({7, 70});
    std::optional<TPendingRestore> first;
    std::optional<TPendingRestore> second;
    fake.shell.onExecute = [&] {
        first = journal.ReadOf(7);
        second = journal.ReadOf(100);
    };
    fake.system.tickStep = 1000;
    const TCorvaneInfo info;
    testing::ScriptRun run("loadshell (v)", const_cast<TCorvaneInfo*>(&info));
    run.Run();

    ASSERT_TRUE(first.has_value() && second.has_value());
    EXPECT_EQ(first->Launcher, pending.Launcher) << "the first launch's record is its own still";
    EXPECT_EQ(second->Saved.UserValue, pending.Saved.UserValue) << "not alt.exe, the first launch's shell";
    EXPECT_EQ(fake.registry.ReadValue(User, Winlogon, "shell"), pending.Saved.UserValue);
    EXPECT_TRUE(journal.ReadOf(7).has_value()) << "the second launch's restore leaves the first's record";
}

} // namespace
} // namespace corvane
