#include <gtest/gtest.h>

#include "script/StringVariables.h"
#include "support/FakePlatform.h"

namespace corvane {
namespace {

class StringVariablesTest : public ::testing::Test {
protected:
    testing::FakePlatform fake;
    TStringVariables vars;
    std::vector<std::string>& messages = fake.dialogs.messages;
};

TEST_F(StringVariablesTest, ExpandsReferences) {
    vars.AddVar("shell", "Explorer");
    vars.AddVar("x", "1");
    vars.AddVar("y", "2");
    vars.AddVar("", "empty-name");
    const std::pair<const char*, const char*> cases[] = {
        {"$shell$", "Explorer"},
        {"$SHELL$", "Explorer"},
        {"a$x$b$y$c", "a1b2c"},
        {"$never$", "nil"},
        {"$$", "empty-name"},
        {"no references", "no references"},
        {"", ""},
        {"C:\\Themes\\$shell$.ini", "C:\\Themes\\Explorer.ini"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(vars.ParseVars(text, '$'), expected) << text;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(StringVariablesTest, ValuesAreExpandedInTurn) {
    vars.AddVar("user", "operator");
    vars.AddVar("greeting", "hello $user$");
    EXPECT_EQ(vars.ParseVars("$greeting$!"), "hello operator!");
}

TEST_F(StringVariablesTest, MissingClosingDelimiterIsReportedAndDropped) {
    EXPECT_EQ(vars.ParseVars("costs 5$"), "costs 5");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Error (ParseVars): cannot find closing $ in:\r\ncosts 5$");

    messages.clear();
    vars.AddVar("x", "1");
    EXPECT_EQ(vars.ParseVars("$x$ and $rest"), "1 and rest");
    EXPECT_EQ(messages, std::vector<std::string>{"Error (ParseVars): cannot find closing $ in:\r\n$x$ and $rest"});
}

TEST_F(StringVariablesTest, ValueWithOneDelimiterEndsTheExpansion) {
    vars.AddVar("price", "5$");
    EXPECT_EQ(vars.ParseVars("[$price$]"), "[5]");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("cannot find closing $"), std::string::npos);
}

TEST_F(StringVariablesTest, StoredNilIsReportedByGetVar) {
    vars.AddVar("v", "nil");
    EXPECT_EQ(vars.ParseVars("$v$"), "nil");
    EXPECT_EQ(messages, std::vector<std::string>{"Error (GetVar): Retrieved value same as Default value (nil)"});
    messages.clear();
    EXPECT_EQ(vars.GetVar("v", "other"), "nil");
    EXPECT_EQ(vars.GetVar("unknown", "other"), "other");
    EXPECT_TRUE(messages.empty());
}

TEST_F(StringVariablesTest, ReplacingMovesTheEntryToTheEndWithTheLatestName) {
    vars.AddVar("Shell", "a");
    vars.AddVar("other", "b");
    vars.AddVar("shell", "c");
    ASSERT_EQ(vars.Count(), 2u);
    EXPECT_EQ(vars.Name(0), "other");
    EXPECT_EQ(vars.Name(1), "shell");
    EXPECT_EQ(vars.GetVar("SHELL", ""), "c");
}

TEST_F(StringVariablesTest, SelfReferenceStopsAtTheSubstitutionBound) {
    vars.AddVar("loop", "$loop$");
    EXPECT_EQ(vars.ParseVars("<$loop$>"), "<$loop$>");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Error (ParseVars): ", 0), 0u);
    EXPECT_NE(messages[0].find("<$loop$>"), std::string::npos);
}

TEST_F(StringVariablesTest, DoublingValueStopsAtTheLengthBound) {
    vars.AddVar("a", "$a$$a$");
    const std::string result = vars.ParseVars("$a$");
    EXPECT_LE(result.size(), TStringVariables::MaxExpandedLength);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("Error (ParseVars): ", 0), 0u);

    messages.clear();
    vars.AddVar("big", std::string(TStringVariables::MaxExpandedLength, 'x'));
    EXPECT_EQ(vars.ParseVars("$big$"), std::string(TStringVariables::MaxExpandedLength, 'x'));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(vars.ParseVars("+$big$"), "+$big$");
    EXPECT_EQ(messages.size(), 1u);
}

} // namespace
} // namespace corvane
