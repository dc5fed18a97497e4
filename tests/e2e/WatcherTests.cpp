// Crash protected shells: a shell that crashes is started again as the shell, one that crashes
// too often gives way to Explorer, a clean exit or the session's end ends the watch, and a shell
// without the protection is left alone.
#include <gtest/gtest.h>

#include "Harness.h"

namespace {

using namespace e2e::registry;

// The watcher that the launcher started: its corvane.exe child that outlives it (the guard ends
// with the launcher). 0 when none is left in time.
DWORD WaitForWatcher(DWORD launcher, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    std::vector<DWORD> children;
    do {
        children = e2e::ChildProcesses(launcher, "corvane.exe");
        if (children.size() == 1) {
            Sleep(300); // a guard about to end would go meanwhile
            children = e2e::ChildProcesses(launcher, "corvane.exe");
            if (children.size() == 1) return children[0];
        }
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return 0;
}

// Every window of the process, shown or not.
std::vector<HWND> AllWindowsOf(DWORD processId) {
    std::pair<DWORD, std::vector<HWND>> search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->first) s->second.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
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
        if (Watcher_ != 0) e2e::KillProcess(Watcher_);
        WindowsLikeMachine();
    }
    DWORD WatcherOf(const e2e::Launcher& launcher) { return Watcher_ = WaitForWatcher(launcher.ProcessId()); }

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
    DWORD Watcher_ = 0;
};

TEST_F(Watcher, ACrashIsAnsweredWithARestartAsTheShellAndACleanExitEndsTheWatch) {
    auto folder = Folder("watch-restarts", true, "--crash 2 --stay 2000");
    const auto before = CurrentSetting();
    e2e::Launcher launcher(folder);
    EXPECT_TRUE(launcher.DismissAllUntilExit().empty());
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    const DWORD watcher = WatcherOf(launcher);
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
    const DWORD watcher = WatcherOf(launcher);
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
    EXPECT_EQ(WatcherOf(launcher), 0u);
    EXPECT_EQ(e2e::StartsOf(Alt).size(), 1u);
}

// Each start of a protected shell has a watcher of its own: the second start of the same shell is
// watched too, also after the first one ended cleanly and its watch with it.
TEST_F(Watcher, EveryStartOfAShellIsWatched) {
    auto folder = Folder("watch-two-starts", true, "--crash-at 2 --stay 8000");
    const auto before = CurrentSetting();
    e2e::Launcher first(folder);
    EXPECT_EQ(first.WaitForExit(), 0u);
    const DWORD firstWatcher = WaitForWatcher(first.ProcessId());
    e2e::Launcher second(folder);
    EXPECT_EQ(second.WaitForExit(), 0u);
    const DWORD secondWatcher = WatcherOf(second);
    ASSERT_NE(firstWatcher, 0u);
    ASSERT_NE(secondWatcher, 0u);
    EXPECT_EQ(WaitForEnd(firstWatcher, 15000), 0u) << "the first start ends cleanly, and its watch with it";
    const auto starts = e2e::WaitForStarts(Alt, 3);
    ASSERT_EQ(starts.size(), 3u) << "the second start crashed and was started again";
    EXPECT_EQ(starts[2].shell, Alt);
    EXPECT_EQ(WaitForEnd(secondWatcher, 15000), 0u);
    EXPECT_EQ(CurrentSetting(), before);
}

// The watcher holds the shell's process and nothing else of the launcher's: a script that reads
// the launcher's standard output from a pipe sees it close when the launcher ends, although the
// shell and its watcher stay.
TEST_F(Watcher, TheWatcherHoldsNothingOfTheLaunchersOutput) {
    auto folder = Folder("watch-pipe", true, "--stay 20000");
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE reader = nullptr, writer = nullptr;
    ASSERT_TRUE(CreatePipe(&reader, &writer, &inherit, 0));
    SetHandleInformation(reader, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writer;
    startup.hStdError = writer;
    PROCESS_INFORMATION launcher{};
    std::string commandLine = folder.Exe();
    commandLine.insert(commandLine.begin(), '"');
    commandLine += '"';
    ASSERT_TRUE(CreateProcessA(folder.Exe().c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                               &launcher));
    CloseHandle(writer);
    EXPECT_EQ(WaitForSingleObject(launcher.hProcess, 30000), WAIT_OBJECT_0);
    Watcher_ = WaitForWatcher(launcher.dwProcessId);
    EXPECT_NE(Watcher_, 0u) << "the shell is watched";
    bool closed = false;
    for (int i = 0; i < 50 && !closed; ++i) {
        DWORD waiting = 0;
        if (!PeekNamedPipe(reader, nullptr, 0, nullptr, &waiting, nullptr)) {
            closed = GetLastError() == ERROR_BROKEN_PIPE;
            break;
        }
        char drained[256];
        DWORD read = 0;
        if (waiting > 0) ReadFile(reader, drained, sizeof drained, &read, nullptr);
        Sleep(100);
    }
    EXPECT_TRUE(closed) << "the pipe closed with the launcher";
    EXPECT_EQ(WaitForEnd(Watcher_, 0), std::nullopt) << "while the watcher still runs";
    CloseHandle(reader);
    CloseHandle(launcher.hThread);
    CloseHandle(launcher.hProcess);
    for (DWORD id : e2e::ChildProcesses(launcher.dwProcessId, "alt.exe")) e2e::KillProcess(id);
}

// While it waits the watcher has no window at all: a log off has nothing to ask it, and so
// nothing to wait for; the session's end simply ends it.
TEST_F(Watcher, TheWatcherHasNoWindowForALogOffToWaitOn) {
    auto folder = Folder("watch-session", true, "--stay 30000");
    e2e::Launcher launcher(folder);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    const DWORD watcher = WatcherOf(launcher);
    ASSERT_NE(watcher, 0u);
    Sleep(500);
    EXPECT_TRUE(AllWindowsOf(watcher).empty());
    EXPECT_TRUE(e2e::KillProcess(watcher));
    EXPECT_EQ(e2e::StartsOf(Alt).size(), 1u);
    for (DWORD id : e2e::ChildProcesses(launcher.ProcessId(), "alt.exe")) e2e::KillProcess(id);
}

} // namespace
