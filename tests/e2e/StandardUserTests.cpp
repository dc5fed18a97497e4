// The launcher on machines as a user without administrator rights has them: the machine's
// keys only readable, a program folder that cannot take the wallpaper, Corvane as the user's
// own shell, and two launchers switching at the same time. The shell must start, no error box
// may appear, and afterwards nothing may be left switched.
#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "Harness.h"
#include "Input.h"

namespace {

using namespace e2e::registry;

using e2e::registry::CurrentSetting;
using Setting = e2e::registry::ShellSetting;

class StandardUser : public ::testing::Test {
protected:
    void SetUp() override { WindowsLikeMachine(); }

    // A program folder with the stand-in shell "alt.exe" as the shell Alt.
    static e2e::ProgramFolder Folder(const std::string& name, const std::string& settings, const std::string& script) {
        e2e::ProgramFolder folder(name);
        EXPECT_TRUE(CopyFileA((e2e::DriverFolder() + "standin_shell.exe").c_str(), (folder.Path() + "alt.exe").c_str(),
                              FALSE));
        folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\n" + settings);
        folder.Write("shells.ini", "[Shells]\r\nAlt=" + folder.Path() + "alt.exe,0,,\r\n");
        folder.Write("script.txt", script);
        return folder;
    }

    // Runs the launcher to its end: no box may appear, the exit code must be 0.
    static void RunQuietly(const e2e::ProgramFolder& folder, bool chooser = false) {
        e2e::Launcher launcher(folder);
        if (chooser) {
            HWND window = launcher.WaitForWindow("TfrmShellChoose");
            ASSERT_NE(window, nullptr);
            e2e::BringToFront(window);
            e2e::TapKey(VK_RETURN);
        }
        EXPECT_TRUE(e2e::Texts(launcher.DismissAllUntilExit()).empty());
        EXPECT_EQ(launcher.WaitForExit(), 0u);
    }
};

struct Machine {
    const char* name;
    bool winlogonReadOnly;
    bool mappingReadOnly;
    const char* mapping;      // the mapping value the machine has
    bool shellSeesItself;     // whether a read of system.ini gives the started shell
};

class StandardUserMachine : public StandardUser, public ::testing::WithParamInterface<Machine> {};

// loadshell without the chooser and execshell in one run, then loadshell with the chooser.
TEST_P(StandardUserMachine, StartsTheShellAndLeavesEveryValueAsItWas) {
    const Machine& machine = GetParam();
    SetRegText(HKEY_LOCAL_MACHINE, MappingKey, "shell", machine.mapping);
    const Setting before = CurrentSetting();
    std::optional<ReadOnlyKey> winlogon, mapping;
    if (machine.winlogonReadOnly) winlogon.emplace(HKEY_LOCAL_MACHINE, Winlogon);
    if (machine.mappingReadOnly) mapping.emplace(HKEY_LOCAL_MACHINE, MappingKey);

    auto folder = Folder(std::string("standard-") + machine.name, "ShowLauncher=0\r\nDefaultShell=Alt\r\n", "");
    const std::string alt = folder.Path() + "alt.exe";
    folder.Write("script.txt", "loadshell (a)\r\nexecshell (b, \"" + alt + "\", -x)\r\n");
    RunQuietly(folder);
    EXPECT_EQ(CurrentSetting(), before);
    folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=1\r\n");
    folder.Write("script.txt", "loadshell (a)\r\n");
    RunQuietly(folder, true);
    EXPECT_EQ(CurrentSetting(), before);

    const auto starts = e2e::WaitForStarts(alt, 3);
    ASSERT_EQ(starts.size(), 3u) << "loadshell, execshell and loadshell with the chooser each start the shell";
    for (const auto& start : starts) {
        EXPECT_EQ(start.shell, machine.shellSeesItself ? alt : "explorer.exe") << "what a read of system.ini gives";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, StandardUserMachine,
    ::testing::Values(Machine{"both_read_only", true, true, SysMapping, false},
                      Machine{"mapping_read_only", false, true, SysMapping, true},
                      Machine{"winlogon_read_only_user_mapping", true, false, UsrMapping, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The usual way one user replaces the shell: the user's own Winlogon value names corvane.exe.
// A launch keeps it exactly, type included, so Corvane runs again at the next logon.
TEST_F(StandardUser, CorvaneAsTheUsersOwnShellStaysInstalled) {
    auto folder = Folder("own-shell", "ShowLauncher=0\r\nDefaultShell=Alt\r\n", "loadshell (a)\r\n");
    for (const DWORD type : {DWORD{REG_SZ}, DWORD{REG_EXPAND_SZ}}) {
        const std::string own = std::string(1, '"').append(folder.Exe()).append(1, '"');
        SetRegText(HKEY_CURRENT_USER, Winlogon, "Shell", own, type);
        RunQuietly(folder);
        DWORD after = 0;
        EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell", &after), own);
        EXPECT_EQ(after, type);
        EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, Winlogon, "Shell"), "explorer.exe");
    }
}

// Every user's shell is the administrator's to change: without the rights to the machine's
// Winlogon key, --install and --uninstall --all-users change nothing, say why and exit 1.
TEST_F(StandardUser, EveryUsersShellNeedsAdministratorRights) {
    e2e::ProgramFolder folder("all-users-denied");
    const Stored before = Read(HKEY_LOCAL_MACHINE, Winlogon, "Shell");
    const auto run = [&](const char* option, DWORD exitCode, bool locked) {
        SCOPED_TRACE(std::string(option) + (locked ? " without rights" : ""));
        std::optional<ReadOnlyKey> machine;
        if (locked) machine.emplace(HKEY_LOCAL_MACHINE, Winlogon);
        const Stored shell = Read(HKEY_LOCAL_MACHINE, Winlogon, "Shell");
        const std::optional<std::string> record = RegText(HKEY_LOCAL_MACHINE, "Software\\Corvane", "InstalledOver");
        const auto result = e2e::RunConsoleProgram(folder.Exe(), {option, "--all-users"});
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(result->exitCode, exitCode) << result->output;
        if (!locked) return;
        EXPECT_NE(result->output.find("Administrator rights are needed"), std::string::npos) << result->output;
        EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, Winlogon, "Shell"), shell) << "nothing changed";
        EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, "Software\\Corvane", "InstalledOver"), record) << "nothing changed";
    };
    run("--install", 1, true);
    run("--install", 0, false);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, Winlogon, "Shell"), folder.Exe());
    run("--uninstall", 1, true);
    run("--uninstall", 0, false);
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, Winlogon, "Shell"), before);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, "Software\\Corvane", "InstalledOver"), std::nullopt);
}

