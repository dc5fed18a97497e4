// Starts that fail, and the way back to a desktop: a failed start is said with the system's
// reason and puts the setting back at once; a logon shell's run that started nothing starts
// Explorer as the shell, and so does a logon of every user whose configuration others can change.
#include <gtest/gtest.h>

#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "Harness.h"
#include "Input.h"

namespace {

using namespace e2e::registry;
using e2e::Texts;

constexpr const char* NothingStarted = "No shell was started; starting Explorer so that you have a desktop.";

// Wine's desktop runs as explorer.exe already; the fallback's own shows its window beside it.
std::vector<HWND> ExplorerWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND window, LPARAM list) -> BOOL {
            if (IsWindowVisible(window) && e2e::ClassName(window) == "ExplorerWClass") {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Ends the explorer.exe processes that the launcher started.
void EndExplorersOf(DWORD launcher) {
    for (DWORD id : e2e::ChildProcesses(launcher, "explorer.exe")) e2e::KillProcess(id);
}

class LogonShell : public ::testing::Test {
protected:
    void SetUp() override { WindowsLikeMachine(); }
    void TearDown() override { WindowsLikeMachine(); }

    // A program folder with the stand-in shell alt.exe, a text file named bad.exe, the given
    // settings and script; Bad and Gone are shells whose programs cannot start.
    // An "@" in the script stands for the folder.
    e2e::ProgramFolder Folder(const std::string& name, const std::string& settings, std::string script) {
        e2e::ProgramFolder folder(name);
        for (std::size_t at = script.find('@'); at != std::string::npos; at = script.find('@', at)) {
            script.replace(at, 1, folder.Path());
            at += folder.Path().size();
        }
        const std::string alt = folder.Path() + "alt.exe";
        EXPECT_TRUE(CopyFileA((e2e::DriverFolder() + "standin_shell.exe").c_str(), alt.c_str(), FALSE));
        folder.Write("bad.exe", "this is a text, not a program\r\n");
        folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\n" + settings);
        folder.Write("shells.ini", "[Shells]\r\nAlt=\"" + alt + "\",0,,\r\nBad=\"" + folder.Path() +
                                       "bad.exe\",0,,\r\nGone=\"" + folder.Path() + "gone.exe\",0,,\r\n");
        folder.Write("script.txt", script);
        return folder;
    }
};

TEST_F(LogonShell, FailedStartsAreSaidWithTheSystemsReasonAndChangeNothing) {
    SetRegText(HKEY_LOCAL_MACHINE, MappingKey, "shell", UsrMapping); // a turn of the mapping stays
    const auto before = CurrentSetting();
    auto folder = Folder("logon-failed-starts", "ShowLauncher=0\r\nDefaultShell=Gone\r\n", "");
    const std::string p = folder.Path();
    folder.Write("script.txt", "loadshell (v)\r\n"
                               "execshell (v, \"" + p + "bad.exe\", \"\")\r\n"
                               "exec (\"" + p + "bad.exe\", \"-x\", \"\")\r\n"
                               "showmessage ($v$)\r\n");
    e2e::Launcher launcher(folder);
    const auto boxes = Texts(launcher.DismissAllUntilExit());
    ASSERT_EQ(boxes.size(), 5u) << ::testing::PrintToString(boxes);
    EXPECT_EQ(boxes[0], "Warning (Line 1): Shell not found - " + p + "gone.exe - attempting load anyway");
    EXPECT_EQ(boxes[1], "Error (Line 1): Could not start \"" + p + "gone.exe\": " + e2e::SystemText(ERROR_FILE_NOT_FOUND, ""));
    const std::string bad = "Could not start \"" + p + "bad.exe\": " + e2e::SystemText(ERROR_BAD_EXE_FORMAT, p + "bad.exe");
    EXPECT_EQ(boxes[2], "Error (Line 2): " + bad);
    EXPECT_EQ(boxes[3], "Error (Line 3): " + bad);
    EXPECT_EQ(boxes[4], "nil") << "a failed start sets no variable";
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(CurrentSetting(), before);
    EXPECT_EQ(e2e::ReadUserString("Software\\Corvane", "PendingRestore." + std::to_string(launcher.ProcessId())),
              std::nullopt);
}

// The user's Winlogon value names this corvane.exe (in other letters, with an argument): each
// way of ending without a started program gives Explorer, after the box of what went wrong.
TEST_F(LogonShell, ARunThatStartedNothingStartsExplorerAsTheShell) {
    struct Case {
        const char* name;
        const char* settings;
        const char* script;
        bool cancel;
        std::size_t boxesBefore; // the boxes of what went wrong
        DWORD exitCode;
    };
    const Case cases[] = {
        {"cancelled", "ShowLauncher=1\r\nDefaultShell=Alt\r\n", "loadshell (v)\r\n", true, 0, 0},
        {"nothing configured", "ShowLauncher=0\r\n", "loadshell (v)\r\n", false, 0, 0},
        {"failed start", "ShowLauncher=0\r\nDefaultShell=Bad\r\n", "loadshell (v)\r\n", false, 1, 0},
        {"error", "ShowLauncher=0\r\n", "exec (\"@alt.exe\", -p)\r\n", false, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto folder = Folder(std::string("logon-fallback-") + (c.cancel ? "cancel" : c.exitCode ? "error" : c.boxesBefore ? "failed" : "none"),
                             c.settings, c.script);
        std::string upper = folder.Exe();
        std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char ch) { return static_cast<char>(toupper(ch)); });
        SetRegText(HKEY_CURRENT_USER, Winlogon, "Shell", "\"" + upper + "\" /logon");
        const auto before = CurrentSetting();
        const std::size_t explorersBefore = ExplorerWindows().size();

        e2e::Launcher launcher(folder);
        if (c.cancel) {
            HWND chooser = launcher.WaitForWindow("TfrmShellChoose");
            ASSERT_NE(chooser, nullptr);
            e2e::BringToFront(chooser);
            e2e::TapKey(VK_ESCAPE);
        }
        const auto boxes = Texts(launcher.DismissAllUntilExit());
        ASSERT_EQ(boxes.size(), c.boxesBefore + 1) << ::testing::PrintToString(boxes);
        EXPECT_EQ(boxes.back(), NothingStarted);
        EXPECT_EQ(launcher.WaitForExit(), c.exitCode);
        const auto explorers = e2e::ChildProcesses(launcher.ProcessId(), "explorer.exe");
        EXPECT_EQ(explorers.size(), 1u) << "Explorer started by the launcher";
        for (int i = 0; i < 50 && ExplorerWindows().size() <= explorersBefore; ++i) Sleep(100);
        EXPECT_EQ(ExplorerWindows().size(), explorersBefore + 1) << "its window shows";
        const auto after = CurrentSetting();
        EXPECT_EQ(after.user, before.user) << "put back after the start";
        EXPECT_EQ(after.machine, before.machine);
        EndExplorersOf(launcher.ProcessId());
    }
}

// An installer may write the short (8.3) spelling of the path: it is still this corvane.exe.
TEST_F(LogonShell, AShortSpellingOfThePathIsTheLogonShellToo) {
    auto folder = Folder("logon-fallback-short-name", "ShowLauncher=0\r\n", "loadshell (v)\r\n");
    char shortPath[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameA(folder.Exe().c_str(), shortPath, MAX_PATH), 0u);
    ASSERT_NE(std::string(shortPath), folder.Exe()) << "the system gives no short name here";
    SetRegText(HKEY_CURRENT_USER, Winlogon, "Shell", shortPath);
    e2e::Launcher launcher(folder);
    EXPECT_EQ(Texts(launcher.DismissAllUntilExit()), std::vector<std::string>{NothingStarted});
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(e2e::ChildProcesses(launcher.ProcessId(), "explorer.exe").size(), 1u);
    EndExplorersOf(launcher.ProcessId());
}

// When the switch to Explorer is refused (the user's key of Corvane's records only readable, so
// that no switch may begin), Explorer starts without it, after the box that says why, and the
// second box says what came of it.
TEST_F(LogonShell, AFallbackWhoseSwitchIsRefusedStartsExplorerPlainlyAndSaysSo) {
    auto folder = Folder("logon-fallback-refused", "ShowLauncher=0\r\n", "loadshell (v)\r\n");
    SetRegText(HKEY_CURRENT_USER, Winlogon, "Shell", folder.Exe());
    const auto before = CurrentSetting();
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Corvane", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(created);
    std::optional<ReadOnlyKey> locked;
    locked.emplace(HKEY_CURRENT_USER, "Software\\Corvane");
    e2e::Launcher launcher(folder);
    const auto boxes = Texts(launcher.DismissAllUntilExit());
    ASSERT_EQ(boxes.size(), 2u) << ::testing::PrintToString(boxes);
    EXPECT_EQ(boxes[0], NothingStarted);
    EXPECT_EQ(boxes[1].rfind("Explorer was started as a window of files, not as the shell: the shell setting could not be "
                             "switched to it (ERegistryException: Failed to set data for 'PendingRestore.",
                             0),
              0u)
        << boxes[1];
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(e2e::ChildProcesses(launcher.ProcessId(), "explorer.exe").size(), 1u) << "Explorer started all the same";
    EXPECT_EQ(CurrentSetting(), before);
    EndExplorersOf(launcher.ProcessId());
    locked.reset();
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Corvane");
}

// Only the logon is the logon shell: a run by hand while a desktop shell runs (here the stand-in,
// holding the system's shell window) never starts Explorer, whatever the setting says.
TEST_F(LogonShell, NoFallbackOutsideTheLogonShellOrAfterAStartedProgram) {
    struct Case {
        const char* name;
        bool logonShell;
        bool shellRunning;
        const char* script;
    };
    const Case cases[] = {
        {"not the logon shell", false, false, "loadshell (v)\r\n"},
        {"a kiosk that starts its program", true, false, "exec (\"@alt.exe\", \"\", \"\")\r\n"},
        {"a run by hand while a shell runs", true, true, "loadshell (v)\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto folder = Folder(std::string("logon-nofallback-") + (c.shellRunning ? "by-hand" : c.logonShell ? "kiosk" : "plain"),
                             "ShowLauncher=0\r\n", c.script);
        if (c.logonShell) SetRegText(HKEY_CURRENT_USER, Winlogon, "Shell", folder.Exe());
        std::unique_ptr<e2e::Launcher> desktop;
        if (c.shellRunning) {
            desktop = std::make_unique<e2e::Launcher>(e2e::DriverFolder() + "standin_shell.exe", "--shell-window --stay 30000");
            DWORD holder = 0;
            for (int i = 0; i < 100 && holder != desktop->ProcessId(); ++i) {
                Sleep(50);
                GetWindowThreadProcessId(GetShellWindow(), &holder);
            }
            ASSERT_EQ(holder, desktop->ProcessId()) << "the stand-in holds the shell window; "
                                                    << GetShellWindow() << " " << IsWindow(GetShellWindow()) << " "
                                                    << desktop->Running();
        }
        e2e::Launcher launcher(folder);
        EXPECT_TRUE(launcher.DismissAllUntilExit().empty());
        EXPECT_EQ(launcher.WaitForExit(), 0u);
        Sleep(500);
        EXPECT_TRUE(e2e::ChildProcesses(launcher.ProcessId(), "explorer.exe").empty());
        WindowsLikeMachine();
    }
}

// Lets everyone change a file or folder. Wine keeps it as the Unix write bit for others.
void OpenToEveryone(const std::string& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;OICI;FA;;;WD)", SDDL_REVISION_1, &descriptor, nullptr));
    BOOL present = FALSE;
    BOOL defaulted = FALSE;
    PACL dacl = nullptr;
    GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
    std::wstring wide = e2e::Wide(path);
    EXPECT_EQ(SetNamedSecurityInfoW(wide.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl, nullptr),
              DWORD{ERROR_SUCCESS});
    LocalFree(descriptor);
}

