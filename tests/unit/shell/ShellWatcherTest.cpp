#include <gtest/gtest.h>

#include "app/Application.h"
#include "shell/ExplorerFallback.h"
#include "shell/RestartPolicy.h"
#include "shell/ShellWatcher.h"
#include "support/LauncherWorld.h"
#include "text/CommandLineArgument.h"

namespace corvane {
namespace {

using platform::RegistryRoot;
using Action = TRestartPolicy::TAction;

// Ends at the given ticks: a clean exit ends the watch, three crashes within a minute are
// restarted and the fourth gives Explorer; ends that lie a minute apart or more count anew,
// across the wrap of the tick count too.
TEST(RestartPolicyTest, CountsTheCrashesOfTheLastMinute) {
    struct End {
        std::uint32_t code, at;
        Action action;
    };
    const std::uint32_t wrap = 0xFFFFFFFFu - 1000;
    const std::vector<std::pair<const char*, std::vector<End>>> cases = {
        {"clean exit", {{0, 10, Action::End}}},
        {"clean exit after crashes", {{1, 10, Action::Restart}, {0, 20, Action::End}}},
        {"fourth crash within the minute",
         {{0xC0000005, 0, Action::Restart}, {3, 1000, Action::Restart}, {1, 2000, Action::Restart}, {1, 59999, Action::GiveExplorer}}},
        {"the first crash a minute before",
         {{1, 0, Action::Restart}, {1, 1000, Action::Restart}, {1, 2000, Action::Restart}, {1, 60000, Action::Restart},
          {1, 60500, Action::GiveExplorer}}},
        {"across the wrap",
         {{1, wrap, Action::Restart}, {1, wrap + 500, Action::Restart}, {1, wrap + 2000, Action::Restart}, {1, 5000, Action::GiveExplorer}}},
    };
    for (const auto& [name, ends] : cases) {
        SCOPED_TRACE(name);
        TRestartPolicy policy;
        for (const End& end : ends) EXPECT_EQ(policy.AfterEnd(end.code, end.at), end.action) << end.at;
    }
}

// The C runtime gives each of these back as written: backslashes count only before a quote.
TEST(CommandLineArgumentTest, QuotesSoThatTheSplitGivesTheTextBack) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "\"\""},
        {"C:\\Program Files\\Alt\\alt.exe", "\"C:\\Program Files\\Alt\\alt.exe\""},
        {"C:\\Shells\\", "\"C:\\Shells\\\\\""},
        {"-title \"My desk\"", "\"-title \\\"My desk\\\"\""},
        {"a\\\"b", "\"a\\\\\\\"b\""},
    };
    for (const auto& [text, quoted] : cases) EXPECT_EQ(QuoteArgument(text), quoted) << text;
}

TEST(ShellWatcherTest, OnlyAProgramsOwnProcessCanBeWatched) {
    for (const char* path : {"C:\\Alt\\alt.exe", "C:\\Alt\\ALT.EXE", "C:\\Alt\\start.cmd", "C:\\v1.2\\alt", "alt"}) {
        EXPECT_TRUE(TShellWatcher::CanWatch(path)) << path;
    }
    for (const char* path : {"C:\\Alt\\desk.lnk", "C:\\Alt\\board.html", "C:\\Alt\\alt.exe.txt"}) {
        EXPECT_FALSE(TShellWatcher::CanWatch(path)) << path;
    }
}

// The watcher of Alt in C:\Launch\, with a clock that lets each restart's pause pass quickly.
class ShellWatcherRunTest : public testing::LauncherWorld {
protected:

    int Watch() {
        const TShellIO shellIO;
        return TShellWatcher(shellIO, {"Alt", "C:\\Alt\\alt.exe", "-desk"})
            .Run(std::make_shared<testing::FakeProcesses::Held>(platform::ProcessIdentity{50, 1}));
    }
};

