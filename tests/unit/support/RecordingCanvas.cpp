#include "support/RecordingCanvas.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace corvane::testing {

namespace {

class MemoryBitmap : public platform::WorkBitmap {
public:
    MemoryBitmap(int width, int height) : Width(width), Height(height), Bits(static_cast<std::size_t>(width) * height * 4) {}
    TPixelRows Pixels() override { return {Bits.data(), Width, Height, static_cast<std::ptrdiff_t>(Width) * 4}; }
    int Width;
    int Height;
    std::vector<std::uint8_t> Bits;
};

} // namespace

std::string Describe(const TRect& rect) {
    return std::to_string(rect.Left) + "," + std::to_string(rect.Top) + "-" + std::to_string(rect.Right) + "," +
           std::to_string(rect.Bottom);
}

std::string Describe(TColor colour) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(colour));
    return text;
}

RecordingCanvas::RecordingCanvas(int width, int height, platform::TFont font, TColor desktop, int dpi)
    : Width_(width), Height_(height), Dpi_(dpi), Desktop_(desktop), Bits_(static_cast<std::size_t>(width) * height * 4),
      Font_(std::move(font)) {}

TColor RecordingCanvas::Pixel(int x, int y) const {
    const std::uint8_t* p = Bits_.data() + (static_cast<std::size_t>(y) * Width_ + x) * 4;
    return RgbColour(p[2], p[1], p[0]);
}

void RecordingCanvas::SetPixel(int x, int y, TColor colour) {
    if (x < 0 || y < 0 || x >= Width_ || y >= Height_) return;
    std::uint8_t* p = Bits_.data() + (static_cast<std::size_t>(y) * Width_ + x) * 4;
    p[0] = static_cast<std::uint8_t>(colour >> 16);
    p[1] = static_cast<std::uint8_t>(colour >> 8);
    p[2] = static_cast<std::uint8_t>(colour);
}

std::vector<std::string> RecordingCanvas::CallsStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const auto& call : calls) {
        if (call.rfind(prefix, 0) == 0) found.push_back(call);
    }
    return found;
}

void RecordingCanvas::PaintDesktop() {
    calls.push_back("PaintDesktop");
    for (int y = 0; y < Height_; ++y) {
        for (int x = 0; x < Width_; ++x) SetPixel(x, y, Desktop_);
    }
}

void RecordingCanvas::FrameRect(const TRect& rect, TColor pen) {
    calls.push_back("Frame " + Describe(rect) + " " + Describe(pen));
    for (int x = rect.Left; x < rect.Right; ++x) {
        SetPixel(x, rect.Top, pen);
        SetPixel(x, rect.Bottom - 1, pen);
    }
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        SetPixel(rect.Left, y, pen);
        SetPixel(rect.Right - 1, y, pen);
    }
}

void RecordingCanvas::FillRect(const TRect& rect, TColor colour) {
    calls.push_back("Fill " + Describe(rect) + " " + Describe(colour));
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        for (int x = rect.Left; x < rect.Right; ++x) SetPixel(x, y, colour);
    }
}

void RecordingCanvas::Line(TPoint from, TPoint to, TColor pen) {
    calls.push_back("Line " + Describe(TRect{from.X, from.Y, to.X, to.Y}) + " " + Describe(pen));
}

std::unique_ptr<platform::WorkBitmap> RecordingCanvas::CopyToBitmap(const TRect& area) {
    calls.push_back("CopyTo " + Describe(area));
    if (area.Left < 0 || area.Top < 0 || area.Right > Width_ || area.Bottom > Height_) {
        throw std::out_of_range("copy outside the surface: " + Describe(area));
    }
    auto bitmap = std::make_unique<MemoryBitmap>(area.Width(), area.Height());
    for (int y = 0; y < area.Height(); ++y) {
        std::memcpy(bitmap->Bits.data() + static_cast<std::size_t>(y) * area.Width() * 4,
                    Bits_.data() + (static_cast<std::size_t>(area.Top + y) * Width_ + area.Left) * 4,
                    static_cast<std::size_t>(area.Width()) * 4);
    }
    return bitmap;
}

void RecordingCanvas::CopyFromBitmap(platform::WorkBitmap& work, const TRect& area) {
    calls.push_back("CopyFrom " + Describe(area));
    auto& bitmap = dynamic_cast<MemoryBitmap&>(work);
    if (bitmap.Width != area.Width() || bitmap.Height != area.Height()) {
        throw std::invalid_argument("bitmap and area differ in size: " + Describe(area));
    }
    for (int y = 0; y < area.Height(); ++y) {
        std::memcpy(Bits_.data() + (static_cast<std::size_t>(area.Top + y) * Width_ + area.Left) * 4,
                    bitmap.Bits.data() + static_cast<std::size_t>(y) * area.Width() * 4,
                    static_cast<std::size_t>(area.Width()) * 4);
    }
}

void RecordingCanvas::SetFont(const platform::TFont& font) {
    calls.push_back("Font " + font.Name + " " + std::to_string(font.Size) + (font.Bold ? " bold " : " regular ") +
                    Describe(font.Colour));
    Font_ = font;
}

int RecordingCanvas::TextWidth(const std::string& text) {
    return static_cast<int>(text.size()) * DpiScale(Font_.Size, Dpi_);
}

int RecordingCanvas::TextHeight() { return DpiScale(2 * Font_.Size, Dpi_); }

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
    calls.push_back("Text " + std::to_string(x) + "," + std::to_string(y) + " " + text);
}

} // namespace corvane::testing
