#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "support/FakePlatform.h"
#include "ui/Colours.h"

namespace corvane {
namespace {

TEST(MulDiv, RoundsToNearestWithHalvesAwayFromZero) {
    struct Case {
        std::int32_t number, numerator, denominator, expected;
    };
    const Case cases[] = {
        {255, 10, 100, 26},   {255, 20, 100, 51},    {136, 20, 100, 27},   {120, 20, 100, 24},
        {-255, 10, 100, -26}, {255, 10, -100, -26}, {-255, -10, 100, 26}, {2, 1, 3, 1}, {5, 1, 0, -1},
        {0x7FFFFFFF, 2, 1, -1}, {0x7FFFFFFF, 2, 2, 0x7FFFFFFF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
            << c.number << " * " << c.numerator << " / " << c.denominator;
    }
}

TEST(ContrastColour, MovesDarkColoursTowardsWhiteAndLightOnesTowardsBlack) {
    testing::FakePlatform fake;
    struct Case {
        TColor colour;
        int percent;
        TColor expected;
    };
    const Case cases[] = {
        {clBlack, 20, RgbColour(51, 51, 51)},              // title and list of the default scheme
        {clBlack, 10, RgbColour(26, 26, 26)},              // rows of the default scheme
        {RgbColour(136, 0, 0), 20, RgbColour(109, 0, 0)},  // one channel above 135 counts as light
        {RgbColour(135, 135, 135), 20, RgbColour(159, 159, 159)},
        {RgbColour(0, 0, 136), 50, RgbColour(0, 0, 68)},
        {RgbColour(0xFF, 0x80, 0x00), 20, RgbColour(204, 102, 0)},
        {RgbColour(51, 51, 51), 100, clWhite},
        {RgbColour(135, 135, 135), 100, clWhite},
        {RgbColour(136, 255, 255), 100, clBlack},
        {RgbColour(200, 10, 90), 0, RgbColour(200, 10, 90)},
        // Percentages outside 0 to 100 are clamped, so every channel stays a byte.
        {clBlack, 150, clWhite},
        {clWhite, 1000, clBlack},
        {RgbColour(10, 20, 30), -40, RgbColour(10, 20, 30)},
        // Bits above blue are not part of the colour.
        {0x01000000 | RgbColour(0, 0, 0), 20, RgbColour(51, 51, 51)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ContrastColour(c.colour, c.percent), c.expected) << std::hex << c.colour << " " << std::dec << c.percent;
    }
}

TEST(ContrastColour, ResolvesSystemColoursByTheirLowestByte) {
    testing::FakePlatform fake; // the fake system colour of index i is (i, i, i)
    const TColor systemColour200 = static_cast<TColor>(0x800000C8u);
    const TColor systemColour15 = static_cast<TColor>(0xFF00000Fu);
    EXPECT_EQ(ContrastColour(systemColour200, 50), RgbColour(100, 100, 100));
    EXPECT_EQ(ContrastColour(systemColour15, 100), clWhite);
    EXPECT_EQ(ResolveColour(systemColour200).Green, 200);
}

// A picture of width x height pixels stored with padding after each row, so that a routine
// writing past a row's pixels is caught.
struct Picture {
    static constexpr int Padding = 8;
    int width, height;
    std::vector<std::uint8_t> bytes;

    Picture(int w, int h, std::uint32_t seed) : width(w), height(h), bytes(static_cast<std::size_t>(Stride()) * h) {
        std::mt19937 random(seed);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    }
    int Stride() const { return width * 4 + Padding; }
    TPixelRows TopDown() { return {bytes.data(), width, height, Stride()}; }
    TPixelRows BottomUp() {
        return {bytes.data() + static_cast<std::ptrdiff_t>(Stride()) * (height - 1), width, height, -Stride()};
    }
};

// The tint as its formula states it, one pixel at a time.
std::vector<std::uint8_t> ReferenceTint(std::vector<std::uint8_t> bytes, int width, int height, int stride, TRgb tint,
                                        int weight) {
    const int w = std::clamp(weight, 0, 255);
    const int channel[3] = {tint.Blue, tint.Green, tint.Red};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = bytes.data() + y * stride + x * 4;
            for (int c = 0; c < 3; ++c) p[c] = static_cast<std::uint8_t>((channel[c] * (255 - w) + p[c] * w) >> 8);
            p[3] = 0;
        }
    }
    return bytes;
}

TEST(TintBitmap, FollowsTheFormulaForEveryPixelAndRowLayout) {
    testing::FakePlatform fake;
    const TRgb tint{30, 140, 250};
    for (int width : {1, 3, 4, 5, 7, 15, 16, 17, 33, 359}) {
        for (int weight : {-5, 0, 1, 127, 180, 254, 255, 300}) {
            for (bool bottomUp : {false, true}) {
                Picture picture(width, 3, static_cast<std::uint32_t>(width * 1000 + weight));
                const auto expected =
                    ReferenceTint(picture.bytes, width, 3, picture.Stride(), tint, weight);
                TintBitmap(bottomUp ? picture.BottomUp() : picture.TopDown(), RgbColour(30, 140, 250), weight);
                EXPECT_EQ(picture.bytes, expected) << "width " << width << " weight " << weight << " bottom-up " << bottomUp;
            }
        }
    }
}

TEST(TintBitmap, WorkedValues) {
    testing::FakePlatform fake;
    struct Case {
        std::uint8_t pixel;
        std::uint8_t tint;
        int weight;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {200, 0, 180, 140},   // (0 * 75 + 200 * 180) >> 8
        {255, 0, 180, 179},   // white desktop under the default scheme's body
        {255, 51, 180, 194},  // and under its title strip
        {255, 255, 0, 254},   // weight 0 keeps 255/256 of the tint
        {255, 0, 255, 254},   // weight 255 keeps 255/256 of the picture
        {255, 0, 300, 254},   // clamped to 255
        {0, 255, -5, 254},    // clamped to 0
    };
    for (const auto& c : cases) {
        std::uint8_t pixel[4] = {c.pixel, c.pixel, c.pixel, 0xAB};
        TintBitmap({pixel, 1, 1, 4}, RgbColour(c.tint, c.tint, c.tint), c.weight);
        EXPECT_EQ(pixel[0], c.expected) << int(c.pixel) << " under " << int(c.tint) << " weight " << c.weight;
        EXPECT_EQ(pixel[1], c.expected);
        EXPECT_EQ(pixel[2], c.expected);
        EXPECT_EQ(pixel[3], 0);
    }
}

} // namespace
} // namespace corvane