TEST_F(ShellWatcherRunTest, RestartsACrashedShellAsTheShellAndWatchesTheNewProcess) {
    fake.processes.exitCodes = {0xC0000005, 3, 0};
    EXPECT_EQ(Watch(), 0);
    EXPECT_EQ(fake.shell.executed, (std::vector<std::string>{"C:\\Alt\\alt.exe|-desk|", "C:\\Alt\\alt.exe|-desk|"}));
    EXPECT_EQ(during, (std::vector<std::string>{"C:\\Alt\\alt.exe", "C:\\Alt\\alt.exe"}));
    ASSERT_EQ(fake.processes.waitedOn.size(), 3u);
    EXPECT_EQ(fake.processes.waitedOn[1].Id, 1000u) << "the restarted process is the one watched";
    EXPECT_TRUE(fake.dialogs.messages.empty());
    EXPECT_EQ(UserShell(), std::nullopt) << "put back";
    const std::vector<std::string> events = fake.recordStore.Events();
    for (const char* line : {"watch of \"Alt\": ended with exit code 0xC0000005; starting it again (1 within a minute)",
                             "watch of \"Alt\": ended with exit code 3; starting it again (2 within a minute)",
                             "watch of \"Alt\": ended with exit code 0, its own choice: the watch ends"}) {
        EXPECT_EQ(std::count(events.begin(), events.end(), line), 1) << line << "\n" << ::testing::PrintToString(events);
    }
    EXPECT_EQ(fake.eventLog.Ids(), (std::vector<std::uint16_t>{6, 6})) << "each restart, not the shell's own end";
    EXPECT_EQ(fake.eventLog.events.at(0).text, "Alt ended unexpectedly with exit code 0xC0000005; starting it again (1 ends within a minute).");
}

TEST_F(ShellWatcherRunTest, TheFourthCrashWithinAMinuteGivesExplorerWithABox) {
    fake.processes.exitCodes = {1, 1, 1, 1, 1};
    fake.system.tickStep = 1; // the restarts' pauses take no time worth counting
    EXPECT_EQ(Watch(), 0);
    ASSERT_EQ(fake.shell.executed.size(), 4u);
    EXPECT_EQ(fake.shell.executed.back(), "C:\\Windows\\explorer.exe||");
    EXPECT_EQ(during.back(), "C:\\Windows\\explorer.exe");
    EXPECT_EQ(fake.dialogs.messages,
              std::vector<std::string>{"Alt ended unexpectedly 4 times within a minute; Explorer was started instead."});
    EXPECT_EQ(fake.eventLog.Ids(), (std::vector<std::uint16_t>{6, 6, 6, 7}));
    EXPECT_EQ(fake.eventLog.events.back().text, fake.dialogs.messages.back());
    EXPECT_EQ(fake.processes.waitedOn.size(), 4u) << "Explorer is not watched";
}

