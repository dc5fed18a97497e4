#include <gtest/gtest.h>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "config/RegistryWrites.h"
#include "shell/EventSource.h"
#include "shell/ShellRecovery.h"
#include "shell/ShellJournal.h"
#include "support/LauncherWorld.h"

namespace corvane {
namespace {

constexpr const char* Quiet = TCommandLine::QuietOption;
constexpr const char* AllUsers = TCommandLine::AllUsersOption;
constexpr const char* Guard = TShellRecovery::GuardOption;

class CommandLineTest : public testing::LauncherWorld {
protected:
    int Run(const std::vector<std::string>& arguments) {
        fake.dialogs.output.clear();
        return RunProgram(arguments);
    }
};

TEST_F(CommandLineTest, OptionsAnswerWithTheirExitCodes) {
    const std::tuple<std::vector<std::string>, int, const char*> cases[] = {
        {{"--version"}, 0, "Corvane v3 Launcher 3.0.0.0\n"},
        {{"--help"}, 0, "  --install "},
        {{"/?"}, 0, "  --recover "},
        {{"--Version"}, 2, "unknown option '--Version'"},
        {{"-"}, 2, "unknown option '-'"},
        {{"--version", "x"}, 2, "bad arguments for --version"},
        {{"--recover"}, 0, "nothing to put back"},
        {{"--help"}, 0, "  --check [folder] [--user NAME]  report every problem"},
        {{"--check", "C:\\Nowhere"}, 2, "corvane.exe: cannot read the folder C:\\Nowhere\n"},
        {{"--check", "--user"}, 2, "bad arguments for --check"},
        {{"--check", "C:\\A", "C:\\B"}, 2, "bad arguments for --check"},
        {{"--check", "--verbose"}, 2, "bad arguments for --check"},
        {{Guard}, 2, ""},
        {{Guard, "12x"}, 2, ""},
    };
    for (const auto& [arguments, code, output] : cases) {
        SCOPED_TRACE(arguments[0]);
        EXPECT_EQ(Run(arguments), code);
        EXPECT_NE(fake.dialogs.output.find(output), std::string::npos) << fake.dialogs.output;
        EXPECT_TRUE(fake.dialogs.messages.empty()) << "options report through the output";
    }
    EXPECT_EQ(fake.dialogs.output, "") << "the guard never shows anything";
}

// --check reads this program's folder, or the one given, for the current user or the one named.
TEST_F(CommandLineTest, CheckReportsTheFolderAndAnswersWithErrorsOrNot) {
    fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\r\nDefaultShell=Explorer\r\n";
    fake.files.files["C:\\Launch\\shells.ini"] = "[Shells]\r\nExplorer=C:\\Windows\\explorer.exe,0,,\r\n";
    fake.files.files["C:\\Launch\\script.txt"] = "loadshell (shell)\r\n";
    fake.files.files["C:\\Windows\\explorer.exe"] = "MZ";
    EXPECT_EQ(Run({"--check"}), 0);
    EXPECT_EQ(fake.dialogs.output, "shell Explorer (default): C:\\Windows\\explorer.exe, no wallpaper, not watched\n0 errors, 0 warnings\n");

    fake.files.files["D:\\Other\\alice.ini"] = "[Settings]\r\nUseTimer=yes\r\n";
    EXPECT_EQ(Run({"--check", "--user", "alice", "D:\\Other"}), 0);
    EXPECT_NE(fake.dialogs.output.find("D:\\Other\\alice.ini:2: warning: UseTimer=yes is not a whole number"),
              std::string::npos)
        << fake.dialogs.output;
    EXPECT_NE(fake.dialogs.output.find("D:\\Other\\shells.ini: warning: the file is missing"), std::string::npos);

    fake.files.files["C:\\Launch\\script.txt"] = "end\r\n";
    EXPECT_EQ(Run({"--check", "C:\\Launch\\"}), 1);
    EXPECT_NE(fake.dialogs.output.find("C:\\Launch\\script.txt:1: error: statement 1: end without its ifeq"),
              std::string::npos)
        << fake.dialogs.output;
    EXPECT_NE(fake.dialogs.output.find("\n1 error, 0 warnings\n"), std::string::npos);
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

// Every start puts back first what a dead launcher left switched, and an option says so.
TEST_F(CommandLineTest, AnOptionFirstRecoversAndSaysSo) {
    TPendingRestore pending;
    pending.Launcher = {7, 70};
    pending.Saved.Family = 2;
    pending.Switched.UserValue = true;
    fake.registry.Put(User, Winlogon, "Shell", "left.exe");
    TShellJournal().Write(pending, "C:\\Launch\\corvane.exe");
    EXPECT_EQ(Run({"--version"}), 0);
    EXPECT_EQ(fake.dialogs.output.rfind("Put back the shell setting that the launch by process 7 left switched:\n", 0), 0u)
        << fake.dialogs.output;
    EXPECT_EQ(UserShell(), std::nullopt);
}

// --quiet anywhere silences everything, the recovery's report included, and keeps the exit code;
// --all-users is the only argument that --install and --uninstall take.
TEST_F(CommandLineTest, QuietKeepsOnlyTheExitCode) {
    TPendingRestore pending;
    pending.Launcher = {7, 70};
    pending.Saved.Family = 2;
    pending.Switched.UserValue = true;
    TShellJournal().Write(pending, "C:\\Launch\\corvane.exe");
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"--version", Quiet}, 0}, {{Quiet, "--help"}, 0}, {{Quiet}, 2},
        {{Quiet, "--frobnicate"}, 2}, {{"--install", "--everyone", Quiet}, 2}, {{"--uninstall", Quiet}, 0},
    };
    for (const auto& [arguments, code] : cases) {
        SCOPED_TRACE(arguments[0] + " " + arguments.back());
        EXPECT_EQ(Run(arguments), code);
        EXPECT_EQ(fake.dialogs.output, "");
        EXPECT_TRUE(fake.dialogs.messages.empty());
    }
    EXPECT_EQ(Run({"--uninstall", AllUsers, "now"}), 2);
    EXPECT_EQ(Run({"--uninstall", AllUsers}), 0);
    EXPECT_NE(fake.dialogs.output.find("not installed as the shell of every user of this machine"), std::string::npos)
        << fake.dialogs.output;
}

