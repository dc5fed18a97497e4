#include "text/ShortText.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const std::string How = "send the output to a file";

TEST(ShortText, TextsWithinBothLimitsStayAsTheyAre) {
    for (const std::string text : {"", "one line", "a\nb\nc\n", "a\nb\nc"}) {
        EXPECT_EQ(ShortText(text, 3, 100, How), text);
    }
    const std::string oneLongLine(300, 'x');
    EXPECT_EQ(ShortText(oneLongLine, 3, 100, How), oneLongLine) << "nothing to leave out";
}

TEST(ShortText, KeepsTheFirstLinesAndTheLastOneAndCountsTheRest) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t maxLines, maxChars;
        std::string expected;
    };
    const Case cases[] = {
        {"too many lines", "1\n2\n3\n4\n5\n6\nsum\n", 5, 1000,
         "1\n2\n3\n... 3 more lines not shown here: send the output to a file\nsum\n"},
        {"one line over", "1\n2\n3\nsum\n", 3, 1000, "1\n... 2 more lines not shown here: send the output to a file\nsum\n"},
        {"too many characters", std::string(40, 'a') + "\n" + std::string(40, 'b') + "\nsum", 100, 50,
         std::string(40, 'a') + "\n... 1 more line not shown here: send the output to a file\nsum"},
        {"a first line longer than the room", std::string(80, 'a') + "\nsum\n", 100, 50,
         "... 1 more line not shown here: send the output to a file\nsum\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(ShortText(c.text, c.maxLines, c.maxChars, How), c.expected) << c.name;
}

} // namespace
} // namespace corvane