// A restart that fails gives Explorer first, by the road that did not fail, and then one box
// that says what happened in the order it happened.
TEST_F(ShellWatcherRunTest, ARestartThatFailsGivesExplorerThenSaysWhatHappened) {
    const std::string refused = "ERegistryException: Failed to create key \\" + Winlogon;
    const struct {
        const char* name;
        bool startRefused, switchRefused, explorerRefused;
        std::vector<std::string> executed; // after the crashed start
        std::string box;
        int exitCode;
    } cases[] = {
        {"the start refused", true, false, false, {"C:\\Alt\\alt.exe|-desk|", "C:\\Windows\\explorer.exe||"},
         "Alt ended unexpectedly and could not be started again: Could not start \"C:\\Alt\\alt.exe\": The system cannot "
         "find the file specified.\r\nExplorer was started instead.",
         0},
        {"the switch refused", false, true, false, {"C:\\Windows\\explorer.exe||"},
         "Alt ended unexpectedly and could not be started again: " + refused +
             "\r\nExplorer was started instead, as a window of files: the shell setting could not be switched to it (" +
             refused + ").",
         0},
        {"Explorer refused too", false, true, true, {"C:\\Windows\\explorer.exe||"},
         "Alt ended unexpectedly and could not be started again: " + refused +
             "\r\nExplorer could not be started instead: Access is denied. Before that, the shell setting could not be "
             "switched to it (" + refused + ").",
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake.processes.exitCodes = {1};
        fake.processes.waitedOn.clear();
        fake.shell.executed.clear();
        fake.shell.failures.clear();
        fake.dialogs.messages.clear();
        fake.registry.refuseCreate.clear();
        if (c.startRefused) fake.shell.failures["C:\\Alt\\alt.exe"] = "The system cannot find the file specified.";
        if (c.explorerRefused) fake.shell.failures["C:\\Windows\\explorer.exe"] = "Access is denied.";
        if (c.switchRefused) fake.registry.refuseCreate.insert(testing::FakeRegistry::Id(User, Winlogon));
        EXPECT_EQ(Watch(), c.exitCode);
        EXPECT_EQ(fake.shell.executed, c.executed);
        EXPECT_EQ(fake.dialogs.messages, std::vector<std::string>{c.box});
        EXPECT_EQ(UserShell(), std::nullopt) << "put back";
    }
}

TEST_F(ShellWatcherRunTest, TheSessionsEndEndsTheWatchWithoutARestart) {
    fake.processes.exitCodes = {}; // the session ends first
    EXPECT_EQ(Watch(), 0);
    EXPECT_TRUE(fake.shell.executed.empty());
    EXPECT_EQ(fake.processes.waitedOn.size(), 1u);
}

// A crash protected shell gets its watcher, holding the started process, with every field
// quoted; one without the protection gets none, and a protected start that gives no process, or
// whose watcher cannot start, says in the record that it is not watched.
TEST_F(ShellWatcherRunTest, ALaunchStartsTheWatcherOfACrashProtectedShellOnly) {
    fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\nShowLauncher=0\nDefaultShell=Alt\n";
    fake.files.files["C:\\Launch\\script.txt"] = "loadshell (v)\n";
    fake.files.files["C:\\Alt\\alt.exe"] = "program";
    const std::string watcher = "C:\\Launch\\corvane.exe " + std::string(TShellWatcher::Option) + " hold1000 \"Alt\" \"C:\\Alt\\alt.exe\" \"-t \\\"x\\\"\"";
    const struct {
        const char* name;
        const char* protectedField;
        bool withoutProcess, watcherRefused;
        bool asked; // the watcher's start was asked for
        const char* unwatched; // the record's line
    } cases[] = {
        {"protected", "1", false, false, true, nullptr},
        {"unprotected", "0", false, false, false, nullptr},
        {"no process", "1", true, false, false,
         "watch of \"Alt\": not watched: its start gives no process of its own (a document or a shortcut opened by another "
         "program)"},
        {"no watcher", "1", false, true, true, "watch of \"Alt\": not watched: its watcher could not be started"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake.files.files["C:\\Launch\\shells.ini"] =
            std::string("[Shells]\nAlt=C:\\Alt\\alt.exe,") + c.protectedField + ",\"-t \"\"x\"\"\",\n";
        fake.processes.started.clear();
        fake.shell.nextProcessId = 1000;
        fake.shell.withoutProcess = c.withoutProcess;
        fake.processes.refuseStart = c.watcherRefused; // the guard's start too, which the launch does without
        fake.recordStore.file.reset();
        EXPECT_EQ(RunProgram({}), 0);
        const auto& started = fake.processes.started;
        EXPECT_EQ(std::count(started.begin(), started.end(), watcher), c.asked ? 1 : 0) << ::testing::PrintToString(started);
        const auto events = fake.recordStore.Events();
        const auto unwatched = std::find_if(events.begin(), events.end(),
                                            [](const std::string& e) { return e.find("not watched") != std::string::npos; });
        EXPECT_EQ(unwatched == events.end() ? std::string() : *unwatched, c.unwatched != nullptr ? c.unwatched : "");
    }
}

TEST(ShellWatcherArgumentsTest, AWatchNeedsAHeldProcessAndThreeFields) {
    testing::FakePlatform fake;
    EXPECT_FALSE(TShellWatcher::FromArguments({"hold7", "Alt", "C:\\alt.exe"}));
    EXPECT_FALSE(TShellWatcher::FromArguments({"12", "Alt", "C:\\alt.exe", ""}));
    const auto watch = TShellWatcher::FromArguments({"hold7", "Alt", "C:\\alt.exe", ""});
    ASSERT_TRUE(watch);
    EXPECT_EQ(watch->Process->Identity().Id, 7u);
    EXPECT_EQ(watch->Shell.Path, "C:\\alt.exe");
}

} // namespace
} // namespace corvane
