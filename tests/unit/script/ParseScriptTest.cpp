#include <gtest/gtest.h>

#include "commands/editconsts.h"
#include "script/ParseScript.h"

namespace corvane {
namespace {

struct LineCase {
    const char* line;
    bool recognised;
    const char* keyword;
    TStringList args;
};

// Parses one line and returns the single entry, or nothing when the line was dropped.
std::optional<TStatementEntry> ParseOne(const std::string& text) {
    TStringList lines{text};
    TParseScript parser(lines, editconsts::Commands());
    const TStatementList& list = parser.Parse();
    if (list.empty()) return std::nullopt;
    EXPECT_EQ(list.size(), 1u);
    return list.front();
}

void PrintTo(const LineCase& c, std::ostream* os) { *os << ::testing::PrintToString(std::string(c.line)); }

class ParseLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ParseLineTest, GivesKeywordAndArguments) {
    const LineCase& c = GetParam();
    const auto entry = ParseOne(c.line);
    ASSERT_EQ(entry.has_value(), c.recognised) << c.line;
    if (entry) {
        EXPECT_EQ(entry->Keyword, c.keyword) << c.line;
        EXPECT_EQ(entry->Args, c.args) << c.line;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseLineTest,
    ::testing::Values(
        LineCase{"   LoadShell(x)", true, "loadshell", {"x"}},
        LineCase{"LOADSHELL (x)", true, "loadshell", {"x"}},
        LineCase{"\t\x01loadshell (x)", true, "loadshell", {"x"}},
        LineCase{"loadshells (x)", false, "", {}},
        LineCase{"copy2 (a, b)", true, "copy", {"a", "b"}},
        LineCase{"end", true, "end", {}},
        LineCase{"option", true, "option", {}},
        LineCase{"showmessage (Hello world)", true, "showmessage", {"Hello", "world"}},
        LineCase{"copy (a,,b)", true, "copy", {"a", "", "b"}},
        LineCase{"copy (,a)", true, "copy", {"", "a"}},
        LineCase{"copy (a,)", true, "copy", {"a", ""}},
        LineCase{"copy (a, )", true, "copy", {"a"}},
        LineCase{"copy ()", true, "copy", {}},
        LineCase{"exec x) (y", true, "exec", {}},
        LineCase{"showmessage hi)", true, "showmessage", {"showmessage", "hi"}},
        LineCase{"showmessage (a) (b)", true, "showmessage", {"a"}},
        LineCase{"showmessage ((a)", true, "showmessage", {"(a"}},
        LineCase{"showmessage (a", true, "showmessage", {}},
        LineCase{"copy some words (a, b) trailing", true, "copy", {"a", "b"}},
        LineCase{"; loadshell (x)", false, "", {}},
        LineCase{"#loadshell (x)", false, "", {}},
        LineCase{"1 loadshell (x)", false, "", {}},
        LineCase{"", false, "", {}},
        LineCase{"     ", false, "", {}},
        LineCase{"[loadshell] (x)", false, "", {}},   // '[' and ']' lie in the keyword range
        LineCase{"end_ (x)", false, "", {}},          // so does '_'
        LineCase{"\xC4nd (x)", false, "", {}},        // bytes above 0x7F end the run
        LineCase{"end\xC4 (x)", true, "end", {"x"}},
        LineCase{"ShowMessage(\"Hello world\")", true, "showmessage", {"Hello world"}},
        LineCase{"showmessage (\"\"\"hi\"\"\")", true, "showmessage", {"\"hi\""}},
        LineCase{"showmessage (\"ab\"cd)", true, "showmessage", {"ab", "cd"}},
        LineCase{"showmessage (ab\"cd\")", true, "showmessage", {"ab\"cd\""}},
        // A ")" inside a double-quoted argument does not end the arguments; in unquoted text,
        // and in a quoted argument that is never closed, the first ")" does.
        LineCase{"showmessage (\"a)b\")", true, "showmessage", {"a)b"}},
        LineCase{"exec (\"C:\\Program Files (x86)\\App\\app.exe\", \"\", \"\")", true, "exec",
                 {"C:\\Program Files (x86)\\App\\app.exe", "", ""}},
        LineCase{"exec (C:\\Apps (x86)\\app.exe)", true, "exec", {"C:\\Apps", "(x86"}},
        LineCase{"copy (\"a)\"\"b\" c) d)", true, "copy", {"a)\"b", "c"}},
        LineCase{"showmessage (ab\"c)d\")", true, "showmessage", {"ab\"c"}},
        LineCase{"showmessage (\"a\"b) c\")", true, "showmessage", {"a", "b"}},
        LineCase{"showmessage (\"x\" \"y)z)", true, "showmessage", {"x", "y"}},
        LineCase{"showmessage (\"x)\" \"y", true, "showmessage", {}},
        LineCase{"showmessage (\")", true, "showmessage", {""}},
        LineCase{"showmessage (\"\")", true, "showmessage", {""}},
        LineCase{"copy (\"a b\" , \"c,d\")", true, "copy", {"a b", "c,d"}},
        LineCase{"copy (a\tb)", true, "copy", {"a", "b"}},
        LineCase{"showmessage ( \xE9t\xE9 )", true, "showmessage", {"\xE9t\xE9"}}),
    [](const ::testing::TestParamInfo<LineCase>& info) { return "Line" + std::to_string(info.index); });

struct BetweenCase {
    const char* line;
    const char* expected;
};

TEST(ExtractBetween, TakesTextBetweenFirstOpenAndTheCloseOutsideQuotes) {
    const BetweenCase cases[] = {
        {"x (abc) y", "abc"}, {"x (abc", ""}, {"x abc", ""}, {"x ) (abc", ""}, {"abc)", "abc"},
        {"()", ""},           {")", ""},      {"(", ""},     {"((a))", "(a"},  {"", ""},
        {"x (\"a)b\", c) d", "\"a)b\", c"}, {"x (\"a)\"\")\")", "\"a)\"\")\""}, {"\"a)b\" (c)", ""},
        {"x (\"a", ""},      {"x (\"a) b", "\"a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TParseScript::ExtractBetween(c.line), c.expected) << c.line;
    }
}

TEST(CommaText, SplitsByTheCommaTextRule) {
    const std::pair<const char*, TStringList> cases[] = {
        {"", {}},
        {"   ", {}},
        {",", {"", ""}},
        {"a,", {"a", ""}},
        {"a ,", {"a", ""}},
        {"a , ", {"a"}},
        {",,", {"", "", ""}},
        {"\"unclosed text", {"unclosed text"}},
        {"\"\"\"\"", {"\""}},
        {"a\"b c", {"a\"b", "c"}},
        {"\"x\",\"y\"", {"x", "y"}},
        {"\"x\"\"\"y", {"x\"", "y"}},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(TParseScript::SplitCommaText(text), expected) << text;
    }
}

TEST(IsKeywordChar, CoversAToLowerZ) {
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(TParseScript::IsKeywordChar(static_cast<char>(code)), code >= 0x41 && code <= 0x7A) << code;
    }
}

TEST(IsKeyword, MatchesExactlyTheEightKeywords) {
    TStringList lines;
    const TParseScript parser(lines, editconsts::Commands());
    for (const char* word : {"loadshell", "execshell", "ifeq", "end", "exec", "option", "copy", "showmessage"}) {
        EXPECT_TRUE(parser.IsKeyword(word)) << word;
    }
    for (const char* word : {"LoadShell", "ends", "", "copy ", "show"}) {
        EXPECT_FALSE(parser.IsKeyword(word)) << word;
    }
}

TEST(Parse, RewritesLinesLeftTrimmedAndKeepsTrailingText) {
    TStringList lines{"  \tcopy (a, b)  ", " ; note", ""};
    TParseScript parser(lines, editconsts::Commands());
    parser.Parse();
    EXPECT_EQ(lines, (TStringList{"copy (a, b)  ", "; note", ""}));
}

TEST(Parse, KeepsOrderAndRepeatsAndLeavesAnEarlierResultAlone) {
    TStringList lines{"copy (a, b)", "; comment", "unknown (x)", "copy (c, d)", "END"};
    TParseScript parser(lines, editconsts::Commands());
    const TStatementList first = parser.Parse();
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].Args, (TStringList{"a", "b"}));
    EXPECT_EQ(first[1].Args, (TStringList{"c", "d"}));
    EXPECT_EQ(first[2].Keyword, "end");
    EXPECT_EQ((std::vector<int>{first[0].Line, first[1].Line, first[2].Line}), (std::vector<int>{1, 4, 5}));
    lines.push_back("option");
    EXPECT_EQ(parser.Parse().size(), 4u);
    EXPECT_EQ(first.size(), 3u);
    EXPECT_EQ(first[1].Args, (TStringList{"c", "d"}));
}

TEST(Parse, SurvivesHugeAndBinaryLines) {
    std::string huge = "showmessage (" + std::string(1 << 20, 'x') + ")";
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) & 0xFF);
    TStringList lines{huge, binary, std::string(1 << 20, '('), "copy (" + std::string(1 << 16, '"')};
    TParseScript parser(lines, editconsts::Commands());
    const TStatementList& list = parser.Parse();
    ASSERT_GE(list.size(), 2u);
    EXPECT_EQ(list[0].Args, TStringList{std::string(1 << 20, 'x')});
}

} // namespace
} // namespace corvane
