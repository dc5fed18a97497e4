// Never leaving the shell switched: a launcher killed during its pause is put right by its
// guard within two seconds; with the guard killed too, by the next start of corvane.exe or by
// --recover. Installing Corvane as the user's shell and uninstalling it; the options' output.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "Harness.h"

namespace {

using namespace e2e::registry;

constexpr const char* JournalKey = "Software\\Corvane";
constexpr const char* RunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// A machine of one of two kinds: one whose values all exist (a shell of the user's own, the
// machine's, the mapping at the machine's key), or a fresh one with only the machine's value.
struct MachineKind {
    const char* name;
    bool valuesExist;
};

void Prepare(const MachineKind& kind) {
    WindowsLikeMachine();
    DeleteRegValue(HKEY_CURRENT_USER, JournalKey, "PendingRestore");
    if (!kind.valuesExist) RegDeleteKeyA(HKEY_LOCAL_MACHINE, MappingKey);
    if (kind.valuesExist) {
        const std::string own = "%SystemRoot%\\own-shell.exe";
        SetRegText(HKEY_CURRENT_USER, Winlogon, "Shell", own, REG_EXPAND_SZ);
    }
}

e2e::ProgramFolder Folder(const std::string& name, const std::string& script) {
    e2e::ProgramFolder folder(name);
    EXPECT_TRUE(
        CopyFileA((e2e::DriverFolder() + "standin_shell.exe").c_str(), (folder.Path() + "alt.exe").c_str(), FALSE));
    folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=0\r\nDefaultShell=Alt\r\n");
    folder.Write("shells.ini", "[Shells]\r\nAlt=" + folder.Path() + "alt.exe,0,,\r\n");
    folder.Write("script.txt", script);
    return folder;
}

// The setting that a launch which ends normally leaves on this kind of machine.
ShellSetting AfterANormalLaunch(const MachineKind& kind) {
    Prepare(kind);
    auto folder = Folder(std::string("normal-") + kind.name, "loadshell (a)\r\n");
    e2e::Launcher launcher(folder);
    EXPECT_TRUE(launcher.DismissAllUntilExit().empty());
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    const ShellSetting after = CurrentSetting();
    Prepare(kind);
    return after;
}

// Waits until the launch has switched the setting to its shell: the launcher is in its pause.
void WaitForTheSwitch(const e2e::Launcher& launcher, const e2e::ProgramFolder& folder) {
    const std::string shell = folder.Path() + "alt.exe";
    const DWORD start = GetTickCount();
    while (RegText(HKEY_CURRENT_USER, Winlogon, "Shell") != shell && GetTickCount() - start < 20000) Sleep(20);
    ASSERT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), shell) << "switched";
    ASSERT_TRUE(launcher.Running());
}

// Polls for up to timeoutMs until the setting is as expected.
bool BecomesWithin(const ShellSetting& expected, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (CurrentSetting() == expected) return true;
        Sleep(50);
    }
    return CurrentSetting() == expected;
}

class Recovery : public ::testing::TestWithParam<MachineKind> {};

TEST_P(Recovery, TheGuardPutsBackTheSettingOfAKilledLauncherWithinTwoSeconds) {
    const MachineKind& kind = GetParam();
    const ShellSetting expected = AfterANormalLaunch(kind);
    auto folder = Folder(std::string("killed-") + kind.name, "loadshell (a)\r\n");
    e2e::Launcher launcher(folder);
    WaitForTheSwitch(launcher, folder);
    const std::vector<DWORD> guards = e2e::ChildProcesses(launcher.ProcessId(), "corvane.exe");
    EXPECT_EQ(guards.size(), 1u) << "the guard runs beside the launcher";
    EXPECT_TRUE(RegText(HKEY_CURRENT_USER, RunOnceKey, "Corvane Recovery").has_value()) << "the next logon would recover";

    launcher.Kill();
    EXPECT_TRUE(BecomesWithin(expected, 2000)) << CurrentSetting() << " instead of " << expected;
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, RunOnceKey, "Corvane Recovery"), std::nullopt);
    Sleep(1000);
    for (const DWORD guard : guards) {
        const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, guard);
        EXPECT_TRUE(process == nullptr || WaitForSingleObject(process, 0) == WAIT_OBJECT_0) << "the guard has ended";
        if (process != nullptr) CloseHandle(process);
    }
}

