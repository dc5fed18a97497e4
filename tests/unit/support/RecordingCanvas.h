// A drawing surface for unit tests: it keeps a real 32-bit picture (the "desktop" is one plain
// colour), so that tints and fills can be checked pixel by pixel, and records every call in a
// readable line ("Text 290,179 Launch", "CopyTo 0,30-359,245", ...).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Canvas.h"

namespace corvane::testing {

class RecordingCanvas : public platform::Canvas {
public:
    // The picture is width x height pixels; font sizes are made into pixels at dpi.
    RecordingCanvas(int width, int height, platform::TFont font, TColor desktop = clWhite, int dpi = 96);

    std::vector<std::string> calls;
    static constexpr std::uintptr_t FakeHandle = 0xC0FFEE;

    // The pixel at (x, y) as red, green and blue.
    TColor Pixel(int x, int y) const;
    // Calls that start with prefix, in order.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

    void PaintDesktop() override;
    void FrameRect(const TRect& rect, TColor pen) override;
    void FillRect(const TRect& rect, TColor colour) override;
    void Line(TPoint from, TPoint to, TColor pen) override;
    std::unique_ptr<platform::WorkBitmap> CopyToBitmap(const TRect& area) override;
    void CopyFromBitmap(platform::WorkBitmap& bitmap, const TRect& area) override;
    const platform::TFont& Font() const override { return Font_; }
    void SetFont(const platform::TFont& font) override;
    // At 96 pixels per inch each character is as wide as the font's size in points, and a line
    // is twice as high; both scale with the DPI.
    int TextWidth(const std::string& text) override;
    int TextHeight() override;
    void TextOut(int x, int y, const std::string& text) override;
    std::uintptr_t Handle() override { return FakeHandle; }

private:
    void SetPixel(int x, int y, TColor colour);

    int Width_;
    int Height_;
    int Dpi_;
    TColor Desktop_;
    std::vector<std::uint8_t> Bits_;
    platform::TFont Font_;
};

std::string Describe(const TRect& rect);
std::string Describe(TColor colour);

} // namespace corvane::testing
