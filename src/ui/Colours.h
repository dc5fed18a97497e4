// The chooser's colour arithmetic: shades derived from the scheme's base colour, and the tint
// that lays a colour over a picture of the desktop. Portable; system colours are resolved
// through the platform.
#pragma once

#include <cstdint>

#include "platform/Graphics.h"

namespace corvane {

struct TRgb {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
};

// The red, green and blue of a colour value, system colours looked up first.
TRgb ResolveColour(TColor colour);

// A percentage for the colour routines: values outside 0 to 100 are moved to the nearer end.
int ClampPercent(std::int64_t percent);

// Each channel moved percent per cent of the way towards black (Darken) or white (Lighten).
TColor DarkenColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue, int percent);
TColor LightenColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue, int percent);
// Darkens the colour when one of its channels exceeds 135, lightens it otherwise.
TColor ContrastColour(TColor colour, int percent);

// The weight that TintBitmap uses for a weight: values outside 0 to 255 moved to the nearer end.
std::int32_t ClampTintWeight(std::int32_t weight);

// Lays colour over the picture: each channel becomes (C * (255 - W) + P * W) >> 8 with the tint
// channel C, the pixel's channel P and weight W clamped to 0..255; the fourth byte becomes 0.
void TintBitmap(const TPixelRows& bitmap, TColor colour, std::int32_t weight);

} // namespace corvane
