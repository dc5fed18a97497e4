#include <gtest/gtest.h>

#include "check/CheckReport.h"
#include "check/NearestWord.h"

namespace corvane {
namespace {

TEST(CheckReport, PrintsNotesShellsFindingsByFileAndLineAndTheCounts) {
    TCheckReport report;
    report.Warning("shells.ini", 7, "late");
    report.Error("schemes\\Night.crs", 2, "clamped");
    report.Error("shells.ini", 0, "whole file");
    report.Warning("shells.ini", 3, "early");
    report.Note("said once");
    report.Note("said once");
    report.Shell("shell A: a.exe, no wallpaper");
    EXPECT_EQ(report.Text("cfg/", '/'), "note: said once\n"
                                        "shell A: a.exe, no wallpaper\n"
                                        "cfg/shells.ini: error: whole file\n"
                                        "cfg/shells.ini:3: warning: early\n"
                                        "cfg/shells.ini:7: warning: late\n"
                                        "cfg/schemes/Night.crs:2: error: clamped\n"
                                        "2 errors, 2 warnings\n");
    EXPECT_EQ(TCheckReport::Summary(1, 1), "1 error, 1 warning");
    EXPECT_EQ(TCheckReport().Text("", '\\'), "0 errors, 0 warnings\n");
}

TEST(NearestWord, SuggestsAKeywordOnlyForASlipOfTheKeyboard) {
    const std::vector<std::string> keywords{"loadshell", "execshell", "ifeq", "end", "exec", "option", "copy"};
    const std::pair<const char*, const char*> cases[] = {
        {"loadshel", "loadshell"}, {"LOADSHEL", "loadshell"}, {"lodashell", "loadshell"}, {"loadshells", "loadshell"},
        {"loadshel1", "loadshell"}, {"ifq", "ifeq"},          {"ned", "end"},             {"coyp", "copy"},
        {"loadsh", ""},            {"if", ""},                {"copy", ""},
        {"execsh", ""},            {"exe", "exec"},           {"", ""},                   {"optn", "option"},
    };
    for (const auto& [word, meant] : cases) {
        EXPECT_EQ(NearestWord(word, keywords).value_or(""), meant) << word;
    }
    EXPECT_EQ(EditDistance("kitten", "sitting", 10), 3u);
    EXPECT_EQ(EditDistance("kitten", "sitting", 2), 3u) << "past the limit it stops counting";
    EXPECT_EQ(EditDistance("ab", "ba", 2), 1u);
}

} // namespace
} // namespace corvane