// At logon the RunOnce entry runs --recover: when there was nothing to put back, its answer is
// for a console or a file only, never for a box that waits for the user; what it did put back
// may be shown.
TEST_F(CommandLineTest, ARecoveryWithNothingToDoIsNotWorthABox) {
    using Unread = platform::Dialogs::Unread;
    EXPECT_EQ(Run({"--recover"}), 0);
    EXPECT_EQ(fake.dialogs.unreadOutput, Unread::Dropped);
    TPendingRestore pending;
    pending.Launcher = {7, 70};
    pending.Saved.Family = 2;
    TShellJournal().Write(pending, "C:\\Launch\\corvane.exe");
    EXPECT_EQ(Run({"--recover"}), 0);
    EXPECT_EQ(fake.dialogs.unreadOutput, Unread::Box);
    EXPECT_EQ(Run({"--version"}), 0);
    EXPECT_EQ(fake.dialogs.unreadOutput, Unread::Box);
}

// The install for every user registers the event source with this corvane.exe as its message
// file, and its uninstall removes it, but not one of another program; each change, done or
// failed, is in the event log.
TEST_F(CommandLineTest, EveryUsersInstallRegistersTheEventSourceAndTheLogTellsEachChange) {
    const std::string key = TEventSource::Key();
    EXPECT_EQ(Run({"--install", AllUsers}), 0);
    const platform::RegistryValue file = fake.registry.ReadValue(Machine, key, TEventSource::MessageFileValue);
    EXPECT_EQ(file.type, platform::RegExpandString);
    EXPECT_EQ(file.data, StringData("C:\\Launch\\corvane.exe"));
    EXPECT_EQ(fake.registry.ReadValue(Machine, key, TEventSource::TypesValue).data, std::string("\x07\0\0\0", 4));
    EXPECT_EQ(Run({"--uninstall", AllUsers}), 0);
    EXPECT_FALSE(fake.registry.HasKey(Machine, key));

    EXPECT_EQ(Run({"--install", AllUsers}), 0);
    fake.registry.Put(Machine, key, TEventSource::MessageFileValue, "C:\\Program Files\\Other\\corvane.exe");
    EXPECT_EQ(Run({"--uninstall", AllUsers}), 0);
    EXPECT_TRUE(fake.registry.HasKey(Machine, key)) << "another program's registration stays";

    fake.registry.readOnly.insert(testing::FakeRegistry::Id(Machine, Winlogon));
    EXPECT_EQ(Run({"--install", AllUsers}), 1);
    EXPECT_EQ(Run({"--install", "--bad"}), 2);
    EXPECT_EQ(fake.eventLog.Ids(), (std::vector<std::uint16_t>{10, 11, 10, 11, 12})) << "a usage error is no change";
    EXPECT_EQ(fake.eventLog.events.back().level, platform::EventLevel::Error);
    EXPECT_NE(fake.eventLog.events.back().text.find("Administrator rights are needed"), std::string::npos);
}

} // namespace
} // namespace corvane
