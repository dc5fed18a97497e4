#include <gtest/gtest.h>

#include "commands/editconsts.h"
#include "config/ShellScriptIO.h"
#include "script/ParseScript.h"
#include "support/FakePlatform.h"

namespace corvane {
namespace {

TEST(SplitLines, FollowsTheLineEndRules) {
    const std::pair<std::string, TStringList> cases[] = {
        {"", {}},
        {"A", {"A"}},
        {"A\r\n", {"A"}},
        {"A\r\n\r\nB", {"A", "", "B"}},
        {"A\nB\rC\r\nD", {"A", "B", "C", "D"}},
        {"A\n\rB", {"A", "", "B"}}, // LF then CR: two line ends
        {"A\r\r\nB", {"A", "", "B"}},
        {"\n", {""}},
        {"\n\n", {"", ""}},
        {std::string("A\0B\nC", 5), {"A"}}, // NUL ends the text
        {std::string("\0A", 2), {}},
        {"  keep blanks  \r\n", {"  keep blanks  "}},
        {"\xFF\xFE;x\n", {"\xFF\xFE;x"}},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(TShellScriptIO::SplitLines(text), expected) << ::testing::PrintToString(text);
    }
}

TEST(ShellScriptIO, ScriptLiesInTheFolderOfTheSettingsFile) {
    EXPECT_EQ(TShellScriptIO(TIniFile("D:\\Launch\\operator.ini")).ScriptFile, "D:\\Launch\\script.txt");
    EXPECT_EQ(TShellScriptIO(TIniFile("D:operator.ini")).ScriptFile, "D:script.txt");
    EXPECT_EQ(TShellScriptIO(TIniFile("operator.ini")).ScriptFile, "script.txt");
}

class ReadScriptTest : public ::testing::Test {
protected:
    testing::FakePlatform fake;
    TShellScriptIO io{TIniFile("C:\\Launch\\operator.ini")};
};

TEST_F(ReadScriptTest, ReadsTheFileWithoutAMessage) {
    fake.files.files["C:\\Launch\\script.txt"] = "A\r\n\r\nB";
    EXPECT_EQ(io.ReadScript(), (TStringList{"A", "", "B"}));
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(ReadScriptTest, EmptyFileGivesNoLinesAndNoMessage) {
    fake.files.files["C:\\Launch\\script.txt"] = "";
    EXPECT_TRUE(io.ReadScript().empty());
    EXPECT_TRUE(fake.dialogs.messages.empty());
}

TEST_F(ReadScriptTest, MissingFileGivesTheDefaultScriptAfterTheMessage) {
    std::size_t linesWhenShown = 99;
    fake.dialogs.onMessage = [&](const std::string&) { linesWhenShown = 0; };
    const TStringList lines = io.ReadScript();
    EXPECT_EQ(fake.dialogs.messages, TStringList{"No script found, loading default"});
    EXPECT_EQ(linesWhenShown, 0u);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "; This script is the most basic that is");
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6], "loadshell (shell)");
    EXPECT_EQ(fake.files.files.count("C:\\Launch\\script.txt"), 0u);

    TStringList parsed = lines;
    TParseScript parser(parsed, editconsts::Commands());
    const TStatementList& list = parser.Parse();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Keyword, "loadshell");
    EXPECT_EQ(list[0].Args, TStringList{"shell"});
}

TEST_F(ReadScriptTest, UnreadableFileRaisesTheFileOpenErrorNamingThePath) {
    fake.files.files["C:\\Launch\\script.txt"] = "x";
    fake.files.unreadable.insert("C:\\Launch\\script.txt");
    try {
        io.ReadScript();
        FAIL() << "no error";
    } catch (const EFOpenError& error) {
        EXPECT_STREQ(error.what(), "Cannot open file C:\\Launch\\script.txt");
    }
}

} // namespace
} // namespace corvane
