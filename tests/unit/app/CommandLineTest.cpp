#include <gtest/gtest.h>

#include "app/Application.h"
#include "config/ShellJournal.h"
#include "support/ConfigPlatform.h"
#include "support/FakeWindowSystem.h"

namespace corvane {
namespace {

class CommandLineTest : public ::testing::Test {
protected:
    CommandLineTest() {
        fake.services.windows = &windows;
        fake.Reinstall();
    }
    int Run(const std::vector<std::string>& arguments) {
        fake.dialogs.output.clear();
        return RunProgram(arguments);
    }

    testing::ConfigPlatform fake;
    testing::FakeWindowSystem windows;
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
        {{"--guard"}, 2, ""},
        {{"--guard", "12x"}, 2, ""},
    };
    for (const auto& [arguments, code, output] : cases) {
        SCOPED_TRACE(arguments[0]);
        EXPECT_EQ(Run(arguments), code);
        EXPECT_NE(fake.dialogs.output.find(output), std::string::npos) << fake.dialogs.output;
        EXPECT_TRUE(fake.dialogs.messages.empty()) << "options report through the output";
    }
    EXPECT_EQ(fake.dialogs.output, "") << "the guard never shows anything";
}

// Every start puts back first what a dead launcher left switched, and an option says so.
TEST_F(CommandLineTest, AnOptionFirstRecoversAndSaysSo) {
    TPendingRestore pending;
    pending.Launcher = {7, 70};
    pending.Saved.Family = 2;
    pending.Switched.UserValue = true;
    fake.registry.Put(platform::RegistryRoot::CurrentUser, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
                      "Shell", "left.exe");
    TShellJournal().Write(pending, "C:\\Launch\\corvane.exe");
    EXPECT_EQ(Run({"--version"}), 0);
    EXPECT_EQ(fake.dialogs.output.rfind("Put back the shell setting that the launch by process 7 left switched:\n", 0), 0u)
        << fake.dialogs.output;
    EXPECT_EQ(fake.registry.Text(platform::RegistryRoot::CurrentUser,
                                 "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "Shell"),
              std::nullopt);
}

} // namespace
} // namespace corvane