// With the guard killed too (as a power cut would end both), the next start of corvane.exe, in
// any mode, first puts the setting back; --recover does only that and says so.
TEST_P(Recovery, TheNextStartPutsBackWhatLauncherAndGuardLeft) {
    const MachineKind& kind = GetParam();
    const ShellSetting expected = AfterANormalLaunch(kind);
    auto folder = Folder(std::string("both-killed-") + kind.name, "loadshell (a)\r\n");
    const auto killBoth = [&folder] {
        e2e::Launcher launcher(folder);
        WaitForTheSwitch(launcher, folder);
        const auto guards = e2e::ChildProcesses(launcher.ProcessId(), "corvane.exe");
        EXPECT_EQ(guards.size(), 1u);
        for (const DWORD guard : guards) EXPECT_TRUE(e2e::KillProcess(guard)) << guard;
        launcher.Kill();
        Sleep(500);
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), folder.Path() + "alt.exe") << "left switched";
    };

    killBoth();
    folder.Write("script.txt", "showmessage (hello)\r\n");
    {
        e2e::Launcher next(folder);
        const auto box = next.WaitForBox();
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, "hello");
        EXPECT_EQ(CurrentSetting(), expected) << "put back before the script ran";
        next.PressOk(box->window);
        EXPECT_EQ(next.WaitForExit(), 0u);
    }

    folder.Write("script.txt", "loadshell (a)\r\n");
    killBoth();
    const auto recovered = e2e::RunConsoleProgram(folder.Exe(), {"--recover"});
    ASSERT_TRUE(recovered.has_value());
    EXPECT_EQ(recovered->exitCode, 0u);
    EXPECT_NE(recovered->output.find("Put back the shell setting"), std::string::npos) << recovered->output;
    EXPECT_EQ(CurrentSetting(), expected);
    const auto again = e2e::RunConsoleProgram(folder.Exe(), {"--recover"});
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->output, "No launch left the shell setting switched; nothing to put back.\n");
}

INSTANTIATE_TEST_SUITE_P(Machines, Recovery,
                         ::testing::Values(MachineKind{"values_exist", true}, MachineKind{"fresh", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// --install, a launch (which keeps the installation), then --uninstall: the user's value is
// exactly as before, type included.
TEST(Install, InstallLaunchUninstallLeavesTheUsersValueAsItWas) {
    const std::optional<std::string> none;
    const std::pair<std::optional<std::string>, DWORD> earlier[] = {{none, 0}, {"%SystemRoot%\\mine.exe", REG_EXPAND_SZ}};
    for (const auto& [text, type] : earlier) {
        WindowsLikeMachine();
        if (text) SetRegText(HKEY_CURRENT_USER, Winlogon, "Shell", *text, type);
        auto folder = Folder("install", "loadshell (a)\r\n");

        const auto installed = e2e::RunConsoleProgram(folder.Exe(), {"--install"});
        ASSERT_TRUE(installed.has_value());
        EXPECT_EQ(installed->exitCode, 0u) << installed->output;
        EXPECT_NE(installed->output.find("Corvane is now the shell of"), std::string::npos) << installed->output;
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), folder.Exe());
        const auto twice = e2e::RunConsoleProgram(folder.Exe(), {"--install"});
        ASSERT_TRUE(twice.has_value());
        EXPECT_EQ(twice->exitCode, 0u);

        e2e::Launcher launcher(folder);
        EXPECT_TRUE(launcher.DismissAllUntilExit().empty());
        EXPECT_EQ(launcher.WaitForExit(), 0u);
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), folder.Exe()) << "a launch keeps the installation";

        const auto removed = e2e::RunConsoleProgram(folder.Exe(), {"--uninstall"});
        ASSERT_TRUE(removed.has_value());
        EXPECT_EQ(removed->exitCode, 0u) << removed->output;
        DWORD after = 0;
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell", &after), text);
        if (text) {
            EXPECT_EQ(after, type);
        }
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, JournalKey, "InstalledOver"), std::nullopt);

        const auto notInstalled = e2e::RunConsoleProgram(folder.Exe(), {"--uninstall"});
        ASSERT_TRUE(notInstalled.has_value());
        EXPECT_NE(notInstalled->output.find("is not installed"), std::string::npos) << notInstalled->output;
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell", &after), text) << "nothing changed";
    }
}

// A remembered shell that cannot be read: --install refuses while the shell is Corvane already,
// --uninstall then takes Corvane away (the machine's shell applies) and the record with it, and
// --install remembers anew.
TEST(Install, ADamagedRecordNeverKeepsCorvaneAsTheShell) {
    WindowsLikeMachine();
    auto folder = Folder("install-damaged", "loadshell (a)\r\n");
    const std::string quoted = std::string(1, '"').append(folder.Exe()).append(1, '"');
    SetRegText(HKEY_CURRENT_USER, Winlogon, "Shell", quoted);
    const char damaged[] = "CVI\x01";
    SetRegValue(HKEY_CURRENT_USER, JournalKey, "InstalledOver", REG_BINARY, damaged, 4);

    const auto refused = e2e::RunConsoleProgram(folder.Exe(), {"--install"});
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->exitCode, 1u) << refused->output;
    EXPECT_NE(refused->output.find("cannot be read"), std::string::npos) << refused->output;
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), quoted) << "nothing changed";

    const auto removed = e2e::RunConsoleProgram(folder.Exe(), {"--uninstall"});
    ASSERT_TRUE(removed.has_value());
    EXPECT_EQ(removed->exitCode, 0u) << removed->output;
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), std::nullopt) << removed->output;
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, JournalKey, "InstalledOver"), std::nullopt);

    SetRegText(HKEY_CURRENT_USER, Winlogon, "Shell", "own.exe");
    SetRegValue(HKEY_CURRENT_USER, JournalKey, "InstalledOver", REG_BINARY, damaged, 4);
    const auto again = e2e::RunConsoleProgram(folder.Exe(), {"--install"});
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->exitCode, 0u) << again->output;
    const auto back = e2e::RunConsoleProgram(folder.Exe(), {"--uninstall"});
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), "own.exe") << back->output;
    WindowsLikeMachine();
}

