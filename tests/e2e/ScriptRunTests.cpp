// Scripts of copy and showmessage statements run by the real launcher, and the errors that
// end a run.
#include <gtest/gtest.h>

#include "Harness.h"

namespace {

using e2e::Texts;

constexpr const char* Title = "Corvane v3 Launcher";

e2e::ProgramFolder ScriptFolder(const std::string& name, const std::string& script) {
    e2e::ProgramFolder folder(name);
    folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=0\r\n");
    folder.Write("shells.ini", "");
    folder.Write("script.txt", script);
    return folder;
}

TEST(ScriptRun, ShowMessageAndCopyRunInScriptOrder) {
    auto folder = ScriptFolder("copy-and-show", "");
    folder.Write("source.txt", "fresh");
    folder.Write("target.txt", "stale");
    const std::string p = folder.Path();
    folder.Write("script.txt",
                 "; copies and messages\r\n"
                 "showmessage (\"first $nobody$\")\r\n"
                 "\r\n"
                 "   COPY (\"" + p + "source.txt\", \"" + p + "target.txt\")\r\n"
                 "copy (\"" + p + "source.txt\", \"" + p + "new.txt\")\n"
                 "; a missing source\n"
                 "copy (\"" + p + "missing.txt\", \"" + p + "never.txt\")\r\n"
                 "showmessage (last)");
    e2e::Launcher launcher(folder);
    const auto boxes = launcher.DismissAllUntilExit();
    EXPECT_EQ(Texts(boxes), (std::vector<std::string>{
                                "first nil",
                                "Error (Line 4): Source file \"" + p + "missing.txt\" not found",
                                "last",
                            }));
    for (const auto& box : boxes) EXPECT_EQ(box.caption, Title);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
    EXPECT_EQ(folder.Read("target.txt"), "fresh");
    EXPECT_EQ(folder.Read("new.txt"), "fresh");
    EXPECT_FALSE(folder.Exists("never.txt"));
}

TEST(ScriptRun, CopyWithOneArgumentEndsTheRunWithAListIndexError) {
    auto folder = ScriptFolder("copy-one-argument", "");
    folder.Write("source.txt", "x");
    folder.Write("script.txt", "showmessage (before)\r\ncopy (\"" + folder.Path() + "source.txt\")\r\nshowmessage (after)\r\n");
    e2e::Launcher launcher(folder);
    const auto boxes = launcher.DismissAllUntilExit();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "before");
    EXPECT_EQ(boxes[1].caption, "Application Error");
    EXPECT_NE(boxes[1].text.find("EListError"), std::string::npos) << boxes[1].text;
    EXPECT_NE(boxes[1].text.find("List index out of bounds (1)"), std::string::npos) << boxes[1].text;
    EXPECT_EQ(launcher.WaitForExit(), 1u);
}

TEST(ScriptRun, EndWithoutIfEqFailsBeforeAnyStatementRuns) {
    auto folder = ScriptFolder("stray-end", "showmessage (never)\r\nend\r\nshowmessage (never)\r\n");
    e2e::Launcher launcher(folder);
    const auto boxes = launcher.DismissAllUntilExit();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Application Error");
    EXPECT_NE(boxes[0].text.find("List index out of bounds (-1)"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(launcher.WaitForExit(), 1u);
}

TEST(ScriptRun, ReferenceWithoutClosingDollarIsReportedThenShown) {
    auto folder = ScriptFolder("unclosed-reference", "showmessage (\"costs 5$ today\")\r\n");
    e2e::Launcher launcher(folder);
    const auto boxes = launcher.DismissAllUntilExit();
    EXPECT_EQ(Texts(boxes), (std::vector<std::string>{"Error (ParseVars): cannot find closing $ in:\r\ncosts 5$ today",
                                                       "costs 5 today"}));
    EXPECT_EQ(launcher.WaitForExit(), 0u);
}

TEST(ScriptRun, FalseIfEqSkipsItsBlock) {
    auto folder = ScriptFolder("ifeq-skips",
                               "ifeq (shell, nil)\r\n  showmessage (unset)\r\n  ifeq (shell, other)\r\n"
                               "    showmessage (never)\r\n  end\r\nend\r\nshowmessage (done)\r\n");
    e2e::Launcher launcher(folder);
    EXPECT_EQ(Texts(launcher.DismissAllUntilExit()), (std::vector<std::string>{"unset", "done"}));
    EXPECT_EQ(launcher.WaitForExit(), 0u);
}

} // namespace
