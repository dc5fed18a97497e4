// The plain values that drawing works with: colours, points, rectangles and 32-bit pictures.
#pragma once

#include <cstddef>
#include <cstdint>

namespace corvane {

// A colour value: red in the lowest byte, then green, then blue; a negative value names the
// system colour whose index is its lowest byte.
using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSilver = 0xC0C0C0;

constexpr TColor RgbColour(int red, int green, int blue) { return red + green * 256 + blue * 65536; }

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// (Left, Top)-(Right, Bottom) in pixels; Right and Bottom are outside the rectangle.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

// number * numerator / denominator in 64 bits, rounded to the nearest integer with halves away
// from zero; -1 when the denominator is 0 or the result does not fit 32 bits (as the platform's
// MulDiv does).
std::int32_t MulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator);

// Designs are drawn at 96 pixels per inch; a measure of the design becomes
// MulDiv(measure, dpi, 96) pixels on a screen of dpi pixels per inch, so at 96 nothing changes.
constexpr int DesignDpi = 96;
int DpiScale(int measure96, int dpi);
TPoint DpiScale(TPoint point96, int dpi);
TRect DpiScale(const TRect& rect96, int dpi);
// The pixel height at 96 pixels per inch of a font of points points (1/72 inch).
int PointsToPixels96(int points);

// A 32-bit picture addressed row by row: each pixel is blue, green, red and a fourth byte, in
// this order in memory; Row(0) is the top row.
struct TPixelRows {
    std::uint8_t* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    std::ptrdiff_t Stride = 0; // bytes from one row to the next (negative for bottom-up storage)

    std::uint8_t* Row(int y) const { return Bits + Stride * y; }
};

} // namespace corvane
