#include <gtest/gtest.h>

#include "config/TextFile.h"
#include "platform/Errors.h"
#include "support/FakePlatform.h"

namespace corvane {
namespace {

using TKind = TTextFile::TKind;
using TEncoding = TTextFile::TEncoding;
using namespace std::string_literals;

// How each kind of file's bytes decode: a mark says it; without one a script that is UTF-8 is
// UTF-8, and anything else, an INI file always, is the legacy code page (1252 in the fakes).
TEST(TextFileTest, DecodesByTheMarkThenByUtf8ThenByTheLegacyCodePage) {
    const struct {
        const char* name;
        std::string bytes;
        TKind kind;
        TEncoding encoding;
        std::string text;
        bool unmarkedBeyondAscii;
    } cases[] = {
        {"ASCII", "loadshell (s)", TKind::Script, TEncoding::Utf8, "loadshell (s)", false},
        {"UTF-8", "\xCE\xA9mega \xE2\x9C\x93", TKind::Script, TEncoding::Utf8, "\u03A9mega \u2713", true},
        {"UTF-8 with its mark", "\xEF\xBB\xBF\xCE\xA9", TKind::Script, TEncoding::Utf8WithMark, "\u03A9", false},
        {"UTF-16 LE", "\xFF\xFE\xA9\x03\x3D\xD8\x00\xDE"s, TKind::Script, TEncoding::Utf16LE, "\u03A9\U0001F600", false},
        {"UTF-16 BE", "\xFE\xFF\x03\xA9\x00\x0D"s, TKind::Profile, TEncoding::Utf16BE, "\u03A9\r", false},
        {"legacy script", "Caf\xE9 \x80", TKind::Script, TEncoding::Legacy, "Caf\u00E9 \u20AC", true},
        {"UTF-8 in an INI file", "\xCE\xA9", TKind::Profile, TEncoding::Legacy, "\u00CE\u00A9", true},
        {"UTF-8 cut short", "Gr\xC3", TKind::Script, TEncoding::Legacy, "Gr\u00C3", true},
    };
    testing::FakePlatform fake;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TTextFile file(c.bytes, c.kind, "C:\\f");
        EXPECT_EQ(file.Encoding, c.encoding);
        EXPECT_EQ(file.Text, c.text);
        EXPECT_EQ(file.UnmarkedBeyondAscii, c.unmarkedBeyondAscii);
    }
}

// Unicode text that is broken is an error naming the file, never a silent replacement.
TEST(TextFileTest, BrokenUnicodeTextIsAnErrorNamingTheFile) {
    testing::FakePlatform fake;
    for (const std::string& bytes : {"\xFF\xFE\x00\xD8"s, "\xFF\xFE\x00\xDC\x41\x00"s, "\xFE\xFF\x00"s, "\xEF\xBB\xBF\xC0\xAF"s}) {
        try {
            TTextFile(bytes, TKind::Script, "C:\\Launch\\script.txt");
            ADD_FAILURE() << "decoded";
        } catch (const EEncodingError& error) {
            EXPECT_NE(std::string(error.what()).find("\"C:\\Launch\\script.txt\""), std::string::npos) << error.what();
        }
    }
}

} // namespace
} // namespace corvane
