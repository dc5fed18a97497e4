// Starting shells and programs: loadshell without the chooser, execshell and exec, with the
// system's shell setting switched for the launch and restored afterwards.
#include <gtest/gtest.h>

#include "Harness.h"
#include "Input.h"

namespace {

using e2e::Texts;

using namespace e2e::registry;

constexpr const char* Title = "Corvane v3 Launcher";

using e2e::StartsOf;
using e2e::WaitForStarts;

class Launch : public ::testing::Test {
protected:
    void SetUp() override { WindowsLikeMachine(); }

    // A program folder with stand-in shells "alt.exe" and "tool.exe", the given settings,
    // shells and script.
    e2e::ProgramFolder Folder(const std::string& name, const std::string& settings, const std::string& script) {
        e2e::ProgramFolder folder(name);
        for (const char* program : {"alt.exe", "tool.exe"}) {
            const std::string target = folder.Path() + program;
            EXPECT_TRUE(CopyFileA((e2e::DriverFolder() + "standin_shell.exe").c_str(), target.c_str(), FALSE));
        }
        folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\n" + settings);
        folder.Write("shells.ini", "[Shells]\r\nAlt=\"" + folder.Path() + "alt.exe\",1,\"-quiet -x\",\r\n"
                                   "Gone=\"" + folder.Path() + "gone.exe\",0,,\r\n");
        folder.Write("script.txt", script);
        return folder;
    }
};

TEST_F(Launch, DefaultShellStartsWithoutTheChooserAndTheSettingIsRestored) {
    auto folder = Folder("launch-default", "ShowLauncher=0\r\nDefaultShell=Alt\r\n",
                         "loadshell (shell)\r\nshowmessage ($shell$)\r\n");
    e2e::Launcher launcher(folder);
    const auto boxes = launcher.DismissAllUntilExit();
    EXPECT_EQ(Texts(boxes), std::vector<std::string>{"Alt"});
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_TRUE(e2e::TopLevelWindows(launcher.ProcessId()).empty());

    const auto starts = WaitForStarts(folder.Path() + "alt.exe", 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_NE(starts[0].commandLine.find("-quiet -x"), std::string::npos) << starts[0].commandLine;
    EXPECT_EQ(starts[0].shell, folder.Path() + "alt.exe") << "the started shell sees itself as the system's shell";

    EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), "explorer.exe");
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, Winlogon, "Shell"), "explorer.exe");
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, MappingKey, "shell"), UsrMapping);
    char shell[256] = {};
    GetPrivateProfileStringA("boot", "shell", "None Found", shell, sizeof shell, "system.ini");
    EXPECT_STREQ(shell, "explorer.exe");
}

TEST_F(Launch, DefaultScriptLetsTheUserChooseInTheChooser) {
    auto folder = Folder("launch-chooser", "ShowLauncher=1\r\nDefaultShell=Alt\r\n", "");
    DeleteFileA((folder.Path() + "script.txt").c_str());
    e2e::Launcher launcher(folder);
    EXPECT_EQ(launcher.Dismiss().text, "No script found, loading default");
    HWND chooser = launcher.WaitForWindow("TfrmShellChoose");
    ASSERT_NE(chooser, nullptr);
    HWND list = e2e::FindChild(chooser, "ComboBox");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(e2e::ComboBoxItems(list), (std::vector<std::string>{"Alt", "Gone"}));
    e2e::BringToFront(chooser);
    e2e::TapKey(VK_RETURN);
    EXPECT_TRUE(launcher.DismissAllUntilExit().empty());
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    const auto starts = WaitForStarts(folder.Path() + "alt.exe", 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].shell, folder.Path() + "alt.exe");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), "explorer.exe");
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, Winlogon, "Shell"), "explorer.exe");
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, MappingKey, "shell"), UsrMapping);
}

