// corvane.exe --check under Wine: its report and exit code on a broken folder, on the example
// folder and on a folder that is not there; and exec of a program in a folder whose name holds
// "(x86)", which the check's mend of quoted arguments lets the launcher start.
#include <gtest/gtest.h>

#include <algorithm>

#include "Harness.h"

namespace {

std::string ExampleFile(const std::string& name) { return e2e::ReadWholeFile(e2e::Config().images + "\\examples\\" + name); }

TEST(Check, BrokenFolderReportsEveryMistakeOnItsLine) {
    e2e::ProgramFolder folder("check-broken");
    const std::string user = e2e::CurrentUserName();
    folder.Write(user + ".ini", "[Settings]\r\nUseTimer=yes\r\nDefaultShell=Explorer\r\n");
    folder.Write("shells.ini", "[Shells]\r\nExplorer=C:\\windows\\explorer.exe,0,,\r\n"
                               "Alt=C:\\Program Files\\Alt\\alt.exe,1,,\r\nGone=C:\\nowhere\\gone.exe,0,,\r\n");
    folder.Write("script.txt", "loadshel (shell)\r\nexec (\"C:\\Program Files (x86)\\App\\app.exe\")\r\n");
    const auto run = e2e::RunConsoleProgram(folder.Exe(), {"--check"});
    ASSERT_TRUE(run.has_value());
    const std::string p = folder.Path();
    EXPECT_EQ(run->output,
              "shell Explorer (default): C:\\windows\\explorer.exe, no wallpaper, not watched\n"
              "shell Gone: C:\\nowhere\\gone.exe, no wallpaper, not watched\n" +
                  p + user + ".ini:2: warning: UseTimer=yes is not a whole number: the launcher reads it as off (0), its "
                  "default; write 1 for on or 0 for off\n" +
                  p + "shells.ini:3: error: the blank after \"C:\\Program\" ends the program field of Alt, so the launcher "
                  "reads \"Files\\Alt\\alt.exe\" as its crash protected field; then it stops at start with "
                  "\"'Files\\Alt\\alt.exe' is not a valid boolean value\"; put a field that holds blanks in double "
                  "quotes: Alt=\"C:\\Program Files\\Alt\\alt.exe\",1,,\n" +
                  p + "shells.ini:4: error: the program of Gone, \"C:\\nowhere\\gone.exe\", is not there: the launcher "
                  "warns \"Shell not found - C:\\nowhere\\gone.exe - attempting load anyway\", then says that it could not start it, and starts nothing\n" +
                  p + "script.txt:1: warning: \"loadshel\" is no keyword, so the launcher drops this line without a "
                  "word; did you mean loadshell? (The statement after it is statement 1.)\n" +
                  p + "script.txt:2: error: statement 1: exec (path, args, workingdir) reads 3 arguments but this line "
                  "gives 1 argument: when its program exists the run stops here with \"List index out of bounds (2)\"\n"
                  "3 errors, 2 warnings\n");
    EXPECT_EQ(run->exitCode, 1u);
    std::vector<std::string> files{"corvane.exe", "script.txt", "shells.ini", user + ".ini"};
    std::sort(files.begin(), files.end());
    EXPECT_EQ(folder.Entries(), files) << "the check changes nothing in the folder";
}

// Every user's settings in shells.ini are checked there, and a finding on a value names the file
// that the value comes from: the user's own key for an override.
TEST(Check, SharedSettingsAreCheckedInTheFileThatGivesEachValue) {
    e2e::ProgramFolder folder("check-shared");
    const std::string user = e2e::CurrentUserName();
    folder.Write(user + ".ini", "[Settings]\r\nDefaultShell=Gone\r\n");
    folder.Write("shells.ini", "[Shells]\r\nExplorer=C:\\windows\\explorer.exe,0,,\r\n"
                               "[Settings]\r\nUseTimer=yes\r\nDefaultShell=Explorer\r\n");
    folder.Write("script.txt", "loadshell (shell)\r\n");
    const auto run = e2e::RunConsoleProgram(folder.Exe(), {"--check"});
    ASSERT_TRUE(run.has_value());
    const std::string p = folder.Path();
    EXPECT_EQ(run->output,
              "shell Explorer: C:\\windows\\explorer.exe, no wallpaper, not watched\n" +
                  p + user + ".ini:2: error: DefaultShell=Gone names no shell of shells.ini: the launcher stops at start "
                  "with \"List index out of bounds (0)\"\n" +
                  p + "shells.ini:4: warning: UseTimer=yes is not a whole number: the launcher reads it as off (0), its "
                  "default; write 1 for on or 0 for off\n"
                  "1 error, 1 warning\n");
    EXPECT_EQ(run->exitCode, 1u);
}

// The example folder as the package holds it, checked from another folder for the user of
// settings.ini.
TEST(Check, ExampleFolderIsClean) {
    e2e::ProgramFolder folder("check-examples");
    ASSERT_TRUE(CreateDirectoryA((folder.Path() + "ex").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((folder.Path() + "ex\\schemes").c_str(), nullptr));
    for (const char* name : {"settings.ini", "shells.ini", "script.txt", "schemes\\Default.crs"}) {
        folder.Write(std::string("ex\\") + name, ExampleFile(name));
    }
    const auto run = e2e::RunConsoleProgram(folder.Exe(), {"--check", folder.Path() + "ex", "--user", "settings"});
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->output, "shell Console: C:\\windows\\system32\\cmd.exe /k echo, no wallpaper, not watched\n"
                           "shell Explorer (default): C:\\windows\\explorer.exe, no wallpaper, not watched\n"
                           "shell Notepad: C:\\windows\\notepad.exe, no wallpaper, watched (started again when it crashes)\n"
                           "0 errors, 0 warnings\n");
    EXPECT_EQ(run->exitCode, 0u);

    const auto missing = e2e::RunConsoleProgram(folder.Exe(), {"--check", folder.Path() + "nowhere"});
    ASSERT_TRUE(missing.has_value());
    EXPECT_EQ(missing->exitCode, 2u);
    EXPECT_NE(missing->output.find("corvane.exe: cannot read the folder " + folder.Path() + "nowhere\n"), std::string::npos)
        << missing->output;
}

TEST(Check, ExecStartsAProgramInAFolderWhoseNameHoldsX86) {
    e2e::ProgramFolder folder("exec-x86");
    const std::string app = folder.Path() + "Program Files (x86)\\App\\app.exe";
    ASSERT_TRUE(CreateDirectoryA((folder.Path() + "Program Files (x86)").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((folder.Path() + "Program Files (x86)\\App").c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((e2e::DriverFolder() + "standin_shell.exe").c_str(), app.c_str(), FALSE));
    folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=0\r\n");
    folder.Write("shells.ini", "");
    folder.Write("script.txt", "exec (\"" + app + "\", \"-x (y)\", \"\")\r\n");
    e2e::Launcher launcher(folder);
    EXPECT_TRUE(launcher.DismissAllUntilExit().empty()) << "no \"File to execute ... not found\"";
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    const auto starts = e2e::WaitForStarts(app, 1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_NE(starts[0].commandLine.find("-x (y)"), std::string::npos) << starts[0].commandLine;
}

} // namespace
