// The Windows Installer package as an administrator deploys it: a quiet install for the whole
// machine, with and without Corvane as every user's shell, and its removal, which must leave
// the machine's shell and Corvane's folder and keys as they were before.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

#include "Harness.h"

namespace {

using namespace e2e::registry;

const std::string InstallFolder = "C:\\Program Files\\Corvane\\";
const char* const EventSource = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Corvane";

bool KeyExists(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Runs msiexec with the package and waits for it; its exit code.
DWORD Msiexec(const std::string& action, const std::string& properties = "") {
    std::string command = "msiexec " + action + " \"" + e2e::Config().msi + "\" /qn" + (properties.empty() ? "" : " " + properties);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot run " << command;
        return 9999;
    }
    DWORD code = 9999;
    if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class Package : public ::testing::Test {
protected:
    void SetUp() override {
        if (e2e::Config().msi.empty()) GTEST_SKIP() << "no package given (--msi=): wixl was not found at build time";
        WindowsLikeMachine();
    }
    void TearDown() override { WindowsLikeMachine(); }
};

TEST_F(Package, MakesCorvaneEveryUsersShellOnlyWhenAskedAndTakesBackExactlyThat) {
    const Stored before = Read(HKEY_LOCAL_MACHINE, Winlogon, "Shell");
    for (const bool allUsers : {false, true}) {
        SCOPED_TRACE(allUsers ? "ALLUSERSSHELL=1" : "plain");
        ASSERT_EQ(Msiexec("/i", allUsers ? "ALLUSERSSHELL=1" : ""), 0u);
        EXPECT_TRUE(Exists(InstallFolder + "corvane.exe"));
        EXPECT_TRUE(Exists(InstallFolder + "README-WINDOWS.txt"));
        EXPECT_TRUE(Exists(InstallFolder + "Example\\shells.ini"));
        EXPECT_TRUE(Exists(InstallFolder + "Example\\schemes\\Default.crs"));
        EXPECT_FALSE(Exists(InstallFolder + "shells.ini")) << "the example is no live configuration";
        EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, EventSource, "EventMessageFile"), InstallFolder + "corvane.exe");
        if (allUsers) {
            EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, Winlogon, "Shell"), "\"" + InstallFolder + "corvane.exe\"");
        } else {
            EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, Winlogon, "Shell"), before);
        }
        const std::string added = InstallFolder + "Example\\added-by-the-administrator.ini";
        std::ofstream(added, std::ios::binary) << "[Settings]\r\n";

        ASSERT_EQ(Msiexec("/x"), 0u);
        EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, Winlogon, "Shell"), before);
        EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, "Software\\Corvane", "InstalledOver"), std::nullopt);
        EXPECT_FALSE(Exists(InstallFolder + "corvane.exe"));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, EventSource)) << "the event source goes with the package";
        EXPECT_FALSE(Exists(InstallFolder + "Example\\shells.ini"));
        EXPECT_TRUE(Exists(added)) << "what the administrator added stays";
        DeleteFileA(added.c_str());
        RemoveDirectoryA((InstallFolder + "Example").c_str());
        RemoveDirectoryA(InstallFolder.c_str());
    }
}

// A removal whose shell cannot be put back (the machine's Winlogon key refuses writes) fails as a
// whole: the files stay for the shell that names them, and so does the shell. Once the key takes
// writes again, the removal goes through.
TEST_F(Package, ARemovalThatCannotPutTheShellBackFailsAndLeavesEverything) {
    const Stored before = Read(HKEY_LOCAL_MACHINE, Winlogon, "Shell");
    ASSERT_EQ(Msiexec("/i", "ALLUSERSSHELL=1"), 0u);
    const Stored installed = Read(HKEY_LOCAL_MACHINE, Winlogon, "Shell");
    {
        ReadOnlyKey locked(HKEY_LOCAL_MACHINE, Winlogon);
        EXPECT_NE(Msiexec("/x"), 0u) << "the removal fails";
        EXPECT_TRUE(Exists(InstallFolder + "corvane.exe")) << "the files stay";
        EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, Winlogon, "Shell"), installed) << "and the shell that names them";
        EXPECT_TRUE(RegText(HKEY_LOCAL_MACHINE, "Software\\Corvane", "InstalledOver").has_value());
    }
    ASSERT_EQ(Msiexec("/x"), 0u);
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, Winlogon, "Shell"), before);
    EXPECT_FALSE(Exists(InstallFolder + "corvane.exe"));
}

// An administrator who set another shell after the install keeps it through the removal; only
// Corvane's record of the shell before it goes.
TEST_F(Package, ARemovalKeepsAShellThatAnAdministratorSetSince) {
    ASSERT_EQ(Msiexec("/i", "ALLUSERSSHELL=1"), 0u);
    SetRegText(HKEY_LOCAL_MACHINE, Winlogon, "Shell", "C:\\Kiosk\\kiosk.exe");
    ASSERT_EQ(Msiexec("/x"), 0u);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, Winlogon, "Shell"), "C:\\Kiosk\\kiosk.exe");
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, "Software\\Corvane", "InstalledOver"), std::nullopt);
    EXPECT_FALSE(Exists(InstallFolder + "corvane.exe"));
}

} // namespace
