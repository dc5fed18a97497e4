#include <gtest/gtest.h>

#include "text/NameCase.h"
#include "text/Utf.h"
#include "text/WesternCodePage.h"

namespace corvane {
namespace {

// The well-formed UTF-8 of the standard's table, and the forms just outside it.
TEST(UnicodeTextTest, ValidUtf8IsExactlyTheWellFormedSequences) {
    for (const char* valid : {"", "a", "\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEE\x80\x80", "\xF0\x90\x80\x80",
                              "\xF4\x8F\xBF\xBF"}) {
        EXPECT_TRUE(IsValidUtf8(valid)) << valid;
    }
    for (const char* invalid : {"\x80", "\xC0\xAF", "\xC1\xBF", "\xC2", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF0\x8F\xBF\xBF",
                                "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xC2\x41"}) {
        EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
    }
}

TEST(UnicodeTextTest, Utf16RoundTripsThroughUtf8) {
    const std::string text = "A\u00E9\u03A9\u5409\U0001F600";
    for (const bool bigEndian : {false, true}) {
        EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text, bigEndian), bigEndian), text);
    }
    EXPECT_EQ(WesternToUtf8(WesternFromUtf8("Caf\u00E9 \u20AC\u0178")), "Caf\u00E9 \u20AC\u0178");
    EXPECT_EQ(WesternFromUtf8("\u03A9"), "?") << "what code page 1252 lacks";
}

// Names match in every script that the portable fold knows, as Windows matches them.
TEST(UnicodeTextTest, NamesMatchIgnoringTheCaseOfEveryScript) {
    const std::pair<const char*, const char*> same[] = {
        {"Explorer", "EXPLORER"}, {"Caf\u00E9", "CAF\u00C9"},       {"\u03A9mega", "\u03C9MEGA"},
        {"\u039F\u03A3", "\u03BF\u03C2"}, {"\u0416\u0401", "\u0436\u0451"}, {"\u0141\u00F3d\u017A", "\u0142\u00D3D\u0179"},
        {"Zo\u00EB", "ZO\u00CB"},
    };
    for (const auto& [a, b] : same) EXPECT_EQ(CompareNames(a, b), 0) << a << " " << b;
    EXPECT_NE(CompareNames("\u00D7", "\u00F7"), 0) << "the multiplication sign has no case";
    EXPECT_LT(CompareNames("alt", "Beta"), 0);
    EXPECT_EQ(FoldNameCase("A\xFF"), "a\xFF") << "a byte that is no UTF-8 stays";
}

} // namespace
} // namespace corvane
