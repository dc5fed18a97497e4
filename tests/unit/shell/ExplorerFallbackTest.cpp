#include <gtest/gtest.h>

#include "app/Application.h"
#include "shell/ExplorerFallback.h"
#include "support/LauncherWorld.h"

namespace corvane {
namespace {

const std::string Explorer = "C:\\Windows\\explorer.exe";

using ExplorerFallbackTest = testing::LauncherWorld;

// Every way a logon shell's run can end without a program started gives Explorer as the shell,
// after the box of what went wrong; a run that started a program, or that is not the logon
// shell, ends as it did.
TEST_F(ExplorerFallbackTest, ALogonShellThatStartedNothingStartsExplorer) {
    struct Case {
        const char* name;
        const char* userShell; // the user's Winlogon value at the start
        const char* settings;
        const char* script;
        bool cancel;        // the chooser is cancelled
        bool altFails;
        std::vector<std::string> messages; // the boxes before the fallback's
        int exitCode;
        bool fallback;
        std::vector<std::uint16_t> events; // in the system's event log
    };
    const std::string failed = "Error (Line 1): Could not start \"C:\\Alt\\alt.exe\": The system cannot find the file specified.";
    const Case cases[] = {
        {"cancelled chooser", "C:\\Launch\\corvane.exe", "DefaultShell=Alt\n", "loadshell (v)\n", true, false, {}, 0, true, {5}},
        {"nothing configured", "\"C:\\LAUNCH\\CORVANE.EXE\" -x", "ShowLauncher=0\n", "loadshell (v)\n", false, false, {}, 0, true, {5}},
        {"failed start", "c:\\launch\\corvane.exe", "ShowLauncher=0\nDefaultShell=Alt\n", "loadshell (v)\n", false, true, {failed}, 0, true,
         {4, 5}},
        {"error that ended the run", "C:\\Launch\\corvane.exe", "ShowLauncher=0\n", "exec (C:\\Tools\\tool.exe, -p)\n",
         false, false, {}, 1, true, {5}},
        {"script that started a program", "C:\\Launch\\corvane.exe", "ShowLauncher=0\n", "exec (C:\\Tools\\tool.exe, \"\", \"\")\n",
         false, false, {}, 0, false, {}},
        {"shell started", "C:\\Launch\\corvane.exe", "ShowLauncher=0\nDefaultShell=Alt\n", "loadshell (v)\n", false, false, {}, 0, false, {}},
        {"not the logon shell", "explorer.exe", "ShowLauncher=0\n", "loadshell (v)\n", false, false, {}, 0, false, {}},
        {"another corvane.exe", "D:\\Old\\corvane.exe", "ShowLauncher=0\n", "loadshell (v)\n", false, false, {}, 0, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake.registry.Put(User, Winlogon, "Shell", c.userShell);
        fake.files.files["C:\\Launch\\operator.ini"] = std::string("[Settings]\n") + c.settings;
        fake.files.files["C:\\Launch\\script.txt"] = c.script;
        windows.choosers.user = [&c](testing::FakeChooserWindow& window) {
            if (c.cancel) window.events.OnKeyUp(27, {});
        };
        fake.shell.failures.clear();
        if (c.altFails) fake.shell.failures["C:\\Alt\\alt.exe"] = "The system cannot find the file specified.";
        fake.shell.executed.clear();
        fake.dialogs.messages.clear();
        fake.dialogs.errorBoxes.clear();
        fake.eventLog.events.clear();
        during.clear();

        EXPECT_EQ(RunProgram(), c.exitCode);
        std::vector<std::string> messages = c.messages;
        if (c.fallback) messages.push_back(TExplorerFallback::NothingStarted);
        EXPECT_EQ(fake.dialogs.messages, messages);
        EXPECT_EQ(fake.dialogs.errorBoxes.size(), c.exitCode == 1 ? 1u : 0u) << "the error's box comes first";
        EXPECT_EQ(fake.eventLog.Ids(), c.events);
        const bool explorerStarted = !fake.shell.executed.empty() && fake.shell.executed.back() == Explorer + "||";
        EXPECT_EQ(explorerStarted, c.fallback);
        if (c.fallback) {
            EXPECT_EQ(during.back(), Explorer) << "started as the shell";
        }
        EXPECT_EQ(UserShell(), c.userShell) << "put back";
    }
}

// Only the logon is the logon shell: a run by hand while a desktop shell runs never starts
// Explorer, whatever the setting says; nor does a run whose shell started, even when the restore
// after it failed.
TEST_F(ExplorerFallbackTest, NoFallbackWhileAShellRunsOrAfterAShellStarted) {
    fake.registry.Put(User, Winlogon, "Shell", "C:\\Launch\\corvane.exe");
    fake.files.files["C:\\Launch\\script.txt"] = "loadshell (v)\n";

    desktop.shellRunning = true;
    Settings("ShowLauncher=0\n");
    EXPECT_EQ(RunProgram(), 0);
    EXPECT_TRUE(fake.shell.executed.empty());
    EXPECT_TRUE(fake.dialogs.messages.empty());

    desktop.shellRunning = false;
    Settings("ShowLauncher=0\nDefaultShell=Alt\n");
    fake.shell.onExecute = [this] { fake.registry.refuseSet.insert(testing::FakeRegistry::Id(User, Winlogon)); };
    EXPECT_EQ(RunProgram(), 1);
    EXPECT_EQ(fake.dialogs.errorBoxes.size(), 1u) << "the restore's error";
    EXPECT_EQ(fake.shell.executed, std::vector<std::string>{"C:\\Alt\\alt.exe|-quiet|"}) << "no Explorer after it";
}

// Explorer is given by the road that did not fail: when the switch is refused it starts
// without it; each box says what happened, in order.
TEST_F(ExplorerFallbackTest, AFallbackThatCannotSwitchStartsExplorerPlainlyAndSaysSo) {
    const std::string refused = "ERegistryException: Failed to create key \\" + Winlogon;
    const struct {
        const char* name;
        bool switchRefused;
        const char* explorerFailure;
        std::string box; // after NothingStarted
        int exitCode;
    } cases[] = {
        {"Explorer refused", false, "Access is denied.", "Could not start \"D:\\WINNT\\explorer.exe\": Access is denied.", 1},
        {"the switch refused", true, nullptr,
         "Explorer was started as a window of files, not as the shell: the shell setting could not be switched to it (" +
             refused + ").",
         0},
        {"both refused", true, "Access is denied.",
         "Could not start \"D:\\WINNT\\explorer.exe\": Access is denied.\r\nBefore that, the shell setting could not be "
         "switched to it (" + refused + ").",
         1},
    };
    fake.files.files["C:\\Launch\\script.txt"] = "loadshell (v)\n";
    Settings("ShowLauncher=0\n");
    fake.system.windowsFolder = "D:\\WINNT\\";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake.registry.refuseCreate.clear();
        fake.registry.Put(User, Winlogon, "Shell", "C:\\Launch\\corvane.exe");
        if (c.switchRefused) fake.registry.refuseCreate.insert(testing::FakeRegistry::Id(User, Winlogon));
        fake.shell.failures.clear();
        if (c.explorerFailure != nullptr) fake.shell.failures["D:\\WINNT\\explorer.exe"] = c.explorerFailure;
        fake.shell.executed.clear();
        fake.dialogs.messages.clear();
        EXPECT_EQ(RunProgram(), c.exitCode);
        EXPECT_EQ(fake.dialogs.messages, (std::vector<std::string>{TExplorerFallback::NothingStarted, c.box}));
        EXPECT_EQ(fake.shell.executed, std::vector<std::string>{"D:\\WINNT\\explorer.exe||"});
        EXPECT_EQ(UserShell(), "C:\\Launch\\corvane.exe");
    }
}

} // namespace
} // namespace corvane
