// Start-up configuration of corvane.exe: the messages and empty files for a missing
// configuration, and the errors of a bad shell list.
#include <gtest/gtest.h>

#include "Harness.h"

namespace {

using e2e::Texts;

constexpr const char* Title = "Corvane v3 Launcher";
constexpr const char* UserMessage = "User settings file not found, creating new settings file.";
constexpr const char* ShellsMessage = "Shell settings file not found, creating new settings file.";
constexpr const char* ScriptMessage = "No script found, loading default";

TEST(Config, EmptyFolderReportsTheMissingFilesInOrderAndCreatesThemEmpty) {
    e2e::ProgramFolder folder("config-empty");
    const std::string userFile = e2e::CurrentUserName() + ".ini";
    // With the default settings the chooser comes next; the messages before it are what counts here.
    {
        e2e::Launcher launcher(folder);
        std::vector<e2e::BoxInfo> boxes;
        for (int i = 0; i < 3; ++i) boxes.push_back(launcher.Dismiss());
        EXPECT_EQ(Texts(boxes), (std::vector<std::string>{UserMessage, ShellsMessage, ScriptMessage}));
        for (const auto& box : boxes) EXPECT_EQ(box.caption, Title);
    }
    std::vector<std::string> expected = {"corvane.exe", "schemes", "shells.ini", userFile};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(folder.Entries(), expected);
    EXPECT_EQ(folder.Read(userFile), "");
    EXPECT_EQ(folder.Read("shells.ini"), "");
    EXPECT_TRUE(folder.IsDirectory("schemes"));
    EXPECT_TRUE(folder.Entries("schemes").empty());

    e2e::Launcher second(folder);
    EXPECT_EQ(second.Dismiss().text, ScriptMessage);
    const auto next = second.WaitForBox(1000);
    EXPECT_TRUE(!next || next->caption != Title) << "only the script message: " << next->text;
}

TEST(Config, OnlyTheMissingShellListIsReported) {
    e2e::ProgramFolder folder("config-no-shells");
    folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=0\r\n");
    e2e::Launcher launcher(folder);
    EXPECT_EQ(Texts(launcher.DismissAllUntilExit()), (std::vector<std::string>{ShellsMessage, ScriptMessage}));
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(folder.Read("shells.ini"), "");
}

// A bad shell list ends the run before the colour scheme and the script are read.
TEST(Config, BadShellListEntriesEndTheRunWithTheirError) {
    struct Case {
        const char* name;
        bool userFile;
        std::string shells;
        std::string defaultShell;
        std::string kind;
        std::string message;
    };
    const Case cases[] = {
        {"too-few-fields", true, "Explorer=C:\\windows\\explorer.exe,0", "", "EListError", "List index out of bounds (2)"},
        {"bad-boolean", true, "Alt=C:\\Program Files\\Alt\\alt.exe,1,,", "", "EConvertError",
         "'Files\\Alt\\alt.exe' is not a valid boolean value"},
        {"bad-boolean-no-user-file", false, "Alt=\"C:\\alt.exe\",yes,,", "", "EConvertError",
         "'yes' is not a valid boolean value"},
        {"missing-default", true, "Explorer=C:\\windows\\explorer.exe,0,,", "Missing", "EListError",
         "List index out of bounds (0)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        e2e::ProgramFolder folder(std::string("config-") + c.name);
        const std::string userFile = e2e::CurrentUserName() + ".ini";
        if (c.userFile) folder.Write(userFile, "[Settings]\r\nShowLauncher=0\r\nDefaultShell=" + c.defaultShell + "\r\n");
        folder.Write("shells.ini", "[Shells]\r\n" + c.shells + "\r\n");

        e2e::Launcher launcher(folder);
        if (!c.userFile) {
            EXPECT_EQ(launcher.Dismiss().text, UserMessage);
        }
        const e2e::BoxInfo box = launcher.Dismiss();
        EXPECT_EQ(box.caption, "Application Error");
        EXPECT_NE(box.text.find(c.kind), std::string::npos) << box.text;
        EXPECT_NE(box.text.find(c.message), std::string::npos) << box.text;
        EXPECT_EQ(launcher.WaitForExit(), 1u);

        std::vector<std::string> expected = {"corvane.exe", "shells.ini", userFile};
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(folder.Entries(), expected);
    }
}

} // namespace
