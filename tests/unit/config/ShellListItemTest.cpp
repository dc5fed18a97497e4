#include <gtest/gtest.h>

#include "config/ShellListItem.h"
#include "platform/Errors.h"
#include "support/ConfigPlatform.h"

namespace corvane {
namespace {

using Fields = std::vector<std::string>;

TEST(ShellListItem, SplitsEntriesIntoFields) {
    const std::pair<std::string, Fields> cases[] = {
        {"", {}},
        {"   ", {}},
        {"C:\\Windows\\explorer.exe,0,,", {"C:\\Windows\\explorer.exe", "0", "", ""}},
        {"C:\\Program Files\\Alt\\alt.exe,1,,", {"C:\\Program", "Files\\Alt\\alt.exe", "1", "", ""}},
        {"\"C:\\Program Files\\Alt\\alt.exe\",1,-quiet,", {"C:\\Program Files\\Alt\\alt.exe", "1", "-quiet", ""}},
        {"C:\\x.exe , 1 , -p , w.bmp", {"C:\\x.exe", "1", "-p", "w.bmp"}},
        {"\"say \"\"hi\"\"\",0,,", {"say \"hi\"", "0", "", ""}},
        {"\"unclosed,0,,", {"unclosed,0,,"}},
        {"\"ab\"cd,0", {"ab", "cd", "0"}},
        {",", {"", ""}},
        {",,,", {"", "", "", ""}},
        {"a, ", {"a"}},
        {"a,\t,b", {"a", "", "b"}},
        {"a,b,c,d,e,f", {"a", "b", "c", "d", "e", "f"}},
        {std::string("a,b\0,c", 6), {"a", "b"}},
    };
    for (const auto& [entry, fields] : cases) {
        EXPECT_EQ(TShellListItem::SplitFields(entry), fields) << entry;
    }
}

TEST(ShellListItem, ReadsBooleansAsNumbersOrTrueAndFalse) {
    const std::pair<std::string, bool> cases[] = {
        {"1", true},  {"-1", true},   {"2", true},     {"0", false},    {"00", false},    {"0.0", false},
        {"0.5", true}, {".5", true},  {"1e3", true},   {"0E5", false},  {"+0", false},    {" 1 ", true},
        {"TRUE", true}, {"true", true}, {"tRuE", true}, {"FALSE", false}, {"false", false},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(TShellListItem::StrToBool(text), value) << text;
    }
    for (const std::string text : {"yes", "", "1x", "e5", ".", "-", "1e", "on", "True ", "Files\\Alt\\alt.exe"}) {
        try {
            TShellListItem::StrToBool(text);
            ADD_FAILURE() << "no error for '" << text << "'";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.what(), "'" + text + "' is not a valid boolean value");
        }
    }
}

class ShellListItemBuild : public ::testing::Test {
protected:
    testing::ConfigPlatform fake;
};

TEST_F(ShellListItemBuild, TakesTheFourFieldsAndTheIconOfThePath) {
    fake.shell.icons["C:\\Program Files\\Alt\\alt.exe"] = 7;
    const TShellListItem item("\"C:\\Program Files\\Alt\\alt.exe\",TRUE,-quiet,C:\\Images\\alt.jpg,ignored");
    EXPECT_EQ(item.Name, "");
    EXPECT_EQ(item.Path, "C:\\Program Files\\Alt\\alt.exe");
    EXPECT_TRUE(item.CrashProtected);
    EXPECT_EQ(item.CrashProtectedText, "1");
    EXPECT_EQ(item.CrashProtectedCaption, "Crash Protected");
    EXPECT_EQ(item.Parameters, "-quiet");
    EXPECT_EQ(item.Wallpaper, "C:\\Images\\alt.jpg");
    EXPECT_EQ(item.IconIndex, 7);

    const TShellListItem plain("C:\\Windows\\explorer.exe,0,,");
    EXPECT_FALSE(plain.CrashProtected);
    EXPECT_EQ(plain.CrashProtectedText, "0");
    EXPECT_EQ(plain.CrashProtectedCaption, "");
    EXPECT_EQ(plain.Parameters, "");
    EXPECT_EQ(plain.Wallpaper, "");
}

TEST_F(ShellListItemBuild, MissingFieldsNameTheIndexOfTheFirstOneMissing) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "List index out of bounds (0)"},
        {"C:\\x.exe", "List index out of bounds (1)"},
        {"C:\\Windows\\explorer.exe,0", "List index out of bounds (2)"},
        {"C:\\x.exe,0,-p", "List index out of bounds (3)"},
    };
    for (const auto& [entry, message] : cases) {
        try {
            TShellListItem item(entry);
            ADD_FAILURE() << "no error for " << entry;
        } catch (const EListError& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
    EXPECT_TRUE(fake.shell.iconRequests.empty());
}

} // namespace
} // namespace corvane
