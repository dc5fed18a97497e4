#include "ui/Colours.h"

#include <algorithm>

#include "platform/Platform.h"

namespace corvane {

TRgb ResolveColour(TColor colour) {
    const std::uint32_t value =
        colour < 0 ? platform::System().SysColor(colour & 0xFF) : static_cast<std::uint32_t>(colour);
    return {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>((value >> 8) & 0xFF),
            static_cast<std::uint8_t>((value >> 16) & 0xFF)};
}

int ClampPercent(std::int64_t percent) { return static_cast<int>(std::clamp<std::int64_t>(percent, 0, 100)); }

namespace {

std::uint8_t Darken(std::uint8_t channel, int percent) {
    return static_cast<std::uint8_t>(channel - MulDiv(channel, percent, 100));
}

std::uint8_t Lighten(std::uint8_t channel, int percent) {
    return static_cast<std::uint8_t>(channel + MulDiv(255 - channel, percent, 100));
}

} // namespace

TColor DarkenColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue, int percent) {
    const int p = ClampPercent(percent);
    return RgbColour(Darken(red, p), Darken(green, p), Darken(blue, p));
}

TColor LightenColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue, int percent) {
    const int p = ClampPercent(percent);
    return RgbColour(Lighten(red, p), Lighten(green, p), Lighten(blue, p));
}

TColor ContrastColour(TColor colour, int percent) {
    constexpr int LightThreshold = 135;
    const TRgb rgb = ResolveColour(colour);
    if (rgb.Red > LightThreshold || rgb.Green > LightThreshold || rgb.Blue > LightThreshold) {
        return DarkenColour(rgb.Red, rgb.Green, rgb.Blue, percent);
    }
    return LightenColour(rgb.Red, rgb.Green, rgb.Blue, percent);
}

namespace {

// The tint's arithmetic, one byte at a time, with a pattern that repeats every pixel: the tint's
// share per channel (0 for the fourth byte) plus the byte times its weight (0 for the fourth
// byte). Both terms and their sum stay below 256 * 256, so 16 bits hold them.
struct TTintPattern {
    static constexpr std::size_t Block = 16; // bytes per step: four pixels
    std::uint16_t Share[Block];
    std::uint16_t Weight[Block];
};

TTintPattern MakePattern(const TRgb& tint, std::uint16_t weight) {
    const auto inverse = static_cast<std::uint16_t>(255 - weight);
    const std::uint16_t share[4] = {static_cast<std::uint16_t>(tint.Blue * inverse),
                                    static_cast<std::uint16_t>(tint.Green * inverse),
                                    static_cast<std::uint16_t>(tint.Red * inverse), 0};
    TTintPattern pattern{};
    for (std::size_t i = 0; i < TTintPattern::Block; ++i) {
        pattern.Share[i] = share[i % 4];
        pattern.Weight[i] = i % 4 == 3 ? 0 : weight;
    }
    return pattern;
}

inline std::uint8_t TintByte(std::uint8_t value, std::uint16_t share, std::uint16_t weight) {
    return static_cast<std::uint8_t>(static_cast<std::uint16_t>(share + value * weight) >> 8);
}

// One row of pixels: whole blocks of four pixels first, written so that the compiler maps each
// block onto 16-bit vector lanes, then the pixels left over.
void TintRow(std::uint8_t* row, std::size_t pixels, const TTintPattern& pattern) {
    const std::size_t bytes = pixels * 4;
    std::size_t i = 0;
    for (; i + TTintPattern::Block <= bytes; i += TTintPattern::Block) {
        std::uint8_t* block = row + i;
        for (std::size_t j = 0; j < TTintPattern::Block; ++j) {
            block[j] = TintByte(block[j], pattern.Share[j], pattern.Weight[j]);
        }
    }
    for (; i < bytes; ++i) row[i] = TintByte(row[i], pattern.Share[i % 4], pattern.Weight[i % 4]);
}

} // namespace

std::int32_t ClampTintWeight(std::int32_t weight) { return std::clamp<std::int32_t>(weight, 0, 255); }

void TintBitmap(const TPixelRows& bitmap, TColor colour, std::int32_t weight) {
    const auto w = static_cast<std::uint16_t>(ClampTintWeight(weight));
    const TTintPattern pattern = MakePattern(ResolveColour(colour), w);
    if (bitmap.Bits == nullptr || bitmap.Width <= 0) return;
    for (int y = 0; y < bitmap.Height; ++y) {
        TintRow(bitmap.Row(y), static_cast<std::size_t>(bitmap.Width), pattern);
    }
}

} // namespace corvane
