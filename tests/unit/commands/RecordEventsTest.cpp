// What a launch writes into the logon record: how the shell was chosen, the switch, each start
// and the restore, in the order they happen.
#include <gtest/gtest.h>

#include "config/CorvaneInfo.h"
#include "platform/Errors.h"
#include "support/LauncherWorld.h"
#include "support/ScriptRun.h"

namespace corvane {
namespace {

const std::string Switch = "switch to \"C:\\Alt\\alt.exe\": the current user's shell, the machine's shell, the mapping "
                           "turned to the user's key";
const std::string Started = "shell start \"C:\\Alt\\alt.exe\" -quiet: started, process 1000";
const std::string Restore = "restore: the current user's shell \"user.exe\", the machine's shell \"explorer.exe\"";

class RecordEventsTest : public testing::LauncherWorld {
protected:
    RecordEventsTest() { fake.registry.Put(User, Winlogon, "Shell", "user.exe"); }

    // Runs the script with the mapping at the machine's key, so that each switch turns it.
    std::vector<std::string> Run(const std::string& settings, const std::string& script) {
        Settings(settings);
        fake.registry.Put(Machine, Mapping, "shell", TShellIO::MachineMapping);
        fake.recordStore.file.reset();
        TCorvaneInfo info;
        testing::ScriptRun run(script, &info);
        TRunScript::RunList(run.MakeList());
        return fake.recordStore.Events();
    }
};

TEST_F(RecordEventsTest, TheChoosersOutcomeComesBeforeTheSwitchTheStartAndTheRestore) {
    const struct {
        const char* name;
        std::function<void(testing::FakeChooserWindow&)> user;
        std::vector<std::string> events;
    } cases[] = {
        {"Enter", [](testing::FakeChooserWindow& w) { w.events.OnListKeyPress('\r'); },
         {"chooser: \"Alt\" by Enter", Switch, Started, Restore}},
        {"number key", [](testing::FakeChooserWindow& w) { w.events.OnKeyUp('1', {}); },
         {"chooser: \"Alt\" by a number key", Switch, Started, Restore}},
        {"countdown", [](testing::FakeChooserWindow& w) { w.Tick(); },
         {"chooser: \"Alt\" by the countdown", Switch, Started, Restore}},
        {"Escape", [](testing::FakeChooserWindow& w) { w.events.OnKeyUp(27, {}); }, {"chooser: cancelled"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        windows.choosers.user = c.user;
        fake.shell.nextProcessId = 1000;
        EXPECT_EQ(Run("UseTimer=1\nDefaultShell=Alt\n", "loadshell (v)"), c.events);
    }
}

TEST_F(RecordEventsTest, TheShellTakenWithoutTheChooserSaysWhy) {
    const std::vector<std::string> launched{Switch, Started, Restore};
    const struct {
        const char* settings;
        std::string first;
        bool launches;
    } cases[] = {
        {"ShowLauncher=0\nDefaultShell=Alt\n", "no chooser (ShowLauncher off): \"Alt\", the default shell", true},
        {"ShowLauncher=0\nDefaultShell=Missing\nRememberLastShell=1\n",
         "no chooser (ShowLauncher off): \"Alt\", the remembered shell", true},
        {"ShowLauncher=0\n", "no chooser (ShowLauncher off): no default shell, nothing to start", false},
    };
    fake.registry.Put(User, "Software\\Corvane", "LastShell", "alt");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        fake.shell.nextProcessId = 1000;
        std::vector<std::string> events{c.first};
        if (c.launches) events.insert(events.end(), launched.begin(), launched.end());
        EXPECT_EQ(Run(c.settings, "loadshell (v)"), events);
    }
}

TEST_F(RecordEventsTest, AStartThatFailedIsRecordedWithTheSystemsReason) {
    fake.shell.failures["C:\\Gone\\gone.exe"] = "The system cannot find the file specified.";
    fake.shell.failures["C:\\Tools\\tool.exe"] = "Access is denied.";
    const std::vector<std::string> events =
        Run("ShowLauncher=0\n", "execshell (v, C:\\Gone\\gone.exe, \"\")\nexec (C:\\Tools\\tool.exe, -p, C:\\Tools)");
    EXPECT_EQ(events, (std::vector<std::string>{
                          "switch to \"C:\\Gone\\gone.exe\": the current user's shell, the machine's shell, the mapping "
                          "turned to the user's key",
                          "shell start \"C:\\Gone\\gone.exe\": failed: The system cannot find the file specified.",
                          Restore,
                          "exec (line 2) \"C:\\Tools\\tool.exe\" -p: failed: Access is denied."}));
    fake.shell.failures.clear();
    EXPECT_EQ(Run("ShowLauncher=0\n", "exec (C:\\Tools\\tool.exe, \"\", \"\")"),
              std::vector<std::string>{"exec (line 1) \"C:\\Tools\\tool.exe\": started, process 1000"});
}

TEST_F(RecordEventsTest, ARestoreThatIsRefusedIsRecordedWithItsError) {
    fake.shell.onExecute = [this] {
        fake.registry.refuseSet.insert(testing::FakeRegistry::Id(User, Winlogon));
    };
    EXPECT_THROW(Run("ShowLauncher=0\nDefaultShell=Alt\n", "loadshell (v)"), ERegistryException);
    const std::vector<std::string> events = fake.recordStore.Events();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[3], "restore failed: ERegistryException: Failed to set data for 'shell'");
}

} // namespace
} // namespace corvane
