// The first and the last line that every run of the program writes into the logon record.
#include <gtest/gtest.h>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "config/CorvaneInfo.h"
#include "support/ConfigPlatform.h"
#include "support/FakeWindowSystem.h"

namespace corvane {
namespace {

class RunRecordTest : public ::testing::Test {
protected:
    RunRecordTest() {
        fake.services.windows = &windows;
        fake.Reinstall();
        fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\nShowLauncher=0\n";
        fake.files.files["C:\\Launch\\shells.ini"] = "[Shells]\n";
        fake.files.files["C:\\Tools\\tool.exe"] = "program";
    }

    // The events of one run: its first line and its last.
    std::pair<std::string, std::string> Run(const std::vector<std::string>& arguments, int expectedCode) {
        fake.recordStore.file.reset();
        EXPECT_EQ(RunProgram(arguments), expectedCode);
        const std::vector<std::string> events = fake.recordStore.Events();
        if (events.empty()) return {};
        return {events.front(), events.back()};
    }

    testing::ConfigPlatform fake;
    testing::FakeWindowSystem windows;
};

TEST_F(RunRecordTest, ARunOfTheScriptEndsWithItsExitCodeAndTheErrorThatEndedIt) {
    fake.files.files["C:\\Launch\\script.txt"] = "showmessage (hi)\n";
    const auto [start, end] = Run({}, 0);
    EXPECT_EQ(start, "start: user operator, folder C:\\Launch\\, version 3.0.0.0, command line: (none)");
    EXPECT_EQ(end, "end: exit code 0");

    fake.files.files["C:\\Launch\\script.txt"] = "exec (C:\\Tools\\tool.exe, -p)\n";
    EXPECT_EQ(Run({}, 1).second, "end: exit code 1 after the error EListError: List index out of bounds (2)");

    fake.system.version.clear();
    fake.system.userName.reset();
    EXPECT_EQ(Run({}, 1).first, "start: user " + std::string(TCorvaneInfo::UnknownUser) +
                                    ", folder C:\\Launch\\, version unknown, command line: (none)");
}

TEST_F(RunRecordTest, AnOptionsRunEndsWithTheOptionAndItsExitCode) {
    const struct {
        std::vector<std::string> arguments;
        int code;
        const char* commandLine;
        const char* end;
    } cases[] = {
        {{"--version"}, 0, "--version", "option --version: exit code 0"},
        {{"--version", TCommandLine::QuietOption}, 0, "--version --quiet", "option --version: exit code 0"},
        {{TCommandLine::QuietOption}, 2, "--quiet", "option --quiet: exit code 2"},
        {{"--Version"}, 2, "--Version",
         "option --Version: exit code 2: corvane.exe: unknown option '--Version' / Run corvane.exe --help for the options."},
        {{"--check", "C:\\My Folder", ""}, 2, "--check \"C:\\My Folder\" \"\"",
         "option --check \"C:\\My Folder\" \"\": exit code 2: corvane.exe: bad arguments for --check / Run corvane.exe --help "
         "for the options."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        const auto [start, end] = Run(c.arguments, c.code);
        EXPECT_EQ(start, std::string("start: user operator, folder C:\\Launch\\, version 3.0.0.0, command line: ") +
                             c.commandLine);
        EXPECT_EQ(end, c.end);
    }
}

} // namespace
} // namespace corvane
