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
    };
    const std::string failed = "Error (Line 1): Could not start \"C:\\Alt\\alt.exe\": The system cannot find the file specified.";
    const Case cases[] = {
        {"cancelled chooser", "C:\\Launch\\corvane.exe", "DefaultShell=Alt\n", "loadshell (v)\n", true, false, {}, 0, true},
        {"nothing configured", "\"C:\\LAUNCH\\CORVANE.EXE\" -x", "ShowLauncher=0\n", "loadshell (v)\n", false, false, {}, 0, true},
        {"failed start", "c:\\launch\\corvane.exe", "ShowLauncher=0\nDefaultShell=Alt\n", "loadshell (v)\n", false, true, {failed}, 0, true},
        {"error that ended the run", "C:\\Launch\\corvane.exe", "ShowLauncher=0\n", "exec (C:\\Tools\\tool.exe, -p)\n",
         false, false, {}, 1, true},
        {"script that started a program", "C:\\Launch\\corvane.exe", "ShowLauncher=0\n", "exec (C:\\Tools\\tool.exe, \"\", \"\")\n",
         false, false, {}, 0, false},
        {"shell started", "C:\\Launch\\corvane.exe", "ShowLauncher=0\nDefaultShell=Alt\n", "loadshell (v)\n", false, false, {}, 0, false},
        {"not the logon shell", "explorer.exe", "ShowLauncher=0\n", "loadshell (v)\n", false, false, {}, 0, false},
        {"another corvane.exe", "D:\\Old\\corvane.exe", "ShowLauncher=0\n", "loadshell (v)\n", false, false, {}, 0, false},
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
        during.clear();

        EXPECT_EQ(RunProgram(), c.exitCode);
        std::vector<std::string> messages = c.messages;
        if (c.fallback) messages.push_back(TExplorerFallback::NothingStarted);
        EXPECT_EQ(fake.dialogs.messages, messages);
        EXPECT_EQ(fake.dialogs.errorBoxes.size(), c.exitCode == 1 ? 1u : 0u) << "the error's box comes first";
        const bool explorerStarted = !fake.shell.executed.empty() && fake.shell.executed.back() == Explorer + "||";
        EXPECT_EQ(explorerStarted, c.fallback);
        if (c.fallback) {
            EXPECT_EQ(during.back(), Explorer) << "started as the shell";
        }
        EXPECT_EQ(UserShell(), c.userShell) << "put back";
    }
}

TEST_F(ExplorerFallbackTest, AFailedStartOfExplorerIsSaid) {
    fake.registry.Put(User, Winlogon, "Shell", "C:\\Launch\\corvane.exe");
    fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\nShowLauncher=0\n";
    fake.files.files["C:\\Launch\\script.txt"] = "loadshell (v)\n";
    fake.system.windowsFolder = "D:\\WINNT\\";
    fake.shell.failures["D:\\WINNT\\explorer.exe"] = "Access is denied.";
    EXPECT_EQ(RunProgram(), 1);
    EXPECT_EQ(fake.dialogs.messages,
              (std::vector<std::string>{TExplorerFallback::NothingStarted,
                                        "Could not start \"D:\\WINNT\\explorer.exe\": Access is denied."}));
    EXPECT_EQ(UserShell(), "C:\\Launch\\corvane.exe");
}

} // namespace
} // namespace corvane
