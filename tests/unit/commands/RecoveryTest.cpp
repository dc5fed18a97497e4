#include <gtest/gtest.h>

#include "commands/ShellRecovery.h"
#include "config/CorvaneInfo.h"
#include "config/ShellJournal.h"
#include "platform/Errors.h"
#include "support/ConfigPlatform.h"
#include "support/FakeWindowSystem.h"
#include "support/ScriptRun.h"

namespace corvane {
namespace {

using platform::RegistryRoot;
using namespace std::string_literals;
using TOutcome = TShellRecovery::TOutcome;
constexpr RegistryRoot User = RegistryRoot::CurrentUser;
constexpr RegistryRoot Machine = RegistryRoot::LocalMachine;
const std::string Winlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::string Mapping = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\system.ini\\boot";

// A machine whose user once had "own.exe" and the machine "explorer.exe", switched to
// "C:\Alt\alt.exe" by the launcher of process 7 (started at 70), which is no longer running.
class RecoveryTest : public ::testing::Test {
protected:
    RecoveryTest() {
        fake.services.windows = &windows;
        fake.Reinstall();
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

    std::optional<std::string> UserShell() { return fake.registry.Text(User, Winlogon, "shell"); }
    std::optional<std::string> MachineShell() { return fake.registry.Text(Machine, Winlogon, "shell"); }

    testing::ConfigPlatform fake;
    testing::FakeWindowSystem windows;
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
    later[3] = 2;
    EXPECT_FALSE(TShellJournal::Decode(later));
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
    EXPECT_EQ(journal.Read(), std::nullopt);
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
    fake.registry.Put(User, TShellJournal::Key, TShellJournal::Value, "CVJ\x01 cut short", platform::RegBinary);
    const auto report = TShellRecovery(shellIO).Recover();
    EXPECT_EQ(report.Outcome, TOutcome::Discarded);
    EXPECT_NE(report.Text.find("could not be read"), std::string::npos);
    EXPECT_EQ(UserShell(), "C:\\Alt\\alt.exe") << "nothing is guessed";
    EXPECT_FALSE(fake.registry.ReadValue(User, TShellJournal::Key, TShellJournal::Value).state ==
                 platform::RegistryValue::State::Present);
}

// The guard ends as soon as its launcher has put the setting back itself, and restores when
// the launcher ends with its journal pending.
TEST_F(RecoveryTest, TheGuardWaitsForItsLauncher) {
    journal.Write(pending, "C:\\Launch\\corvane.exe");
    fake.processes.running.insert({7, 70});
    fake.processes.onWait = [&] {
        if (fake.processes.waits == 3) journal.Clear();
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

TEST_F(RecoveryTest, ARefusedRestoreKeepsTheJournalForTheNextTry) {
    journal.Write(pending, "C:\\Launch\\corvane.exe");
    fake.registry.refuseSet.insert(testing::FakeRegistry::Id(Machine, Winlogon));
    EXPECT_THROW(TShellRecovery(shellIO).Recover(), ERegistryException);
    EXPECT_TRUE(journal.Read().has_value());
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
    fake.shell.onExecute = [&] { duringLaunch = journal.Read(); };
    const TCorvaneInfo info;
    testing::ScriptRun run("loadshell (v)", const_cast<TCorvaneInfo*>(&info));
    run.Run();

    EXPECT_EQ(fake.registry.writes.front().rfind("HKCU\\Software\\Corvane\\PendingRestore=", 0), 0u)
        << "the journal comes before the first change: " << fake.registry.writes.front();
    EXPECT_EQ(fake.processes.started, std::vector<std::string>{"C:\\Launch\\corvane.exe --guard 100"});
    ASSERT_TRUE(duringLaunch.has_value());
    EXPECT_EQ(duringLaunch->Launcher, fake.processes.current);
    EXPECT_TRUE(duringLaunch->Switched.UserValue && duringLaunch->Switched.MachineValue &&
                duringLaunch->Switched.MappingTurned);
    EXPECT_EQ(journal.Read(), std::nullopt);
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

} // namespace
} // namespace corvane
