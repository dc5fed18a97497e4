// The system's event log: Wine's ReportEventW stores nothing but writes each event to its debug
// channels, the type and identifier (advapi) and the text (eventlog), which run-e2e.sh keeps.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <regex>

#include "Harness.h"

namespace {

using namespace e2e::registry;

struct Event {
    int type; // EVENTLOG_ERROR_TYPE, EVENTLOG_WARNING_TYPE, EVENTLOG_INFORMATION_TYPE
    int id;
    std::string text; // as Wine writes it: escapes for line breaks and beyond ASCII
    bool operator==(const Event&) const = default;
};
void PrintTo(const Event& event, std::ostream* out) { *out << "{" << event.type << ", " << event.id << ", " << event.text << "}"; }

// Runs corvane.exe with Wine's event channels on, dismissing its boxes; the events it reported.
std::vector<Event> EventsOfRun(const e2e::ProgramFolder& folder, const std::string& arguments, DWORD* exitCode,
                               DWORD* processId = nullptr) {
    if (e2e::Config().wineErrors.empty()) {
        ADD_FAILURE() << "no file of Wine's debug output given (--wine-errors=)";
        return {};
    }
    const std::size_t before = e2e::ReadWholeFile(e2e::Config().wineErrors).size();
    SetEnvironmentVariableW(L"WINEDEBUG", L"+pid,fixme+advapi,+eventlog");
    DWORD process = 0;
    {
        e2e::Launcher launcher(folder.Exe(), arguments, folder.Path() + "output.txt");
        SetEnvironmentVariableW(L"WINEDEBUG", L"-all");
        launcher.DismissAllUntilExit();
        *exitCode = launcher.WaitForExit().value_or(9999);
        process = launcher.ProcessId();
    }
    if (processId != nullptr) *processId = process;
    Sleep(300); // the copy of the output lags a little behind
    char prefix[16];
    snprintf(prefix, sizeof prefix, "%04lx:", process);
    static const std::regex Reported(R"(fixme:advapi:ReportEventW \([0-9A-F]+,0x([0-9a-f]{4}),0x[0-9a-f]{4},0x([0-9a-f]{8}),)");
    static const std::regex Text(R"re(:eventlog:ReportEventW L"(.*)"\s*$)re");
    std::vector<Event> events;
    const std::string text = e2e::ReadWholeFile(e2e::Config().wineErrors).substr(before);
    std::smatch match;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        if (line.rfind(prefix, 0) != 0) continue;
        if (std::regex_search(line, match, Reported)) {
            events.push_back({std::stoi(match[1], nullptr, 16), std::stoi(match[2], nullptr, 16), ""});
        } else if (std::regex_search(line, match, Text) && !events.empty()) {
            events.back().text = match[1];
        }
    }
    return events;
}

class EventLog : public ::testing::Test {
protected:
    void SetUp() override { WindowsLikeMachine(); }
    void TearDown() override { WindowsLikeMachine(); }
};

// A logon whose shell is missing: the warning of its box, the failed start and the way back to
// Explorer, each under its own identifier and level.
TEST_F(EventLog, ALogonThatStartedNothingReportsEachProblem) {
    e2e::ProgramFolder folder("events-logon");
    folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=0\r\nDefaultShell=Gone\r\n");
    folder.Write("shells.ini", "[Shells]\r\nGone=\"" + folder.Path() + "gone.exe\",0,,\r\n");
    folder.Write("script.txt", "loadshell (v)\r\n");
    SetRegText(HKEY_CURRENT_USER, Winlogon, "Shell", folder.Exe());
    DWORD exitCode = 0;
    DWORD process = 0;
    const std::vector<Event> events = EventsOfRun(folder, "", &exitCode, &process);
    EXPECT_EQ(exitCode, 0u);
    for (DWORD id : e2e::ChildProcesses(process, "explorer.exe")) e2e::KillProcess(id);
    const std::string gone = std::regex_replace(folder.Path() + "gone.exe", std::regex(R"(\\)"), R"(\\)");
    EXPECT_EQ(events, (std::vector<Event>{
                          {EVENTLOG_WARNING_TYPE, 3, "Warning (Line 1): Shell not found - " + gone + " - attempting load anyway"},
                          {EVENTLOG_ERROR_TYPE, 4, "Error (Line 1): Could not start \\\"" + gone + "\\\": " +
                                                       e2e::SystemText(ERROR_FILE_NOT_FOUND, "")},
                          {EVENTLOG_WARNING_TYPE, 5, "No shell was started; starting Explorer so that you have a desktop."},
                      }));
}

// Every user's shell installed and removed: each change an event, and the source registered
// with this corvane.exe as its message file in between.
TEST_F(EventLog, InstallingForEveryUserRegistersTheSourceAndReportsTheChange) {
    e2e::ProgramFolder folder("events-install");
    DWORD exitCode = 0;
    const std::vector<Event> installed = EventsOfRun(folder, "--install --all-users", &exitCode);
    EXPECT_EQ(exitCode, 0u);
    ASSERT_EQ(installed.size(), 1u);
    EXPECT_EQ(installed[0].type, EVENTLOG_INFORMATION_TYPE);
    EXPECT_EQ(installed[0].id, 10);
    const char* source = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Corvane";
    DWORD type = 0;
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, source, "EventMessageFile", &type), folder.Exe());
    EXPECT_EQ(type, DWORD{REG_EXPAND_SZ});
    const std::vector<Event> removed = EventsOfRun(folder, "--uninstall --all-users", &exitCode);
    EXPECT_EQ(exitCode, 0u);
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0].id, 11);
    EXPECT_EQ(RegText(HKEY_LOCAL_MACHINE, source, "EventMessageFile"), std::nullopt);
}

} // namespace
