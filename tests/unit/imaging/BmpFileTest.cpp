#include <gtest/gtest.h>

#include "imaging/BmpFile.h"
#include "support/ImageSamples.h"

namespace corvane::imaging {
namespace {

using testing::BmpForm;
using testing::BuildBmp;
using testing::MakePicture;
using testing::Poke16;
using testing::Poke32;
using testing::ReadPnm;
using testing::ReadSample;

// A picture of at most `colours` colours, all exact in every bit depth (each channel 0 or
// 255), laid out so that a swapped row, column or channel shows.
PixelBuffer Pattern(std::uint32_t width, std::uint32_t height, unsigned colours) {
    static const Colour corners[] = {{0, 0, 0},     {255, 255, 255}, {0, 0, 255},   {0, 255, 0},
                                     {255, 0, 0},   {0, 255, 255},   {255, 0, 255}, {255, 255, 0}};
    return MakePicture(width, height, [&](std::uint32_t x, std::uint32_t y) {
        return corners[(x * 3 + y * 5 + (x == 0 && y == 0 ? 1 : 0)) % std::min(colours, 8u)];
    });
}

PixelBuffer Decode(const std::string& data) { return DecodeBmp(data, "test.bmp"); }

TEST(BmpWriter, WritesA24BitBottomUpBitmapWithPaddedRows) {
    const PixelBuffer picture = Pattern(5, 3, 8);
    const std::string file = EncodeBmp(picture);
    ASSERT_EQ(file.size(), 14u + 40u + 16u * 3u); // 5 pixels: 15 bytes, padded to 16
    EXPECT_EQ(file.substr(0, 2), "BM");
    const auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(file[at]) | static_cast<std::uint8_t>(file[at + 1]) << 8 |
                                          static_cast<std::uint8_t>(file[at + 2]) << 16 | static_cast<std::uint8_t>(file[at + 3]) << 24);
    };
    EXPECT_EQ(u32(2), file.size());  // bfSize
    EXPECT_EQ(u32(10), 54u);         // bfOffBits
    EXPECT_EQ(u32(14), 40u);         // biSize
    EXPECT_EQ(u32(18), 5u);          // biWidth
    EXPECT_EQ(u32(22), 3u);          // biHeight: positive, bottom-up
    EXPECT_EQ(file[28], 24);         // biBitCount
    EXPECT_EQ(u32(30), 0u);          // BI_RGB
    // The first row in the file is the picture's bottom row.
    const Colour bottomLeft = picture.Pixel(0, 2);
    EXPECT_EQ(static_cast<std::uint8_t>(file[54]), bottomLeft.blue);
    EXPECT_EQ(static_cast<std::uint8_t>(file[56]), bottomLeft.red);
    EXPECT_EQ(file[54 + 15], '\0'); // padding
}

TEST(BmpWriter, PicturesComeBackUnchangedAtEveryRowPadding) {
    for (std::uint32_t width = 1; width <= 9; ++width) {
        const PixelBuffer picture = MakePicture(width, 4, [](std::uint32_t x, std::uint32_t y) {
            return Colour{static_cast<std::uint8_t>(x * 20), static_cast<std::uint8_t>(y * 50), static_cast<std::uint8_t>(x + y)};
        });
        EXPECT_EQ(Decode(EncodeBmp(picture)), picture) << "width " << width;
    }
}

// Every bit depth, header version and row order the reader accepts.
TEST(BmpReader, ReadsEveryUncompressedForm) {
    struct Case {
        BmpForm form;
        unsigned colours;
    };
    const Case cases[] = {
        {{40, 1}, 2},
        {{40, 4}, 8},
        {{40, 8}, 8},
        {{40, 16}, 8},
        {{40, 24}, 8},
        {{40, 32}, 8},
        {{40, 1, 0, {}, true}, 2},
        {{40, 4, 0, {}, true}, 8},
        {{40, 8, 0, {}, true}, 8},
        {{40, 16, 0, {}, true}, 8},
        {{40, 24, 0, {}, true}, 8},
        {{40, 32, 0, {}, true}, 8},
        {{40, 16, 3, {0xF800, 0x07E0, 0x001F}}, 8},
        {{40, 16, 3, {0x0F00, 0x00F0, 0x000F}, true}, 8},
        {{40, 32, 3, {0xFF000000, 0x00FF0000, 0x0000FF00}}, 8},
        {{52, 32, 3, {0x000003FF, 0x000FFC00, 0x3FF00000}}, 8},
        {{56, 16, 3, {0x7C00, 0x03E0, 0x001F}}, 8},
        {{108, 24}, 8},
        {{124, 32, 3, {0xFF0000, 0xFF00, 0xFF}, true}, 8},
        {{124, 8}, 8},
        {{12, 1}, 2},
        {{12, 4}, 8},
        {{12, 8}, 8},
        {{12, 24}, 8},
    };
    for (const auto& [form, colours] : cases) {
        for (const std::uint32_t width : {1u, 7u, 13u}) {
            const PixelBuffer picture = Pattern(width, 5, colours);
            EXPECT_EQ(Decode(BuildBmp(picture, form)), picture)
                << "header " << form.headerSize << ", " << form.bits << " bits, compression " << form.compression
                << (form.topDown ? ", top-down" : ", bottom-up") << ", width " << width;
        }
    }
}

