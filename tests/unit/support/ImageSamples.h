// Sample pictures for the imaging tests: the files beside the tests, reference pictures in
// PNM form, and small GIF and BMP files built here field by field, so that every form and
// every kind of damage can be made on purpose.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "imaging/PixelBuffer.h"

namespace corvane::testing {

using imaging::Colour;
using imaging::PixelBuffer;

// The content of tests/unit/data/images/<name>.
std::string ReadSample(const std::string& name);
// A binary PGM (P5) or PPM (P6) file with 8-bit samples, as djpeg and ImageMagick write them.
PixelBuffer ReadPnm(std::string_view data);
// A picture painted by colourAt(x, y).
PixelBuffer MakePicture(std::uint32_t width, std::uint32_t height, const std::function<Colour(std::uint32_t, std::uint32_t)>& colourAt);
// The largest difference of one channel between two pictures of the same size.
int LargestDifference(const PixelBuffer& a, const PixelBuffer& b);

// --- GIF ---------------------------------------------------------------------------------

// LZW data made only of literal codes (no compression), framed like an encoder would: a clear
// code first, then the indexes with the code size growing as the decoder's table grows, a
// clear code after every clearEvery literals (0: never, so the table fills up) and the end code.
std::string LiteralCodes(const std::vector<std::uint8_t>& indexes, unsigned minCodeSize, std::size_t clearEvery);
// Codes of the given sizes packed least significant bit first.
std::string PackCodes(const std::vector<std::pair<unsigned, unsigned>>& codesAndSizes);
// Data split into sub-blocks of at most 255 bytes, with the terminating empty block.
std::string SubBlocks(std::string_view data);

struct GifLayout {
    std::string signature = "GIF89a";
    std::uint16_t screenWidth = 4, screenHeight = 3;
    std::vector<Colour> globalTable; // 2, 4, ... 256 entries, or none
    std::uint8_t background = 0;
    std::optional<std::uint8_t> transparent; // adds a graphic control extension
    std::uint16_t left = 0, top = 0, width = 4, height = 3;
    bool interlaced = false;
    std::vector<Colour> localTable;
    unsigned minCodeSize = 2;
    std::vector<std::uint8_t> indexes; // in the order of the data stream
    std::optional<std::string> codes;   // the LZW data, instead of LiteralCodes(indexes)
};
// The header, screen descriptor and colour table, extensions, the image, the trailer.
std::string BuildGif(const GifLayout& gif);

// --- BMP ---------------------------------------------------------------------------------

struct BmpForm {
    std::uint32_t headerSize = 40; // 12, 40, 52, 56, 108 or 124
    std::uint16_t bits = 24;
    std::uint32_t compression = 0; // 0 BI_RGB, 3 BI_BITFIELDS
    std::array<std::uint32_t, 3> masks{}; // red, green, blue (BI_BITFIELDS)
    bool topDown = false;
};
// A BMP file of the picture in the given form. Indexed forms take the picture's colours as
// their colour table, in order of first appearance.
std::string BuildBmp(const PixelBuffer& picture, const BmpForm& form);

// Writes a little-endian number into data at offset (for damaging headers).
void Poke16(std::string& data, std::size_t offset, std::uint16_t value);
void Poke32(std::string& data, std::size_t offset, std::uint32_t value);

} // namespace corvane::testing
