// The logon record: every run of corvane.exe appends its events to
// %LOCALAPPDATA%\Corvane\logon.log, one timed line each, and a full file becomes logon.log.1.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <regex>

#include "Harness.h"
#include "Input.h"

namespace {

using namespace e2e::registry;

constexpr std::size_t MaxFileBytes = 1048576;

// The record's folder in the prefix's local application data, with its "\".
std::string RecordFolder() {
    char local[MAX_PATH] = {};
    EXPECT_TRUE(SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local)));
    return std::string(local) + "\\Corvane\\";
}
std::string RecordFile() { return RecordFolder() + "logon.log"; }
std::string OlderFile() { return RecordFolder() + "logon.log.1"; }

std::string ReadIfThere(const std::string& path) {
    return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES ? std::string() : e2e::ReadWholeFile(path);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(text.substr(at)); // an unfinished line: a fault the tests show
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// A whole line: the local date and time with milliseconds, the process id, the event.
const std::regex WholeLine(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} \[\d+\] \S.*)");
constexpr std::size_t TimeLength = 23; // "2026-12-09 08:01:02.345"

// The events of one process in the record, without their times, in order.
std::vector<std::string> EventsOf(DWORD process, const std::string& text = ReadIfThere(RecordFile())) {
    std::vector<std::string> events;
    const std::string mark = " [" + std::to_string(process) + "] ";
    for (const std::string& line : Lines(text)) {
        EXPECT_TRUE(std::regex_match(line, WholeLine)) << line;
        const std::size_t at = line.find(mark);
        if (at == TimeLength) events.push_back(line.substr(at + mark.size()));
    }
    return events;
}

// The guard that each launch starts writes its own lines; they come once it has seen the
// launch's restore record come and go.
void WaitForGuardOf(DWORD launcher) {
    const std::string end = "option --guard " + std::to_string(launcher) + ": exit code 0";
    for (int tries = 0; tries < 100; ++tries) {
        if (ReadIfThere(RecordFile()).find(end) != std::string::npos) return;
        Sleep(100);
    }
    ADD_FAILURE() << "no line of the guard of " << launcher;
}

// Waits until the guards that the launcher started have ended.
void WaitForGuardsOf(DWORD launcher) {
    for (DWORD id : e2e::ChildProcesses(launcher, "corvane.exe")) {
        HANDLE guard = OpenProcess(SYNCHRONIZE, FALSE, id);
        if (guard == nullptr) continue;
        EXPECT_EQ(WaitForSingleObject(guard, 10000), WAIT_OBJECT_0);
        CloseHandle(guard);
    }
}

void WriteWhole(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD wrote = 0;
    EXPECT_TRUE(WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) && wrote == text.size());
    CloseHandle(file);
}

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

class Record : public ::testing::Test {
protected:
    void SetUp() override {
        WindowsLikeMachine();
        DeleteFileA(RecordFile().c_str());
        DeleteFileA(OlderFile().c_str());
    }

    e2e::ProgramFolder Folder(const std::string& name, const std::string& settings, const std::string& script) {
        e2e::ProgramFolder folder(name);
        EXPECT_TRUE(CopyFileA((e2e::DriverFolder() + "standin_shell.exe").c_str(), (folder.Path() + "alt.exe").c_str(), FALSE));
        folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\n" + settings);
        folder.Write("shells.ini", "[Shells]\r\nAlt=\"" + folder.Path() + "alt.exe\",1,\"-quiet -x\",\r\n");
        folder.Write("script.txt", script);
        return folder;
    }

    // The start line of a run of this folder's corvane.exe.
    static std::string Start(const e2e::ProgramFolder& folder, const std::string& commandLine = "(none)") {
        return "start: user " + e2e::CurrentUserName() + ", folder " + folder.Path() + ", version 3.0.0.0, command line: " +
               commandLine;
    }
};

