// Group Policy over the real registry: the machine's policy over the user's settings file, the
// user's policy under the machine's, and AllowedShells limiting the chooser and refusing a
// script's loadshell. Each test leaves no policy behind, so that the others see none.
#include <gtest/gtest.h>

#include "Harness.h"

namespace {

using namespace e2e::registry;

constexpr const char* Policies = "Software\\Policies\\Corvane";
constexpr const char* AllowedShells = "Software\\Policies\\Corvane\\AllowedShells";
constexpr const char* Script = "loadshell (shell)\r\nshowmessage (chosen=$shell$)\r\n";

void RemovePolicies() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) DeleteRegKey(root, Policies);
}

class Policy : public ::testing::Test {
protected:
    void SetUp() override {
        WindowsLikeMachine();
        RemovePolicies();
    }
    void TearDown() override { RemovePolicies(); }

    // A program folder whose shells Alpha and Beta are copies of the stand-in, with the user's
    // settings and the script above.
    e2e::ProgramFolder Folder(const std::string& name, const std::string& settings) {
        e2e::ProgramFolder folder("policy-" + name);
        std::string shells = "[Shells]\r\n";
        for (const char* shell : {"Alpha", "Beta"}) {
            const std::string exe = folder.Path() + shell + ".exe";
            EXPECT_TRUE(CopyFileA((e2e::DriverFolder() + "standin_shell.exe").c_str(), exe.c_str(), FALSE));
            shells += std::string(shell) + "=\"" + exe + "\",0,,\r\n";
        }
        folder.Write("shells.ini", shells);
        folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\n" + settings);
        folder.Write("script.txt", Script);
        return folder;
    }
};

// The user's file asks for the chooser; the machine's policy switches it off and names the
// default shell, which then starts at once.
TEST_F(Policy, TheMachinesPolicyWinsOverTheUsersFile) {
    const auto folder = Folder("machine", "ShowLauncher=1\r\nDefaultShell=Alpha\r\n");
    SetRegDword(HKEY_LOCAL_MACHINE, Policies, "ShowLauncher", 0);
    SetRegText(HKEY_LOCAL_MACHINE, Policies, "DefaultShell", "Beta");
    e2e::Launcher launcher(folder);
    EXPECT_EQ(e2e::Texts(launcher.DismissAllUntilExit()), std::vector<std::string>{"chosen=Beta"});
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(e2e::WaitForStarts(folder.Path() + "Beta.exe", 1).size(), 1u);
    EXPECT_TRUE(e2e::StartsOf(folder.Path() + "Alpha.exe").empty());
}

// The user's policy gives what the machine's does not (the default shell, the countdown) and
// gives way where the machine's gives a value too (its length); the chooser's title shows both,
// and --check says where each setting comes from.
TEST_F(Policy, TheUsersPolicyGivesWayToTheMachines) {
    const auto folder = Folder("user", "UseTimer=0\r\nTimerLength=30\r\nDefaultShell=Alpha\r\n");
    SetRegDword(HKEY_CURRENT_USER, Policies, "UseTimer", 1);
    SetRegDword(HKEY_CURRENT_USER, Policies, "TimerLength", 2);
    SetRegText(HKEY_CURRENT_USER, Policies, "DefaultShell", "Beta");
    SetRegDword(HKEY_LOCAL_MACHINE, Policies, "TimerLength", 600);
    {
        e2e::Launcher launcher(folder);
        const HWND chooser = launcher.WaitForWindow("TfrmShellChoose");
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(e2e::WindowText(e2e::FindChild(chooser, "Static")), "Timer Enabled (600 seconds, Beta)");
    }
    const auto check = e2e::RunConsoleProgram(folder.Exe(), {"--check"});
    ASSERT_TRUE(check.has_value());
    for (const char* line : {"policy (machine): TimerLength=600\n",
                             "policy (user): TimerLength=2, not in force: policy (machine) sets TimerLength\n",
                             "setting UseTimer=1: policy (user)\n", "setting TimerLength=600: policy (machine)\n",
                             "setting DefaultShell=Beta: policy (user)\n"}) {
        EXPECT_NE(check->output.find(line), std::string::npos) << line << check->output;
    }
}

// The machine's list (in other letter case) leaves Alpha alone to the chooser, and a script's
// loadshell of the default shell Beta is refused with the policy's error: nothing starts.
TEST_F(Policy, AllowedShellsLimitTheChooserAndRefuseAScriptsLoadShell) {
    SetRegText(HKEY_LOCAL_MACHINE, AllowedShells, "1", "ALPHA");
    SetRegText(HKEY_CURRENT_USER, AllowedShells, "1", "Beta"); // the machine's list wins
    {
        const auto folder = Folder("chooser", "ShowLauncher=1\r\nDefaultShell=Beta\r\n");
        e2e::Launcher launcher(folder);
        const HWND chooser = launcher.WaitForWindow("TfrmShellChoose");
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(e2e::ComboBoxItems(e2e::FindChild(chooser, "ComboBox")), std::vector<std::string>{"Alpha"});
    }
    const auto folder = Folder("refused", "ShowLauncher=0\r\nDefaultShell=Beta\r\n");
    e2e::Launcher launcher(folder);
    EXPECT_EQ(e2e::Texts(launcher.DismissAllUntilExit()),
              (std::vector<std::string>{"Error (Line 1): \"Beta\" is not among the shells that the AllowedShells policy "
                                        "of the machine (ALPHA) allows; nothing was started.",
                                        "chosen=nil"}));
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_TRUE(e2e::StartsOf(folder.Path() + "Beta.exe").empty());
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), std::nullopt) << "no switch";
}

} // namespace
