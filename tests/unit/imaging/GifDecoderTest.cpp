#include <gtest/gtest.h>

#include "imaging/GifDecoder.h"
#include "support/ImageSamples.h"

namespace corvane::imaging {
namespace {

using testing::BuildGif;
using testing::GifLayout;
using testing::LiteralCodes;
using testing::PackCodes;
using testing::ReadPnm;
using testing::ReadSample;

constexpr Colour Black{0, 0, 0}, White{255, 255, 255}, Red{0, 0, 255}, Green{0, 255, 0}, Blue{255, 0, 0},
    Grey{128, 128, 128};

PixelBuffer Decode(const std::string& data) { return DecodeGif(data, "test.gif"); }

// The rows of a picture as letters: k black, w white, r red, g green, b blue, . grey, ? other.
std::vector<std::string> Letters(const PixelBuffer& picture) {
    std::vector<std::string> rows;
    for (std::uint32_t y = 0; y < picture.Height(); ++y) {
        std::string row;
        for (std::uint32_t x = 0; x < picture.Width(); ++x) {
            const Colour c = picture.Pixel(x, y);
            row += c == Black ? 'k' : c == White ? 'w' : c == Red ? 'r' : c == Green ? 'g' : c == Blue ? 'b' : c == Grey ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

GifLayout FourByThree() {
    GifLayout gif;
    gif.globalTable = {Black, White, Red, Green};
    gif.indexes = {0, 1, 2, 3, 1, 1, 2, 2, 3, 3, 3, 0};
    return gif;
}

TEST(GifDecoder, DrawsTheImageWithTheGlobalTable) {
    EXPECT_EQ(Letters(Decode(BuildGif(FourByThree()))), (std::vector<std::string>{"kwrg", "wwrr", "gggk"}));
}

TEST(GifDecoder, ReadsGif87aToo) {
    GifLayout gif = FourByThree();
    gif.signature = "GIF87a";
    EXPECT_EQ(Letters(Decode(BuildGif(gif)))[0], "kwrg");
}

TEST(GifDecoder, ALocalTableTakesPrecedence) {
    GifLayout gif = FourByThree();
    gif.localTable = {Blue, Red, White, Black};
    EXPECT_EQ(Letters(Decode(BuildGif(gif))), (std::vector<std::string>{"brwk", "rrww", "kkkb"}));
}

TEST(GifDecoder, ALocalTableWorksWithoutAGlobalOne) {
    GifLayout gif = FourByThree();
    gif.globalTable.clear();
    gif.localTable = {Blue, Red, White, Black};
    EXPECT_EQ(Letters(Decode(BuildGif(gif)))[0], "brwk");
}

TEST(GifDecoder, PutsInterlacedRowsInPlace) {
    GifLayout gif;
    gif.globalTable = {Black, White, Red, Green};
    gif.screenWidth = gif.width = 1;
    gif.screenHeight = gif.height = 10;
    gif.interlaced = true;
    // Stream order of the rows: 0 8 | 4 | 2 6 | 1 3 5 7 9.
    gif.indexes = {0, 0, 1, 2, 2, 3, 3, 3, 3, 3};
    std::string column;
    for (const std::string& row : Letters(Decode(BuildGif(gif)))) column += row;
    EXPECT_EQ(column, "kgrgwgrgkg");
}

TEST(GifDecoder, InterlacingWorksForEveryHeight) {
    for (std::uint16_t height = 1; height <= 17; ++height) {
        GifLayout gif;
        gif.globalTable = {Black, White};
        gif.screenWidth = gif.width = 2;
        gif.screenHeight = gif.height = height;
        gif.interlaced = true;
        gif.indexes.assign(std::size_t{height} * 2, 1);
        for (const std::string& row : Letters(Decode(BuildGif(gif)))) EXPECT_EQ(row, "ww") << "height " << height;
    }
}

// The canvas has the screen's size in the background colour; the image sits at its offset,
// cut off at the screen's edges, and its transparent pixels leave the background.
TEST(GifDecoder, DrawsOntoTheLogicalScreen) {
    GifLayout gif;
    gif.globalTable = {Black, White, Red, Grey};
    gif.background = 3;
    gif.screenWidth = 5;
    gif.screenHeight = 4;
    gif.left = 3;
    gif.top = 2;
    gif.width = 3;
    gif.height = 3;
    gif.transparent = 0;
    gif.indexes = {1, 0, 2, 2, 1, 1, 1, 1, 1};
    EXPECT_EQ(Letters(Decode(BuildGif(gif))), (std::vector<std::string>{".....", ".....", "...w.", "...rw"}));
}

TEST(GifDecoder, AnImageOutsideTheScreenLeavesTheBackground) {
    GifLayout gif = FourByThree();
    gif.background = 1;
    gif.left = 4;
    EXPECT_EQ(Letters(Decode(BuildGif(gif))), (std::vector<std::string>{"wwww", "wwww", "wwww"}));
}

TEST(GifDecoder, WithoutAGlobalTableTheBackgroundIsBlack) {
    GifLayout gif = FourByThree();
    gif.globalTable.clear();
    gif.localTable = {White, Red};
    gif.background = 1;
    gif.transparent = 1;
    gif.indexes = {0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1};
    EXPECT_EQ(Letters(Decode(BuildGif(gif)))[0], "wkwk");
}

TEST(GifDecoder, IndexesBeyondTheTableAreBlack) {
    GifLayout gif = FourByThree();
    gif.globalTable = {White, Red};
    gif.indexes = {0, 1, 3, 2, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Letters(Decode(BuildGif(gif)))[0], "wrkk");
}

TEST(GifDecoder, ExpandsACodeThatIsBeingDefined) {
    GifLayout gif = FourByThree();
    gif.screenWidth = gif.width = 3;
    gif.screenHeight = gif.height = 1;
    // clear, 1, then 6 - the entry that 1 and its own first index are about to make.
    gif.codes = PackCodes({{4, 3}, {1, 3}, {6, 3}, {5, 3}});
    EXPECT_EQ(Letters(Decode(BuildGif(gif)))[0], "www");
}

// A code's string goes on over the end of its row, into as many rows as it needs. The codes
// give 1 | 2 | 1 2 | 1 2 1 | 1 2 1 (the last two each the entry being defined).
TEST(GifDecoder, StringsGoOnIntoTheNextRows) {
    const std::string codes = PackCodes({{4, 3}, {1, 3}, {2, 3}, {6, 3}, {8, 4}, {8, 4}, {5, 4}});
    const std::vector<std::pair<std::uint16_t, std::vector<std::string>>> cases = {
        {1, {"w", "r", "w", "r", "w", "r", "w", "w", "r", "w"}},
        {2, {"wr", "wr", "wr", "ww", "rw"}},
        {3, {"wrw", "rwr", "wwr"}}, // the last index is more than the image needs
        {10, {"wrwrwrwwrw"}},
    };
    for (const auto& [width, rows] : cases) {
        GifLayout gif;
        gif.globalTable = {Black, White, Red, Green};
        gif.screenWidth = gif.width = width;
        gif.screenHeight = gif.height = static_cast<std::uint16_t>(rows.size());
        gif.codes = codes;
        EXPECT_EQ(Letters(Decode(BuildGif(gif))), rows) << "width " << width;
    }
}

// A table that fills up stays as it is (no clear code follows at once) with 12-bit codes.
TEST(GifDecoder, KeepsAFullTableUntilTheNextClearCode) {
    GifLayout gif;
    gif.globalTable = {Black, White, Red, Green};
    gif.screenWidth = gif.width = 100;
    gif.screenHeight = gif.height = 60;
    for (std::size_t i = 0; i < 6000; ++i) gif.indexes.push_back(static_cast<std::uint8_t>((i * 7 / 3) % 4));
    gif.codes = LiteralCodes(gif.indexes, 2, 0);
    const PixelBuffer picture = Decode(BuildGif(gif));
    const Colour table[] = {Black, White, Red, Green};
    for (std::size_t i = 0; i < 6000; ++i) {
        ASSERT_EQ(picture.Pixel(static_cast<std::uint32_t>(i % 100), static_cast<std::uint32_t>(i / 100)), table[gif.indexes[i]]) << i;
    }
}

TEST(GifDecoder, MatchesImageMagickOnCompressedFiles) {
    EXPECT_EQ(Decode(ReadSample("noise.gif")), ReadPnm(ReadSample("noise.ppm")));
    EXPECT_EQ(Decode(ReadSample("interlaced.gif")), ReadPnm(ReadSample("interlaced.ppm")));
}

TEST(GifDecoder, DataBeyondTheLastPixelIsIgnored) {
    GifLayout gif = FourByThree();
    gif.indexes.insert(gif.indexes.end(), {1, 2, 3});
    const GifLayout exact = FourByThree();
    EXPECT_EQ(Decode(BuildGif(gif)), Decode(BuildGif(exact)));
}

void ExpectError(const std::string& data, const std::string& message, const std::string& what) {
    try {
        Decode(data);
        ADD_FAILURE() << what << ": accepted";
    } catch (const EGifError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot decode GIF image test.gif: " + message) << what;
    }
}

TEST(GifDecoder, RejectsDamagedFiles) {
    const auto with = [](const std::function<void(GifLayout&)>& change) {
        GifLayout gif = FourByThree();
        change(gif);
        return BuildGif(gif);
    };
    struct Case {
        const char* what;
        std::string data;
        std::string message;
    };
    const Case cases[] = {
        {"empty file", "", "the file ends inside the header"},
        {"other signature", with([](GifLayout& s) { s.signature = "GIF90a"; }), "it is not a GIF87a or GIF89a file"},
        {"PNG", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR", "it is not a GIF87a or GIF89a file"},
        {"zero screen", with([](GifLayout& s) { s.screenWidth = 0; }), "the logical screen has no pixels"},
        {"huge screen", with([](GifLayout& s) { s.screenWidth = s.screenHeight = 65535; }),
         "the logical screen of 65535 x 65535 pixels exceeds the limit of 67108864"},
        {"zero image", with([](GifLayout& s) { s.height = 0; }), "the image has no pixels"},
        {"huge image", with([](GifLayout& s) { s.width = s.height = 40000; }),
         "the image of 40000 x 40000 pixels exceeds the limit of 67108864"},
        {"no colour table", with([](GifLayout& s) { s.globalTable.clear(); }), "the image has no colour table"},
        {"code size 1", with([](GifLayout& s) { s.minCodeSize = 1; s.codes = std::string("\x01"); }), "invalid LZW code size 1"},
        {"code size 9", with([](GifLayout& s) { s.minCodeSize = 9; s.codes = std::string("\x01"); }), "invalid LZW code size 9"},
        {"first code not a colour", with([](GifLayout& s) { s.codes = PackCodes({{4, 3}, {6, 3}}); }), "invalid LZW code in the image data"},
        {"code beyond the table", with([](GifLayout& s) { s.codes = PackCodes({{4, 3}, {1, 3}, {7, 3}}); }),
         "invalid LZW code in the image data"},
        {"end code too early", with([](GifLayout& s) { s.codes = PackCodes({{4, 3}, {1, 3}, {5, 3}}); }),
         "the image data ends before the image is complete"},
        {"data too short", with([](GifLayout& s) { s.codes = PackCodes({{4, 3}, {1, 3}, {2, 3}}); }),
         "the image data ends before the image is complete"},
        {"no data", with([](GifLayout& s) { s.codes = std::string(); }), "the image data ends before the image is complete"},
        {"only a trailer", std::string("GIF89a\x04\x00\x03\x00\x00\x00\x00\x3B", 14), "it contains no image"},
        {"unknown block", std::string("GIF89a\x04\x00\x03\x00\x00\x00\x00\x99", 14), "unknown block type at offset 13"},
    };
    for (const auto& [what, data, message] : cases) ExpectError(data, message, what);
}

TEST(GifDecoder, EveryTruncationIsRejected) {
    for (const std::string& file : {BuildGif(FourByThree()), ReadSample("interlaced.gif")}) {
        // The trailer and the block terminator before it are not needed for the first image.
        for (std::size_t length = 0; length + 2 < file.size(); ++length) {
            EXPECT_THROW(Decode(file.substr(0, length)), EGifError) << "cut at " << length;
        }
    }
}

} // namespace
} // namespace corvane::imaging