// Two launches of one user while another program holds the machine-wide switch lock past their
// wait (a terminal server where the user is logged on twice): each keeps its own record, and the
// second does not take the first's shell for the one before, so the user's own shell comes back.
TEST(TwoLaunchesOfOneUser, WithoutTheLockTheUsersShellComesBack) {
    WindowsLikeMachine();
    const std::string own = "%SystemRoot%\\own-shell.exe";
    SetRegText(HKEY_CURRENT_USER, Winlogon, "Shell", own, REG_EXPAND_SZ);
    const Stored before = Read(HKEY_CURRENT_USER, Winlogon, "Shell");
    HANDLE lock = CreateMutexA(nullptr, TRUE, "Global\\CorvaneShellSwitch");
    ASSERT_NE(lock, nullptr);
    auto first = Folder("one-user-1", "loadshell (a)\r\n");
    auto second = Folder("one-user-2", "loadshell (a)\r\n");
    {
        e2e::Launcher one(first);
        Sleep(1200);
        e2e::Launcher two(second);
        EXPECT_TRUE(e2e::Texts(one.DismissAllUntilExit(40000)).empty());
        EXPECT_TRUE(e2e::Texts(two.DismissAllUntilExit(40000)).empty());
        EXPECT_EQ(one.WaitForExit(), 0u);
        EXPECT_EQ(two.WaitForExit(), 0u);
    }
    ReleaseMutex(lock);
    CloseHandle(lock);
    EXPECT_EQ(e2e::WaitForStarts(first.Path() + "alt.exe", 1).size(), 1u);
    EXPECT_EQ(e2e::WaitForStarts(second.Path() + "alt.exe", 1).size(), 1u);
    Sleep(2500); // the guards end
    EXPECT_EQ(Read(HKEY_CURRENT_USER, Winlogon, "Shell"), before);
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, Winlogon, "Shell").text, "explorer.exe");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, RunOnceKey, "Corvane Recovery"), std::nullopt);
    WindowsLikeMachine();
}

struct OptionCase {
    const char* name;
    std::vector<std::string> arguments;
    DWORD exitCode;
    const char* outputHas;
};

class Options : public ::testing::TestWithParam<OptionCase> {};

TEST_P(Options, WriteToTheStandardOutputWithTheirExitCodes) {
    const OptionCase& option = GetParam();
    e2e::ProgramFolder folder("options");
    const auto run = e2e::RunConsoleProgram(folder.Exe(), option.arguments);
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->exitCode, option.exitCode) << run->output;
    EXPECT_NE(run->output.find(option.outputHas), std::string::npos) << run->output;
    EXPECT_TRUE(folder.Entries() == std::vector<std::string>{"corvane.exe"}) << "no configuration files made";
}

// A script, a scheduled task or an installer's custom action reads nothing: what an option
// reports to the null device, or with --quiet to nobody, must never wait in a box.
TEST(UnreadOptions, NeverWaitInABox) {
    e2e::ProgramFolder folder("unread");
    const struct {
        std::vector<std::string> arguments;
        e2e::NoReader output;
        DWORD exitCode;
    } cases[] = {
        {{"--help"}, e2e::NoReader::NullDevice, 0},
        {{"--check"}, e2e::NoReader::NullDevice, 0}, // missing files are warnings
        {{"--version", "--quiet"}, e2e::NoReader::NoHandles, 0},
        {{"--quiet", "--frobnicate"}, e2e::NoReader::NoHandles, 2},
        {{"--uninstall", "--quiet"}, e2e::NoReader::NoHandles, 0},
    };
    for (const auto& run : cases) {
        SCOPED_TRACE(run.arguments.front() + " " + run.arguments.back());
        EXPECT_EQ(e2e::RunUnread(folder.Exe(), run.arguments, run.output), std::optional<DWORD>(run.exitCode));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Options,
    ::testing::Values(OptionCase{"help", {"--help"}, 0, "--uninstall"}, OptionCase{"question", {"/?"}, 0, "--recover"},
                      OptionCase{"version", {"--version"}, 0, "Corvane v3 Launcher 3.0.0.0\n"},
                      OptionCase{"unknown", {"--frobnicate"}, 2, "unknown option '--frobnicate'"},
                      OptionCase{"extra", {"--version", "now"}, 2, "bad arguments for --version"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