TEST(BmpReader, ReadsBitmapsWrittenByImageMagick) {
    const PixelBuffer source = ReadPnm(ReadSample("source.ppm"));
    EXPECT_EQ(Decode(ReadSample("v5-32.bmp")), source);
    EXPECT_EQ(Decode(ReadSample("os2.bmp")), source);
    EXPECT_EQ(Decode(ReadSample("palette8.bmp")), ReadPnm(ReadSample("palette8.ppm")));
    EXPECT_EQ(Decode(ReadSample("palette4.bmp")), ReadPnm(ReadSample("palette4.ppm")));
    EXPECT_EQ(Decode(ReadSample("mono.bmp")), ReadPnm(ReadSample("mono.ppm")));
}

// A field's bits at the top of the byte and once more below them, as the system's conversion
// gives them: 5 bits v are v << 3 | v >> 2, 6 bits v << 2 | v >> 4.
TEST(BmpReader, WidensBitFieldsAsTheSystemDoes) {
    std::string file = BuildBmp(MakePicture(3, 1, [](std::uint32_t, std::uint32_t) { return Colour{}; }),
                                {40, 16, 3, {0xF800, 0x07E0, 0x001F}});
    const std::size_t pixels = 14 + 40 + 12;
    Poke16(file, pixels, 3 << 11 | 3 << 5 | 3);
    Poke16(file, pixels + 2, 16 << 11 | 32 << 5 | 16);
    Poke16(file, pixels + 4, 0xFFFF);
    const PixelBuffer decoded = Decode(file);
    EXPECT_EQ(decoded.Pixel(0, 0), (Colour{0x18, 0x0C, 0x18}));
    EXPECT_EQ(decoded.Pixel(1, 0), (Colour{0x84, 0x82, 0x84}));
    EXPECT_EQ(decoded.Pixel(2, 0), (Colour{0xFF, 0xFF, 0xFF}));
}

// bfOffBits 0: the pixels follow the colour table, as long as biClrUsed makes it.
TEST(BmpReader, AZeroPixelOffsetMeansRightAfterTheColourTable) {
    const PixelBuffer picture = Pattern(5, 3, 8);
    for (const BmpForm form : {BmpForm{40, 8}, BmpForm{12, 4}, BmpForm{40, 24}, BmpForm{40, 16, 3, {0xF800, 0x07E0, 0x001F}}}) {
        std::string file = BuildBmp(picture, form);
        Poke32(file, 10, 0);
        EXPECT_EQ(Decode(file), picture) << form.headerSize << " " << form.bits;
    }
}

TEST(BmpReader, IndexesBeyondTheColourTableAreBlack) {
    const PixelBuffer picture = Pattern(4, 2, 2);
    std::string file = BuildBmp(picture, {40, 8});
    const std::size_t pixels = 14 + 40 + 2 * 4;
    file[pixels] = '\x07'; // bottom-left pixel: index 7 of a two-colour table
    const PixelBuffer decoded = Decode(file);
    EXPECT_EQ(decoded.Pixel(0, 1), (Colour{0, 0, 0}));
    EXPECT_EQ(decoded.Pixel(1, 1), picture.Pixel(1, 1));
}

TEST(BmpReader, ATableLongerThanTheBitsAllowIsCutToThem) {
    std::string file = BuildBmp(Pattern(4, 2, 2), {40, 1});
    Poke32(file, 46, 1000); // biClrUsed
    EXPECT_EQ(Decode(file), Pattern(4, 2, 2));
}

