// Crash protected shells: a shell that crashes is started again as the shell, one that crashes
// too often gives way to Explorer, a clean exit or the session's end ends the watch, and a shell
// without the protection is left alone.
#include <gtest/gtest.h>

#include "Harness.h"

namespace {

using namespace e2e::registry;

constexpr const char* ListenerClass = "CorvaneSessionListener";

// The watcher that the launcher started: the corvane.exe whose hidden window listens for the
// session's end. 0 when none shows in time.
DWORD WaitForWatcher(DWORD timeoutMs = 10000) {
    const DWORD start = GetTickCount();
    do {
        if (HWND listener = FindWindowA(ListenerClass, nullptr)) {
            DWORD id = 0;
            GetWindowThreadProcessId(listener, &id);
            return id;
        }
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return 0;
}

// Waits until the process has ended; its exit code, or nothing after the timeout.
std::optional<DWORD> WaitForEnd(DWORD processId, DWORD timeoutMs) {
    const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return std::nullopt;
    std::optional<DWORD> code;
    DWORD exitCode = 0;
    if (WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0 && GetExitCodeProcess(process, &exitCode)) code = exitCode;
    CloseHandle(process);
    return code;
}

// The next box of the process, dismissed; an empty text when none came in time.
std::string DismissBoxOf(DWORD processId, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        for (HWND window : e2e::TopLevelWindows(processId)) {
            if (e2e::ClassName(window) != "#32770") continue;
            const e2e::BoxInfo box = e2e::ReadBox(window);
            e2e::Launcher::PressOk(window);
            return box.text;
        }
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return {};
}

class Watcher : public ::testing::Test {
protected:
    // With the mapping turned to the user's value already, a launch that puts the setting back
    // leaves the registry as it found it.
    void SetUp() override {
        WindowsLikeMachine();
        SetRegText(HKEY_LOCAL_MACHINE, MappingKey, "shell", UsrMapping);
    }
    void TearDown() override {
        if (const DWORD watcher = WaitForWatcher(0)) e2e::KillProcess(watcher);
        WindowsLikeMachine();
    }

    // A program folder with the stand-in shell alt.exe as the shell Alt, started at once with
    // the parameters given, crash protected or not.
    e2e::ProgramFolder Folder(const std::string& name, bool crashProtected, const std::string& parameters) {
        e2e::ProgramFolder folder(name);
        Alt = folder.Path() + "alt.exe";
        EXPECT_TRUE(CopyFileA((e2e::DriverFolder() + "standin_shell.exe").c_str(), Alt.c_str(), FALSE));
        folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=0\r\nDefaultShell=Alt\r\n");
        folder.Write("shells.ini", "[Shells]\r\nAlt=\"" + Alt + "\"," + (crashProtected ? "1" : "0") + ",\"" + parameters +
                                       "\",\r\n");
        folder.Write("script.txt", "loadshell (v)\r\n");
        return folder;
    }

    std::string Alt;
};

TEST_F(Watcher, ACrashIsAnsweredWithARestartAsTheShellAndACleanExitEndsTheWatch) {
    auto folder = Folder("watch-restarts", true, "--crash 2 --stay 2000");
    const auto before = CurrentSetting();
    e2e::Launcher launcher(folder);
    EXPECT_TRUE(launcher.DismissAllUntilExit().empty());
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    const DWORD watcher = WaitForWatcher();
    ASSERT_NE(watcher, 0u);
    const auto starts = e2e::WaitForStarts(Alt, 3);
    ASSERT_EQ(starts.size(), 3u) << "two crashes, two restarts";
    for (const auto& start : starts) EXPECT_EQ(start.shell, Alt) << "it starts as the shell each time";
    EXPECT_EQ(WaitForEnd(watcher, 15000), 0u) << "the third start ends cleanly, and so does the watch";
    EXPECT_EQ(e2e::StartsOf(Alt).size(), 3u);
    EXPECT_EQ(CurrentSetting(), before) << "every restart puts the setting back";
}

TEST_F(Watcher, TheFourthCrashWithinAMinuteGivesExplorer) {
    auto folder = Folder("watch-explorer", true, "--crash 99");
    const auto before = CurrentSetting();
    e2e::Launcher launcher(folder);
    EXPECT_TRUE(launcher.DismissAllUntilExit().empty());
    const DWORD watcher = WaitForWatcher();
    ASSERT_NE(watcher, 0u);
    EXPECT_EQ(DismissBoxOf(watcher, 40000), "Alt ended unexpectedly 4 times within a minute; Explorer was started instead.");
    EXPECT_EQ(e2e::StartsOf(Alt).size(), 4u) << "three restarts, no fourth";
    const auto explorers = e2e::ChildProcesses(watcher, "explorer.exe");
    EXPECT_EQ(explorers.size(), 1u) << "Explorer started by the watcher";
    EXPECT_EQ(WaitForEnd(watcher, 10000), 0u);
    for (DWORD id : explorers) e2e::KillProcess(id);
    EXPECT_EQ(CurrentSetting(), before);
}

TEST_F(Watcher, AShellWithoutCrashProtectionIsLeftAlone) {
    auto folder = Folder("watch-unprotected", false, "--crash 1");
    e2e::Launcher launcher(folder);
    EXPECT_TRUE(launcher.DismissAllUntilExit().empty());
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(WaitForWatcher(1500), 0u);
    EXPECT_EQ(e2e::StartsOf(Alt).size(), 1u);
}

// The log off asks the watcher's window first: it answers yes, ends with the session, and the
// shell that the session's end takes down is not started again.
TEST_F(Watcher, TheWatchEndsWithTheSession) {
    auto folder = Folder("watch-session", true, "--stay 60000");
    e2e::Launcher launcher(folder);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    const DWORD watcher = WaitForWatcher();
    ASSERT_NE(watcher, 0u);
    HWND listener = FindWindowA(ListenerClass, nullptr);
    DWORD_PTR answer = 0;
    ASSERT_NE(SendMessageTimeoutA(listener, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer), 0);
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE)) << "it does not hold up the log off";
    const auto alts = e2e::ChildProcesses(launcher.ProcessId(), "alt.exe");
    ASSERT_EQ(alts.size(), 1u);
    e2e::KillProcess(alts[0]); // the session takes the shell down, not with a clean exit
    SendMessageTimeoutA(listener, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
    EXPECT_EQ(WaitForEnd(watcher, 5000), 0u);
    Sleep(500);
    EXPECT_EQ(e2e::StartsOf(Alt).size(), 1u) << "no restart at the session's end";
}

} // namespace