// A program folder that cannot take "wallpaper.bmp" (here a folder stands in its place): the
// picture goes to the user's own local application data, which the wallpaper setting names.
TEST_F(StandardUser, AWallpaperThatTheProgramFolderCannotTakeGoesToTheUsersFolder) {
    char local[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local), S_OK);
    const std::string userWallpaper = std::string(local) + "\\Corvane\\wallpaper.bmp";
    DeleteFileA(userWallpaper.c_str());
    RemoveDirectoryA((std::string(local) + "\\Corvane").c_str());

    auto folder = Folder("wallpaper-elsewhere", "ShowLauncher=0\r\nDefaultShell=Pic\r\n", "loadshell (a)\r\n");
    ASSERT_TRUE(CreateDirectoryA((folder.Path() + "wallpaper.bmp").c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((e2e::Config().images + "\\photo.jpg").c_str(), (folder.Path() + "photo.jpg").c_str(), FALSE));
    folder.Write("shells.ini", "[Shells]\r\nPic=" + folder.Path() + "alt.exe,0,," + folder.Path() + "photo.jpg\r\n");
    RunQuietly(folder);

    EXPECT_EQ(RegText(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper"), userWallpaper);
    const auto picture = e2e::LoadBitmapFile(userWallpaper);
    ASSERT_TRUE(picture.has_value());
    const auto reference = e2e::LoadBitmapFile(e2e::Config().images + "\\photo.jpg.ref.bmp");
    ASSERT_TRUE(reference.has_value());
    EXPECT_EQ(picture->pixels, reference->pixels);
    EXPECT_TRUE(folder.IsDirectory("wallpaper.bmp"));
    std::vector<std::string> expected{"alt.exe",    "alt.exe.log", "corvane.exe", e2e::CurrentUserName() + ".ini", "photo.jpg",
                                      "script.txt", "shells.ini",  "schemes",                       "wallpaper.bmp"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folder.Entries(), expected) << "nothing half-written is left in the program folder";
    EXPECT_EQ(e2e::WaitForStarts(folder.Path() + "alt.exe", 1).size(), 1u);
    DeleteFileA(userWallpaper.c_str());
}

// Two logons at once: two launchers from two program folders, started half a second apart.
// The second waits for the first one's switch, so each shell sees itself as the system's shell,
// and afterwards the setting is what one launch alone leaves.
TEST_F(StandardUser, TwoLaunchersAtOnceSwitchOneAfterTheOther) {
    const Setting alone = [this] {
        auto folder = Folder("alone", "ShowLauncher=0\r\nDefaultShell=Alt\r\n", "loadshell (a)\r\n");
        RunQuietly(folder);
        const Setting after = CurrentSetting();
        SetUp();
        return after;
    }();

    auto first = Folder("at-once-1", "ShowLauncher=0\r\nDefaultShell=Alt\r\n", "loadshell (a)\r\n");
    auto second = Folder("at-once-2", "ShowLauncher=0\r\nDefaultShell=Alt\r\n", "loadshell (a)\r\n");
    e2e::Launcher one(first);
    Sleep(500);
    e2e::Launcher two(second);
    EXPECT_TRUE(e2e::Texts(one.DismissAllUntilExit()).empty());
    EXPECT_TRUE(e2e::Texts(two.DismissAllUntilExit()).empty());
    EXPECT_EQ(one.WaitForExit(), 0u);
    EXPECT_EQ(two.WaitForExit(), 0u);

    for (const auto* folder : {&first, &second}) {
        const std::string alt = folder->Path() + "alt.exe";
        const auto starts = e2e::WaitForStarts(alt, 1);
        ASSERT_EQ(starts.size(), 1u) << alt;
        EXPECT_EQ(starts[0].shell, alt) << "each shell starts as the system's shell";
    }
    EXPECT_EQ(CurrentSetting(), alone);
    EXPECT_EQ(alone.machine.text, "explorer.exe");
}

} // namespace
