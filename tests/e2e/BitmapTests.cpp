// Run-length encoded bitmaps read by the system's bitmap loader (LoadImageA with
// LR_CREATEDIBSECTION, then GetDIBits) and by the launcher's BMP reader side by side: the
// shared table of hand-made files (the native tests hold the reader to the table's pictures)
// and files that ImageMagick wrote at build time.
#include <gtest/gtest.h>

#include <fstream>

#include "Harness.h"
#include "imaging/BmpFile.h"
#include "shared/RleCases.h"

namespace {

// The reader's picture of a file, in the form the harness gives the system's.
e2e::Picture ReadersPicture(const std::string& content, const std::string& path) {
    const corvane::imaging::PixelBuffer picture = corvane::imaging::DecodeBmp(content, path);
    e2e::Picture result{static_cast<int>(picture.Width()), static_cast<int>(picture.Height()), {}};
    for (std::uint32_t y = 0; y < picture.Height(); ++y) {
        for (std::uint32_t x = 0; x < picture.Width(); ++x) {
            const auto c = picture.Pixel(x, y);
            result.pixels.push_back(std::uint32_t{c.red} << 16 | std::uint32_t{c.green} << 8 | c.blue);
        }
    }
    return result;
}

void ExpectTheSameReading(const std::string& path, const std::string& content) {
    const auto system = e2e::LoadBitmapFile(path);
    ASSERT_TRUE(system.has_value()) << "the system cannot load " << path;
    const e2e::Picture ours = ReadersPicture(content, path);
    EXPECT_EQ(ours.width, system->width);
    EXPECT_EQ(ours.height, system->height);
    EXPECT_TRUE(ours.pixels == system->pixels) << path;
}

TEST(RleBitmaps, TheSystemReadsTheTablesFilesAsTheReaderDoes) {
    const std::string folder = e2e::Config().runs + "\\rle-table";
    CreateDirectoryA(folder.c_str(), nullptr);
    int n = 0;
    for (const corvane::rle_table::RleCase& test : corvane::rle_table::Cases()) {
        if (test.picture.empty()) continue; // damage, which the system reads leniently
        SCOPED_TRACE(test.name);
        const std::string path = folder + "\\case" + std::to_string(++n) + ".bmp";
        const std::string content = corvane::rle_table::File(test);
        std::ofstream(path, std::ios::binary) << content;
        ExpectTheSameReading(path, content);
    }
}

TEST(RleBitmaps, TheSystemReadsImageMagicksFilesAsTheReaderDoes) {
    for (const char* name : {"Plasma-RLE8.bmp", "plasma-rle8-v5.bmp", "tiles-rle8.bmp"}) {
        const std::string path = e2e::Config().images + "\\" + name;
        std::ifstream in(path, std::ios::binary);
        const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_TRUE(content.size() > 54 && content[30] == 1) << path << " is no RLE8 bitmap";
        ExpectTheSameReading(path, content);
    }
}

} // namespace
