// Start-up configuration of corvane.exe: the messages and empty files for a missing
// configuration, a program folder that cannot be written, every user's settings in shells.ini,
// and the errors of a bad shell list.
#include <gtest/gtest.h>

#include <optional>

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

// The [Settings] section of shells.ini gives the settings of a user without a file of their own,
// with no message and no file made; a key of the user's own file overrides its key.
TEST(Config, SharedSettingsNeedNoUserFileAndTheUsersOwnKeysOverrideThem) {
    e2e::registry::WindowsLikeMachine();
    struct Case {
        const char* name;
        std::optional<std::string> own;
        std::string started;
    };
    const Case cases[] = {
        {"shared", std::nullopt, "alt"},
        {"own-key", "[Settings]\r\ndefaultshell=Tool\r\n", "tool"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        e2e::ProgramFolder folder(std::string("config-shared-") + c.name);
        for (const char* program : {"alt.exe", "tool.exe"}) {
            ASSERT_TRUE(CopyFileA((e2e::DriverFolder() + "standin_shell.exe").c_str(), (folder.Path() + program).c_str(),
                                  FALSE));
        }
        folder.Write("shells.ini", "[Shells]\r\nAlt=\"" + folder.Path() + "alt.exe\",0,,\r\nTool=\"" + folder.Path() +
                                       "tool.exe\",0,,\r\n[Settings]\r\nShowLauncher=0\r\nDefaultShell=Alt\r\n");
        folder.Write("script.txt", "loadshell (shell)\r\nshowmessage ($shell$)\r\n");
        const std::string userFile = e2e::CurrentUserName() + ".ini";
        if (c.own) folder.Write(userFile, *c.own);

        e2e::Launcher launcher(folder);
        EXPECT_EQ(Texts(launcher.DismissAllUntilExit()), std::vector<std::string>{c.own ? "Tool" : "Alt"});
        EXPECT_EQ(launcher.WaitForExit(), 0u);
        EXPECT_EQ(e2e::WaitForStarts(folder.Path() + c.started + ".exe", 1).size(), 1u);
        if (c.own) {
            EXPECT_EQ(folder.Read(userFile), *c.own);
        } else {
            EXPECT_FALSE(folder.Exists(userFile)) << "no settings file is made";
        }
    }
}

// The host makes fixtures\readonly a folder that no one may write (run-e2e.sh), as Program Files
// is for a standard user, with corvane.exe, an empty shell list and a script; no settings file.
TEST(Config, ReadOnlyFolderSaysThatTheDefaultSettingsAreUsed) {
    ASSERT_FALSE(e2e::Config().fixtures.empty());
    const std::string folder = e2e::Config().fixtures + "\\readonly";
    HANDLE probe = CreateFileA((folder + "\\probe.tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        DeleteFileA((folder + "\\probe.tmp").c_str());
        GTEST_SKIP() << "the host could not make " << folder << " read-only";
    }
    e2e::Launcher launcher(folder + "\\corvane.exe", "");
    const auto boxes = launcher.DismissAllUntilExit();
    EXPECT_EQ(Texts(boxes), (std::vector<std::string>{"User settings file not found, and " + e2e::CurrentUserName() +
                                                          ".ini cannot be created in " + folder +
                                                          ": the default settings are used.",
                                                      "read-only"}));
    for (const auto& box : boxes) EXPECT_EQ(box.caption, Title);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(GetFileAttributesA((folder + "\\" + e2e::CurrentUserName() + ".ini").c_str()), INVALID_FILE_ATTRIBUTES);
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
