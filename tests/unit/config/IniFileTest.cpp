#include <gtest/gtest.h>

#include "config/ColoursIO.h"
#include "config/CorvaneSettings.h"
#include "config/IniFile.h"

namespace corvane {
namespace {

TEST(IniFile, ReadsIntegersInDecimalAndBothHexadecimalForms) {
    const std::pair<std::string, std::optional<std::int32_t>> cases[] = {
        {"0", 0},           {"42", 42},        {"+7", 7},          {"-7", -7},        {"007", 7},
        {"$FF", 255},       {"$ff", 255},      {"0xFF", 255},      {"0XfF", 255},     {"-$10", -16},
        {"$FFFFFFFF", -1},  {"0x7FFFFFFF", 2147483647},            {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},      {"2147483648", std::nullopt},        {"$100000000", std::nullopt},
        {"", std::nullopt}, {"$", std::nullopt}, {"0x", std::nullopt}, {"x1F", std::nullopt}, {"1F", std::nullopt},
        {"true", std::nullopt}, {"1.0", std::nullopt}, {" 1", std::nullopt}, {"--1", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        std::int32_t value = 12345;
        EXPECT_EQ(TIniFile::TryParseInteger(text, value), expected.has_value()) << text;
        if (expected) {
            EXPECT_EQ(value, *expected) << text;
        }
    }
}

// A default that does not read in its key's form would silently become 0.
TEST(IniFile, EveryKeysDefaultReadsInItsForm) {
    std::vector<TIniKey> keys(TCorvaneSettings::Keys.begin(), TCorvaneSettings::Keys.end());
    keys.insert(keys.end(), TColoursIO::Keys.begin(), TColoursIO::Keys.end());
    for (const TIniKey& key : keys) {
        ASSERT_NE(key.Default, nullptr) << key.Name;
        std::int32_t value = 0;
        const std::string_view text = key.Default;
        if (key.Form == TIniValueForm::Boolean) {
            EXPECT_TRUE(text == "0" || text == "1") << key.Name;
        } else if (key.Form == TIniValueForm::Integer) {
            EXPECT_TRUE(TIniFile::TryParseInteger(key.Default, value)) << key.Name;
        }
    }
}

} // namespace
} // namespace corvane