TEST_F(Record, ALaunchRecordsItsStartTheChoiceTheSwitchTheStartTheRestoreAndItsEnd) {
    // No folder yet: the first line makes it.
    DeleteFileA((RecordFolder() + "wallpaper.bmp").c_str());
    RemoveDirectoryA(RecordFolder().substr(0, RecordFolder().size() - 1).c_str());
    auto folder = Folder("record-launch", "ShowLauncher=1\r\nDefaultShell=Alt\r\n", "loadshell (shell)\r\n");
    e2e::Launcher launcher(folder);
    HWND chooser = launcher.WaitForWindow("TfrmShellChoose");
    ASSERT_NE(chooser, nullptr);
    e2e::BringToFront(chooser);
    e2e::TapKey(VK_RETURN);
    EXPECT_TRUE(launcher.DismissAllUntilExit().empty());
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    WaitForGuardOf(launcher.ProcessId());

    const std::string alt = "\"" + folder.Path() + "alt.exe\"";
    const std::vector<std::string> events = EventsOf(launcher.ProcessId());
    ASSERT_EQ(events.size(), 6u) << ReadIfThere(RecordFile());
    EXPECT_EQ(events[0], Start(folder));
    EXPECT_EQ(events[1], "chooser: \"Alt\" by Enter");
    EXPECT_EQ(events[2], "switch to " + alt +
                             ": the current user's shell, the machine's shell, the mapping turned to the user's key");
    EXPECT_TRUE(StartsWith(events[3], "shell start " + alt + " -quiet -x: started, process ")) << events[3];
    EXPECT_EQ(events[4], "restore: the current user's shell \"explorer.exe\", the machine's shell \"explorer.exe\"");
    EXPECT_EQ(events[5], "end: exit code 0");

    const std::string text = ReadIfThere(RecordFile());
    // The guard's start names its command line alone: user and version are its launcher's.
    EXPECT_NE(text.find("] start: folder " + folder.Path() + ", command line: --guard " +
                        std::to_string(launcher.ProcessId()) + "\r\n"),
              std::string::npos) << text;
}

TEST_F(Record, EveryRunAppendsToTheLinesBeforeIt) {
    auto folder = Folder("record-twice", "ShowLauncher=0\r\n", "showmessage (\"first run\")\r\n");
    DWORD first = 0;
    {
        e2e::Launcher launcher(folder);
        EXPECT_EQ(e2e::Texts(launcher.DismissAllUntilExit()), std::vector<std::string>{"first run"});
        EXPECT_EQ(launcher.WaitForExit(), 0u);
        first = launcher.ProcessId();
    }
    const std::string before = ReadIfThere(RecordFile());
    folder.Write("script.txt", "showmessage (\"second run\")\r\n");
    e2e::Launcher launcher(folder);
    EXPECT_EQ(e2e::Texts(launcher.DismissAllUntilExit()), std::vector<std::string>{"second run"});
    EXPECT_EQ(launcher.WaitForExit(), 0u);

    const std::string after = ReadIfThere(RecordFile());
    ASSERT_TRUE(StartsWith(after, before)) << after;
    EXPECT_EQ(EventsOf(first, before), (std::vector<std::string>{Start(folder), "message: first run", "end: exit code 0"}));
    EXPECT_EQ(EventsOf(launcher.ProcessId(), after.substr(before.size())),
              (std::vector<std::string>{Start(folder), "message: second run", "end: exit code 0"}));
}

TEST_F(Record, AnErrorThatEndsTheRunIsRecordedWithItsBoxAndTheExitCode) {
    auto folder = Folder("record-error", "ShowLauncher=0\r\n", "");
    folder.Write("script.txt", "exec (\"" + folder.Path() + "alt.exe\", -p)\r\n");
    e2e::Launcher launcher(folder);
    const auto boxes = launcher.DismissAllUntilExit();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Application Error");
    EXPECT_EQ(launcher.WaitForExit(), 1u);
    EXPECT_EQ(EventsOf(launcher.ProcessId()),
              (std::vector<std::string>{Start(folder),
                                        "error box \"Application Error\": Exception EListError: / List index out of bounds (2)",
                                        "end: exit code 1 after the error EListError: List index out of bounds (2)"}));
}

