// Run-length encoded bitmaps: the shared table of hand-made files (each instruction and each
// kind of damage, with the pictures the system reads), cut files, and ImageMagick's files.
#include <gtest/gtest.h>

#include "imaging/BmpFile.h"
#include "shared/RleCases.h"
#include "support/ImageSamples.h"

namespace corvane::imaging {
namespace {

using namespace rle_table;
using testing::ReadPnm;
using testing::ReadSample;

PixelBuffer Decode(const std::string& data) { return DecodeBmp(data, "test.bmp"); }

// The rows of a picture as the table's letters.
std::vector<std::string> Letters(const PixelBuffer& picture) {
    std::vector<std::string> rows;
    for (std::uint32_t y = 0; y < picture.Height(); ++y) {
        std::string row;
        for (std::uint32_t x = 0; x < picture.Width(); ++x) {
            const Colour c = picture.Pixel(x, y);
            row += Letter({c.red, c.green, c.blue});
        }
        rows.push_back(row);
    }
    return rows;
}

TEST(BmpRunLength, ReadsTheTableAsTheSystemDoesAndRejectsItsDamage) {
    for (const RleCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        if (!c.picture.empty()) {
            EXPECT_EQ(Letters(Decode(File(c))), c.picture);
            continue;
        }
        try {
            Decode(File(c));
            ADD_FAILURE() << "accepted";
        } catch (const EBitmapError& error) {
            EXPECT_EQ(std::string(error.what()), "Bitmap image test.bmp is not valid: " + c.error);
        }
    }
}

// Cut anywhere, a file is damaged, except right after its last line's end: then only the
// end mark is missing and the picture is whole. Half an end mark is a cut instruction.
TEST(BmpRunLength, EveryCutIsAnErrorButTheOneBeforeTheEndMark) {
    const std::string& eol = EndOfLine;
    for (const std::uint16_t bits : {std::uint16_t{8}, std::uint16_t{4}}) {
        RleCase c;
        c.bits = bits;
        c.runs = rle_table::Run(6, 1) + eol + Absolute(bits, {1, 2, 3}) + rle_table::Run(3, 2) + eol + rle_table::Run(2, 3) +
                 Move(1, 0) + rle_table::Run(3, 4) + eol;
        const std::string whole = File(c);
        c.runs += EndOfBitmap;
        const std::string file = File(c);
        const PixelBuffer picture = Decode(file);
        for (std::size_t length = 0; length < file.size(); ++length) {
            if (length == whole.size()) {
                EXPECT_EQ(Decode(file.substr(0, length)), picture) << bits << " bits";
            } else {
                EXPECT_THROW(Decode(file.substr(0, length)), EBitmapError) << bits << " bits, cut at " << length;
            }
        }
    }
}

// ImageMagick compresses the padded line: at an odd width each line's last run passes the
// picture's edge.
TEST(BmpRunLength, ReadsImageMagicksFiles) {
    const PixelBuffer expected = ReadPnm(ReadSample("rle8.ppm"));
    EXPECT_EQ(Decode(ReadSample("rle8.bmp")), expected);
    EXPECT_EQ(Decode(ReadSample("rle8-v5.bmp")), expected);
}

} // namespace
} // namespace corvane::imaging