TEST_F(Launch, ChosenShellsNameIsStoredAndEscapeChangesNothing) {
    auto folder = Folder("launch-chooser-escape", "ShowLauncher=1\r\n",
                         "loadshell (shell)\r\nshowmessage (\"first $shell$\")\r\nloadshell (shell)\r\n"
                         "showmessage (\"second $shell$\")\r\n");
    e2e::Launcher launcher(folder);
    HWND chooser = launcher.WaitForWindow("TfrmShellChoose");
    ASSERT_NE(chooser, nullptr);
    e2e::BringToFront(chooser);
    e2e::TapKey(VK_RETURN);
    EXPECT_EQ(launcher.Dismiss().text, "first Alt");
    chooser = launcher.WaitForWindow("TfrmShellChoose");
    ASSERT_NE(chooser, nullptr);
    e2e::BringToFront(chooser);
    e2e::TapKey(VK_ESCAPE);
    EXPECT_EQ(launcher.Dismiss().text, "second Alt") << "the variable keeps its earlier value";
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(WaitForStarts(folder.Path() + "alt.exe", 1).size(), 1u);
    Sleep(500);
    EXPECT_EQ(StartsOf(folder.Path() + "alt.exe").size(), 1u) << "nothing starts after Escape";
}

TEST_F(Launch, FreshMachineNeverGetsNoneFoundWritten) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, MappingKey); // as a new Wine prefix has it
    WritePrivateProfileStringA("boot", "shell", nullptr, "system.ini");
    auto folder = Folder("launch-fresh", "ShowLauncher=0\r\nDefaultShell=alt\r\n", "loadshell (shell)\r\n");
    e2e::Launcher launcher(folder);
    EXPECT_TRUE(launcher.DismissAllUntilExit().empty());
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(WaitForStarts(folder.Path() + "alt.exe", 1).size(), 1u);
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), std::nullopt);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, Winlogon, "Shell"), "explorer.exe");
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, MappingKey, "shell"), UsrMapping);
    EXPECT_EQ(e2e::ReadWholeFile(WindowsFolder() + "\\system.ini").find("None Found"), std::string::npos);
}

TEST_F(Launch, NoDefaultShellMeansNothingHappens) {
    auto folder = Folder("launch-nothing", "ShowLauncher=0\r\n", "loadshell (shell)\r\nshowmessage ($shell$)\r\n");
    e2e::Launcher launcher(folder);
    EXPECT_EQ(Texts(launcher.DismissAllUntilExit()), std::vector<std::string>{"nil"});
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), std::nullopt);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, MappingKey, "shell"), SysMapping);
}

TEST_F(Launch, MissingShellProgramIsWarnedAboutThenItsFailedStartSaid) {
    SetRegText(HKEY_CURRENT_USER, Winlogon, "Shell", "user-shell.exe");
    auto folder = Folder("launch-missing", "ShowLauncher=0\r\nDefaultShell=Gone\r\n",
                         "; first\r\nshowmessage (hi)\r\nloadshell (shell)\r\n");
    e2e::Launcher launcher(folder);
    const auto boxes = launcher.DismissAllUntilExit();
    EXPECT_EQ(Texts(boxes), (std::vector<std::string>{
                                "hi", "Warning (Line 2): Shell not found - " + folder.Path() + "gone.exe - attempting load anyway",
                                "Error (Line 2): Could not start \"" + folder.Path() +
                                    "gone.exe\": " + e2e::SystemText(ERROR_FILE_NOT_FOUND, "")}));
    for (const auto& box : boxes) EXPECT_EQ(box.caption, Title);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), "user-shell.exe") << "the user's own value, kept";
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, Winlogon, "Shell"), "explorer.exe");
}

