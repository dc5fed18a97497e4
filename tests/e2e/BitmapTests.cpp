// Run-length encoded bitmaps read by the system's bitmap loader (LoadImageA with
// LR_CREATEDIBSECTION, then GetDIBits) and by the launcher's BMP reader, side by side: the
// shared table of hand-made files, whose pictures the native tests check too, and files that
// ImageMagick wrote at build time.
#include <gtest/gtest.h>

#include <fstream>

#include "Harness.h"
#include "imaging/BmpFile.h"
#include "shared/RleCases.h"

namespace {

using corvane::imaging::PixelBuffer;

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The system's picture in the table's letters.
std::vector<std::string> Letters(const e2e::Picture& picture) {
    std::vector<std::string> rows;
    for (int y = 0; y < picture.height; ++y) {
        std::string row;
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t p = picture.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width) + x];
            row += corvane::rle_table::Letter({static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p)});
        }
        rows.push_back(row);
    }
    return rows;
}

// Where the reader's picture differs from the system's, or "" when it does not.
std::string Difference(const PixelBuffer& ours, const e2e::Picture& system) {
    if (static_cast<int>(ours.Width()) != system.width || static_cast<int>(ours.Height()) != system.height) {
        return "sizes differ: " + std::to_string(ours.Width()) + " x " + std::to_string(ours.Height()) + " against " +
               std::to_string(system.width) + " x " + std::to_string(system.height);
    }
    for (std::uint32_t y = 0; y < ours.Height(); ++y) {
        for (std::uint32_t x = 0; x < ours.Width(); ++x) {
            const auto c = ours.Pixel(x, y);
            const std::uint32_t mine = std::uint32_t{c.red} << 16 | std::uint32_t{c.green} << 8 | c.blue;
            if (mine != system.pixels[std::size_t{y} * ours.Width() + x]) {
                return "pixel " + std::to_string(x) + ", " + std::to_string(y) + " differs";
            }
        }
    }
    return "";
}

TEST(RleBitmaps, TheSystemReadsTheTablesPicturesAsTheReaderDoes) {
    const std::string folder = e2e::Config().runs + "\\rle-table";
    CreateDirectoryA(folder.c_str(), nullptr);
    int n = 0;
    for (const corvane::rle_table::RleCase& test : corvane::rle_table::Cases()) {
        if (test.picture.empty()) continue; // damage: the system's loader reads it leniently
        SCOPED_TRACE(test.name);
        const std::string path = folder + "\\case" + std::to_string(++n) + ".bmp";
        const std::string content = corvane::rle_table::File(test);
        std::ofstream(path, std::ios::binary) << content;
        const auto system = e2e::LoadBitmapFile(path);
        ASSERT_TRUE(system.has_value()) << "the system cannot load " << path;
        EXPECT_EQ(Letters(*system), test.picture);
        EXPECT_EQ(Difference(corvane::imaging::DecodeBmp(content, path), *system), "");
    }
}

TEST(RleBitmaps, TheSystemReadsImageMagicksFilesAsTheReaderDoes) {
    for (const char* name : {"Plasma-RLE8.bmp", "plasma-rle8-v5.bmp", "tiles-rle8.bmp"}) {
        SCOPED_TRACE(name);
        const std::string path = e2e::Config().images + "\\" + name;
        const std::string content = ReadBytes(path);
        ASSERT_GT(content.size(), 54u);
        EXPECT_EQ(content[30], 1) << "ImageMagick wrote no RLE8 bitmap";
        const auto system = e2e::LoadBitmapFile(path);
        ASSERT_TRUE(system.has_value()) << "the system cannot load " << path;
        EXPECT_EQ(Difference(corvane::imaging::DecodeBmp(content, path), *system), "");
    }
}

} // namespace
