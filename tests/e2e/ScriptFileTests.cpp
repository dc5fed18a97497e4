// Reading "script.txt": the default script, an empty script, and a script that cannot be opened
// or read.
#include <gtest/gtest.h>

#include "Harness.h"

namespace {

constexpr const char* Title = "Corvane v3 Launcher";

// A folder whose settings start nothing on their own: no chooser and no default shell.
e2e::ProgramFolder QuietFolder(const std::string& name) {
    e2e::ProgramFolder folder(name);
    folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=0\r\n");
    folder.Write("shells.ini", "");
    return folder;
}

TEST(ScriptFile, MissingScriptShowsTheDefaultMessageAndEndsNormally) {
    auto folder = QuietFolder("missing-script");
    e2e::Launcher launcher(folder);
    auto boxes = launcher.DismissAllUntilExit();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, Title);
    EXPECT_EQ(boxes[0].text, "No script found, loading default");
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_FALSE(folder.Exists("script.txt")) << "the default script is not written to disk";
}

TEST(ScriptFile, EmptyScriptShowsNothing) {
    auto folder = QuietFolder("empty-script");
    folder.Write("script.txt", "");
    e2e::Launcher launcher(folder);
    auto boxes = launcher.DismissAllUntilExit();
    EXPECT_TRUE(boxes.empty()) << boxes[0].text;
    EXPECT_EQ(launcher.WaitForExit(), 0u);
}

TEST(ScriptFile, LockedScriptEndsWithTheFileOpenError) {
    auto folder = QuietFolder("locked-script");
    folder.Write("script.txt", "showmessage (hello)\r\n");
    const std::string script = folder.Path() + "script.txt";
    HANDLE lock = CreateFileA(script.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);

    e2e::Launcher launcher(folder);
    auto box = launcher.Dismiss();
    EXPECT_EQ(box.caption, "Application Error");
    EXPECT_NE(box.text.find("EFOpenError"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("Cannot open file " + script), std::string::npos) << box.text;
    EXPECT_EQ(launcher.WaitForExit(), 1u);
    CloseHandle(lock);
}

// A script that opens but fails to read (a failing network share) ends the run naming the file;
// it is not taken for an empty script, which would run the default statement.
TEST(ScriptFile, AReadErrorEndsTheRunInsteadOfPassingForTheEndOfTheScript) {
    ASSERT_FALSE(e2e::Config().fixtures.empty());
    const std::string folder = e2e::Config().fixtures + "\\unreadable\\";
    ASSERT_TRUE(CopyFileA(e2e::Config().corvane.c_str(), (folder + "corvane.exe").c_str(), FALSE));
    for (const std::string& name : {e2e::CurrentUserName() + ".ini", std::string("shells.ini")}) {
        HANDLE file = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        const char text[] = "[Settings]\r\nShowLauncher=0\r\n";
        DWORD wrote = 0;
        WriteFile(file, text, sizeof text - 1, &wrote, nullptr);
        CloseHandle(file);
    }
    e2e::Launcher launcher(folder + "corvane.exe", "");
    const auto boxes = launcher.DismissAllUntilExit();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Application Error");
    EXPECT_NE(boxes[0].text.find("EReadError"), std::string::npos) << boxes[0].text;
    EXPECT_NE(boxes[0].text.find("Cannot read file " + folder + "script.txt"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(launcher.WaitForExit(), 1u);
}

} // namespace