TEST_F(Launch, ExecShellFormsAndExec) {
    auto folder = Folder("launch-forms", "ShowLauncher=0\r\nDefaultShell=Alt\r\n", "");
    const std::string p = folder.Path();
    folder.Write("script.txt", "execshell (one)\r\n"
                               "execshell (two, \"" + p + "tool.exe\", \"-p $one$\")\r\n"
                               "execshell (three, \"" + p + "tool.exe\")\r\n"
                               "option (dir, p, x, \"" + p + "work\")\r\n"
                               "exec (\"" + p + "tool.exe\", \"-in $dir$\", \"$dir$\")\r\n"
                               "showmessage (\"$one$|$two$|$three$\")\r\n");
    CreateDirectoryA((p + "work").c_str(), nullptr);
    e2e::Launcher launcher(folder);
    HWND prompt = launcher.WaitForWindow("CorvaneOptionForm", 20000);
    ASSERT_NE(prompt, nullptr);
    PostMessageW(prompt, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    const auto boxes = launcher.DismissAllUntilExit();
    EXPECT_EQ(Texts(boxes), std::vector<std::string>{"Alt|" + p + "tool.exe|nil"});
    EXPECT_EQ(launcher.WaitForExit(), 0u);

    EXPECT_EQ(WaitForStarts(p + "alt.exe", 1).size(), 1u);
    const auto tool = WaitForStarts(p + "tool.exe", 2);
    ASSERT_EQ(tool.size(), 2u);
    EXPECT_NE(tool[0].commandLine.find("-p $one$"), std::string::npos) << "execshell uses its arguments as written";
    EXPECT_EQ(tool[0].shell, p + "tool.exe");
    EXPECT_NE(tool[1].commandLine.find("-in " + p + "work"), std::string::npos) << tool[1].commandLine;
    EXPECT_EQ(tool[1].directory, p + "work");
    EXPECT_EQ(tool[1].shell, "explorer.exe") << "exec leaves the shell setting alone";
}

TEST_F(Launch, ExecErrors) {
    auto folder = Folder("launch-exec-errors", "ShowLauncher=0\r\n", "");
    const std::string p = folder.Path();
    folder.Write("script.txt", "exec (\"" + p + "$who$.exe\")\r\n"
                               "exec (\"" + p + "tool.exe\", -p)\r\n"
                               "showmessage (never)\r\n");
    e2e::Launcher launcher(folder);
    const auto boxes = launcher.DismissAllUntilExit();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Error (Line 1): File to execute \"" + p + "nil.exe\" not found");
    EXPECT_EQ(boxes[1].caption, "Application Error");
    EXPECT_NE(boxes[1].text.find("List index out of bounds (2)"), std::string::npos) << boxes[1].text;
    EXPECT_EQ(launcher.WaitForExit(), 1u);
    Sleep(500);
    EXPECT_TRUE(StartsOf(p + "tool.exe").empty());
}

TEST_F(Launch, ShellWallpaperIsConvertedBesideTheLauncherAndMadeTheDesktopsWallpaper) {
    auto folder = Folder("launch-wallpaper", "ShowLauncher=0\r\nDefaultShell=Pic\r\n", "loadshell (shell)\r\n");
    CopyFileA((e2e::Config().images + "\\photo.jpg").c_str(), (folder.Path() + "Photo.JPG").c_str(), FALSE);
    folder.Write("shells.ini", "[Shells]\r\nPic=" + folder.Path() + "alt.exe,0,," + folder.Path() + "Photo.JPG\r\n");
    e2e::Launcher launcher(folder);
    EXPECT_TRUE(launcher.DismissAllUntilExit().empty());
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_TRUE(folder.Exists("wallpaper.bmp"));
    EXPECT_EQ(folder.Read("wallpaper.bmp").substr(0, 2), "BM");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper"), folder.Path() + "wallpaper.bmp");
    EXPECT_EQ(WaitForStarts(folder.Path() + "alt.exe", 1).size(), 1u);
}

