#include <gtest/gtest.h>

#include "imaging/JpegDecoder.h"
#include "support/ImageSamples.h"

namespace corvane::imaging {
namespace {

using testing::LargestDifference;
using testing::ReadPnm;
using testing::ReadSample;

PixelBuffer Decode(const std::string& data) { return DecodeJpeg(data, "test.jpg"); }

// The position of a marker (0xFF, code) in a JPEG file.
std::size_t FindMarker(const std::string& file, unsigned char code) {
    const std::size_t at = file.find(std::string{'\xFF', static_cast<char>(code)});
    if (at == std::string::npos) throw std::runtime_error("marker not found");
    return at;
}

// The pictures must equal what libjpeg's own djpeg made of the same files.
TEST(JpegDecoder, DecodesLikeDjpeg) {
    const std::pair<const char*, const char*> cases[] = {
        {"photo.jpg", "photo.ppm"},             // baseline, 4:2:0
        {"progressive.jpg", "progressive.ppm"}, // progressive
        {"arithmetic.jpg", "arithmetic.ppm"},   // arithmetic coding
        {"gray.jpg", "gray.pgm"},               // one component
        {"odd.jpg", "odd.ppm"},                 // 37 x 23, 2:1 sampling, restart markers
    };
    for (const auto& [jpeg, reference] : cases) {
        EXPECT_EQ(Decode(ReadSample(jpeg)), ReadPnm(ReadSample(reference))) << jpeg;
    }
}

// ImageMagick writes CMYK files in Adobe's inverted form with an Adobe marker.
TEST(JpegDecoder, TurnsAdobeCmykIntoColour) {
    const PixelBuffer picture = Decode(ReadSample("cmyk.jpg"));
    EXPECT_LE(LargestDifference(picture, ReadPnm(ReadSample("source.ppm"))), 24);
}

TEST(JpegDecoder, StrayBytesBetweenSegmentsAreHarmless) {
    std::string file = ReadSample("photo.jpg");
    file.insert(FindMarker(file, 0xDB), "\x12\x34\x56");
    EXPECT_EQ(Decode(file), ReadPnm(ReadSample("photo.ppm")));
}

void ExpectError(const std::string& data, const std::string& message, const std::string& what) {
    try {
        Decode(data);
        ADD_FAILURE() << what << ": accepted";
    } catch (const EJpegError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot decode JPEG image test.jpg: " + message) << what;
    }
}

TEST(JpegDecoder, CarriesLibjpegsMessage) {
    std::string huge = ReadSample("photo.jpg");
    const std::size_t frame = FindMarker(huge, 0xC0);
    huge[frame + 5] = huge[frame + 7] = '\xFD'; // 65000 x 65000
    huge[frame + 6] = huge[frame + 8] = '\xE8';
    std::string noFrame = ReadSample("photo.jpg");
    noFrame[FindMarker(noFrame, 0xC0) + 1] = '\xC3'; // lossless: not supported
    const std::tuple<const char*, std::string, std::string> cases[] = {
        {"empty", "", "Empty input file"},
        {"PNG", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR", "Not a JPEG file: starts with 0x89 0x50"},
        {"GIF", ReadSample("interlaced.gif"), "Not a JPEG file: starts with 0x47 0x49"},
        {"header only", ReadSample("photo.jpg").substr(0, 300), "Premature end of JPEG file"},
        {"huge", huge, "its 65000 x 65000 pixels exceed the limit of 67108864"},
        {"lossless", noFrame, "Unsupported JPEG process: SOF type 0xc3"},
    };
    for (const auto& [what, data, message] : cases) ExpectError(data, message, what);
}

// A cut anywhere gives EJpegError, never a grey-filled picture or a crash.
TEST(JpegDecoder, EveryTruncationIsAnError) {
    for (const char* name : {"photo.jpg", "progressive.jpg", "gray.jpg", "cmyk.jpg", "arithmetic.jpg"}) {
        const std::string file = ReadSample(name);
        for (std::size_t length = 0; length < file.size(); length += 7) {
            EXPECT_THROW(Decode(file.substr(0, length)), EJpegError) << name << " cut at " << length;
        }
        EXPECT_THROW(Decode(file.substr(0, file.size() - 2)), EJpegError) << name << " without its end marker";
    }
}

// Damaged bytes anywhere give a picture or EJpegError; nothing else may happen.
TEST(JpegDecoder, SurvivesDamageAnywhere) {
    const std::string file = ReadSample("progressive.jpg");
    int errors = 0;
    for (std::size_t at = 2; at < file.size(); at += 3) {
        std::string damaged = file;
        damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
        try {
            const PixelBuffer picture = Decode(damaged);
            EXPECT_FALSE(picture.Empty());
        } catch (const EJpegError&) {
            ++errors;
        }
    }
    EXPECT_GT(errors, 0);
}

} // namespace
} // namespace corvane::imaging