// Whether the logon record holds an event of the process that begins so.
bool Recorded(DWORD process, const std::string& event) {
    char local[MAX_PATH] = {};
    EXPECT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local)));
    std::string line = std::to_string(process);
    line.insert(0, 1, '[').append("] ").append(event);
    return e2e::ReadWholeFile(std::string(local) + "\\Corvane\\logon.log").find(line) != std::string::npos;
}

// Each place of the configuration made changeable by everyone, in turn: every user's shell is not
// installed over it, the check calls it an error, and its logon runs none of it but gives
// Explorer; one user's own logon runs it and the record says what others could change.
TEST_F(LogonShell, AConfigurationThatOthersCanChangeRunsAtNoLogonOfEveryUser) {
    struct Place {
        const char* folder;
        const char* file; // in the folder; none for the folder itself, "user" for the user's file
    };
    const Place places[] = {{"open-folder", ""},          {"open-exe", "corvane.exe"}, {"open-script", "script.txt"},
                            {"open-shells", "shells.ini"}, {"open-program", "alt.exe"}, {"open-user", "user"}};
    for (const Place& place : places) {
        SCOPED_TRACE(place.folder);
        auto folder = Folder(place.folder, "ShowLauncher=0\r\n", "exec (\"@alt.exe\", \"\", \"\")\r\n");
        const std::string file = place.file;
        std::string path = file == "user" ? folder.UserIni() : folder.Path() + file;
        OpenToEveryone(path);
        if (file.empty()) path.pop_back();
        const auto before = CurrentSetting();

        const auto install = e2e::RunConsoleProgram(folder.Exe(), {"--install", "--all-users"});
        ASSERT_TRUE(install.has_value());
        EXPECT_EQ(install->exitCode, 1u) << install->output;
        EXPECT_NE(install->output.find(path + " can be changed by Everyone"), std::string::npos) << install->output;
        EXPECT_EQ(CurrentSetting(), before) << "nothing changed";

        SetRegText(HKEY_LOCAL_MACHINE, Winlogon, "Shell", folder.Exe());
        const auto check = e2e::RunConsoleProgram(folder.Exe(), {"--check"});
        ASSERT_TRUE(check.has_value());
        EXPECT_EQ(check->exitCode, 1u) << check->output;
        EXPECT_NE(check->output.find("can be changed by Everyone: this corvane.exe is the shell of every user"), std::string::npos)
            << check->output;
        {
            e2e::Launcher launcher(folder);
            const auto boxes = Texts(launcher.DismissAllUntilExit());
            ASSERT_EQ(boxes.size(), 2u) << ::testing::PrintToString(boxes);
            EXPECT_EQ(boxes[0].rfind("Corvane runs none of its configuration at this logon: " + path + " can be changed by Everyone", 0), 0u)
                << boxes[0];
            EXPECT_EQ(boxes[1], NothingStarted);
            EXPECT_EQ(launcher.WaitForExit(), 1u);
            EXPECT_TRUE(e2e::ChildProcesses(launcher.ProcessId(), "alt.exe").empty()) << "the script did not run";
            EXPECT_EQ(e2e::ChildProcesses(launcher.ProcessId(), "explorer.exe").size(), 1u);
            EXPECT_TRUE(Recorded(launcher.ProcessId(), "configuration refused: " + path));
            EndExplorersOf(launcher.ProcessId());
        }

        WindowsLikeMachine();
        SetRegText(HKEY_CURRENT_USER, Winlogon, "Shell", folder.Exe());
        e2e::Launcher own(folder);
        EXPECT_TRUE(own.DismissAllUntilExit().empty());
        EXPECT_EQ(own.WaitForExit(), 0u);
        const auto shells = e2e::ChildProcesses(own.ProcessId(), "alt.exe");
        EXPECT_EQ(shells.size(), 1u) << "the user's own logon runs it";
        for (DWORD id : shells) e2e::KillProcess(id);
        EXPECT_TRUE(Recorded(own.ProcessId(), "configuration open to others: " + path));
        WindowsLikeMachine();
    }
}

} // namespace