// A new user's first run: the shell's wallpaper a palette bitmap as ImageMagick writes one by
// default, run-length encoded (RLE8). It becomes the wallpaper unchanged and the shell starts.
TEST_F(Launch, AnRle8WallpaperFromImageMagickStartsTheShell) {
    auto folder = Folder("launch-rle8-wallpaper", "ShowLauncher=0\r\nDefaultShell=Pic\r\n", "loadshell (shell)\r\n");
    ASSERT_TRUE(CopyFileA((e2e::Config().images + "\\Plasma-RLE8.bmp").c_str(), (folder.Path() + "Plasma.bmp").c_str(), FALSE));
    ASSERT_EQ(folder.Read("Plasma.bmp")[30], 1) << "not an RLE8 bitmap";
    folder.Write("shells.ini", "[Shells]\r\nPic=" + folder.Path() + "alt.exe,0,," + folder.Path() + "Plasma.bmp\r\n");
    e2e::Launcher launcher(folder);
    EXPECT_EQ(Texts(launcher.DismissAllUntilExit()), std::vector<std::string>{});
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(folder.Read("wallpaper.bmp"), folder.Read("Plasma.bmp"));
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper"), folder.Path() + "wallpaper.bmp");
    EXPECT_EQ(WaitForStarts(folder.Path() + "alt.exe", 1).size(), 1u);
}

TEST_F(Launch, DamagedWallpaperEndsTheRunBeforeTheShellSettingIsTouched) {
    SetRegText(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", "C:\\before.bmp");
    auto folder = Folder("launch-bad-wallpaper", "ShowLauncher=0\r\nDefaultShell=Pic\r\n", "loadshell (shell)\r\n");
    folder.Write("broken.jpg", std::string("\xFF\xD8\xFF\xE0 this is no picture", 24));
    folder.Write("shells.ini", "[Shells]\r\nPic=" + folder.Path() + "alt.exe,0,," + folder.Path() + "broken.jpg\r\n");
    e2e::Launcher launcher(folder);
    const auto boxes = launcher.DismissAllUntilExit();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Application Error");
    EXPECT_NE(boxes[0].text.find("EJpegError"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(launcher.WaitForExit(), 1u);
    EXPECT_FALSE(folder.Exists("wallpaper.bmp"));
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper"), "C:\\before.bmp");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), std::nullopt);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, MappingKey, "shell"), SysMapping) << "the shell setting is untouched";
    Sleep(500);
    EXPECT_TRUE(StartsOf(folder.Path() + "alt.exe").empty());
}

// Windows 95, 98 and Me keep the shell in system.ini; Wine reports that family to the
// launcher when its per-program version says so.
TEST_F(Launch, FirstFamilyUsesSystemIni) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, MappingKey); // reads and writes go to the file itself
    const std::string systemIni = WindowsFolder() + "\\system.ini";
    WritePrivateProfileStringA("boot", "shell", "progman.exe", "system.ini");
    SetRegText(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\corvane.exe", "Version", "win98");
    struct Cleanup {
        ~Cleanup() { DeleteRegValue(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\corvane.exe", "Version"); }
    } cleanup;

    auto folder = Folder("launch-win98", "ShowLauncher=0\r\nDefaultShell=Alt\r\n", "loadshell (shell)\r\n");
    e2e::Launcher launcher(folder);
    EXPECT_TRUE(launcher.DismissAllUntilExit().empty());
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    const auto starts = WaitForStarts(folder.Path() + "alt.exe", 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].shell, folder.Path() + "alt.exe");
    char shell[256] = {};
    GetPrivateProfileStringA("boot", "shell", "", shell, sizeof shell, "system.ini");
    EXPECT_STREQ(shell, "progman.exe");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), std::nullopt) << "the registry is not the 95 family's";

    WritePrivateProfileStringA("boot", "shell", nullptr, "system.ini");
    e2e::Launcher again(folder);
    EXPECT_TRUE(again.DismissAllUntilExit().empty());
    EXPECT_EQ(WaitForStarts(folder.Path() + "alt.exe", 2).size(), 2u);
    EXPECT_EQ(e2e::ReadWholeFile(systemIni).find("shell="), std::string::npos) << "a line that was not there is removed";
}

} // namespace