TEST_F(Record, AFullRecordBecomesTheOlderOneAndANewOneBegins) {
    // Lines up to a few bytes short of the bound: the next run's first line does not fit.
    std::string full;
    while (full.size() + 100 < MaxFileBytes) full += "2026-01-01 00:00:00.000 [1] " + std::string(70, 'x') + "\r\n";
    e2e::ProgramFolder folder("record-bound");
    CreateDirectoryA(RecordFolder().substr(0, RecordFolder().size() - 1).c_str(), nullptr);
    WriteWhole(RecordFile(), full);
    WriteWhole(OlderFile(), "an older record\r\n");

    e2e::Launcher launcher(folder.Exe(), "--version --quiet");
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(ReadIfThere(OlderFile()), full) << "the full file, whole, in the older one's place";
    const std::string fresh = ReadIfThere(RecordFile());
    EXPECT_EQ(EventsOf(launcher.ProcessId(), fresh),
              (std::vector<std::string>{Start(folder, "--version --quiet"), "option --version: exit code 0"}));
    EXPECT_EQ(Lines(fresh).size(), 2u);

    // Filled to the byte, the file takes no more.
    const std::string exactly = full + std::string(MaxFileBytes - full.size() - 2, 'y') + "\r\n";
    WriteWhole(RecordFile(), exactly);
    e2e::Launcher next(folder.Exe(), "--version --quiet");
    EXPECT_EQ(next.WaitForExit(), 0u);
    EXPECT_EQ(ReadIfThere(OlderFile()), exactly);
    EXPECT_EQ(Lines(ReadIfThere(RecordFile())).size(), 2u);
    EXPECT_EQ(EventsOf(next.ProcessId()).size(), 2u);
}

TEST_F(Record, ARecordThatCannotBeWrittenNeverStopsTheRun) {
    auto folder = Folder("record-locked", "ShowLauncher=0\r\nDefaultShell=Alt\r\n", "loadshell (shell)\r\n");
    CreateDirectoryA(RecordFolder().substr(0, RecordFolder().size() - 1).c_str(), nullptr);
    HANDLE locked = CreateFileA(RecordFile().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    e2e::Launcher launcher(folder);
    EXPECT_TRUE(launcher.DismissAllUntilExit().empty());
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(e2e::WaitForStarts(folder.Path() + "alt.exe", 1).size(), 1u);
    WaitForGuardsOf(launcher.ProcessId());
    CloseHandle(locked);
    EXPECT_EQ(ReadIfThere(RecordFile()), "");
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, Winlogon, "Shell"), "explorer.exe");
}

// Writers at the same moment (two logons of one user, a launcher and its guard) take turns, also
// while the file fills up and is retired: every line stays whole, none is lost or written twice,
// and neither file passes the bound. The probe writes through the launcher's own record.
TEST_F(Record, WritersAtOnceKeepEveryLineWholeAcrossTheRetire) {
    constexpr int Writers = 3;
    constexpr int Events = 1000;
    std::string almostFull;
    while (almostFull.size() + 20000 < MaxFileBytes) almostFull += "2026-01-01 00:00:00.000 [1] " + std::string(70, 'x') + "\r\n";
    CreateDirectoryA(RecordFolder().substr(0, RecordFolder().size() - 1).c_str(), nullptr);
    WriteWhole(RecordFile(), almostFull);

    std::vector<std::unique_ptr<e2e::Launcher>> writers;
    for (int i = 0; i < Writers; ++i) {
        writers.push_back(std::make_unique<e2e::Launcher>(e2e::DriverFolder() + "corvane_probe.exe",
                                                          "record " + std::to_string(Events) + " event-of-a-writer"));
    }
    for (const auto& writer : writers) EXPECT_EQ(writer->WaitForExit(60000), 0u);

    const std::string older = ReadIfThere(OlderFile());
    const std::string current = ReadIfThere(RecordFile());
    EXPECT_TRUE(StartsWith(older, almostFull)) << "the full file was retired once, whole";
    EXPECT_LE(older.size(), MaxFileBytes);
    EXPECT_LE(current.size(), MaxFileBytes);
    for (const auto& writer : writers) {
        std::vector<std::string> events = EventsOf(writer->ProcessId(), older);
        const std::vector<std::string> later = EventsOf(writer->ProcessId(), current);
        events.insert(events.end(), later.begin(), later.end());
        ASSERT_EQ(events.size(), static_cast<std::size_t>(Events));
        for (int i = 0; i < Events; ++i) EXPECT_EQ(events[i], "event-of-a-writer " + std::to_string(i));
    }
}

} // namespace