TEST(BmpReader, TheLastRowMayLackItsPadding) {
    const PixelBuffer picture = Pattern(5, 2, 8);
    const std::string file = EncodeBmp(picture);
    EXPECT_EQ(Decode(file.substr(0, file.size() - 1)), picture);
    EXPECT_THROW(Decode(file.substr(0, file.size() - 2)), EBitmapError);
}

// Headers damaged one field at a time; each must give EBitmapError naming the file.
TEST(BmpReader, RejectsInvalidBitmaps) {
    const std::string good = BuildBmp(Pattern(6, 4, 8), {40, 24});
    const std::string masked = BuildBmp(Pattern(6, 4, 8), {40, 16, 3, {0xF800, 0x07E0, 0x001F}});
    struct Case {
        const char* what;
        std::string data;
    };
    std::vector<Case> cases;
    const auto damaged = [&](const char* what, const std::string& base, const std::function<void(std::string&)>& change) {
        std::string data = base;
        change(data);
        cases.push_back({what, data});
    };
    damaged("signature", good, [](std::string& d) { d[0] = 'X'; });
    damaged("header size 64", good, [](std::string& d) { Poke32(d, 14, 64); });
    damaged("header size 0", good, [](std::string& d) { Poke32(d, 14, 0); });
    damaged("header size huge", good, [](std::string& d) { Poke32(d, 14, 0xFFFFFFF0); });
    damaged("zero width", good, [](std::string& d) { Poke32(d, 18, 0); });
    damaged("negative width", good, [](std::string& d) { Poke32(d, 18, 0xFFFFFFFA); });
    damaged("zero height", good, [](std::string& d) { Poke32(d, 22, 0); });
    damaged("lowest height", good, [](std::string& d) { Poke32(d, 22, 0x80000000); });
    damaged("two planes", good, [](std::string& d) { Poke16(d, 26, 2); });
    damaged("2 bits", good, [](std::string& d) { Poke16(d, 28, 2); });
    damaged("0 bits", good, [](std::string& d) { Poke16(d, 28, 0); });
    damaged("48 bits", good, [](std::string& d) { Poke16(d, 28, 48); });
    damaged("RLE8 at 24 bits", good, [](std::string& d) { Poke32(d, 30, 1); });
    damaged("RLE4 at 24 bits", good, [](std::string& d) { Poke32(d, 30, 2); });
    damaged("JPEG inside", good, [](std::string& d) { Poke32(d, 30, 4); });
    damaged("bit fields at 24 bits", good, [](std::string& d) { Poke32(d, 30, 3); });
    damaged("empty mask", masked, [](std::string& d) { Poke32(d, 54, 0); });
    damaged("broken mask", masked, [](std::string& d) { Poke32(d, 54, 0xF00F); });
    damaged("overlapping masks", masked, [](std::string& d) { Poke32(d, 58, 0x0FE0); });
    damaged("mask beyond 16 bits", masked, [](std::string& d) { Poke32(d, 54, 0x1F0000); });
    damaged("offset inside the header", good, [](std::string& d) { Poke32(d, 10, 20); });
    damaged("offset beyond the file", good, [](std::string& d) { Poke32(d, 10, 0xFFFFFF00); });
    damaged("too many pixels", good, [](std::string& d) { Poke32(d, 18, 100000), Poke32(d, 22, 100000); });
    damaged("more rows than data", good, [](std::string& d) { Poke32(d, 22, 5); });
    cases.push_back({"masks missing (as ImageMagick wrote it)", ReadSample("rgb565-no-masks.bmp")});
    for (const auto& [what, data] : cases) {
        try {
            Decode(data);
            ADD_FAILURE() << what << ": accepted";
        } catch (const EBitmapError& error) {
            EXPECT_NE(std::string(error.what()).find("Bitmap image test.bmp is not valid: "), std::string::npos)
                << what << ": " << error.what();
        }
    }
}

TEST(BmpReader, EveryTruncationIsRejected) {
    for (const BmpForm form : {BmpForm{40, 8}, BmpForm{12, 4}, BmpForm{124, 32, 3, {0xFF0000, 0xFF00, 0xFF}}}) {
        const std::string file = BuildBmp(Pattern(8, 3, 8), form);
        for (std::size_t length = 0; length < file.size(); ++length) {
            EXPECT_THROW(Decode(file.substr(0, length)), EBitmapError) << form.headerSize << " cut at " << length;
        }
    }
}

} // namespace
} // namespace corvane::imaging
