#include "platform/win32/Win32Canvas.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Errors.h"

namespace corvane::platform::win32 {

namespace {

constexpr int LargestFontHeight = 16384; // far beyond any screen; keeps CreateFont's input sane

// A 32-bit top-down DIB section selected into a memory DC of its own.
class Win32WorkBitmap final : public WorkBitmap {
public:
    Win32WorkBitmap(HDC compatibleWith, int width, int height) : Dc_(compatibleWith), Width_(width), Height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top-down: row 0 is the top row
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        Bitmap_.Reset(CreateDIBSection(compatibleWith, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!Bitmap_ || bits == nullptr || Dc_.Get() == nullptr) {
            throw EOSError(GetLastError(), "Cannot create a work bitmap of " + std::to_string(width) + " x " +
                                               std::to_string(height) + " pixels");
        }
        Bits_ = static_cast<std::uint8_t*>(bits);
        Selection_.emplace(Dc_.Get(), Bitmap_.Get());
    }

    TPixelRows Pixels() override {
        GdiFlush(); // GDI may still be writing into the bits
        return {Bits_, Width_, Height_, static_cast<std::ptrdiff_t>(Width_) * 4};
    }
    HDC Dc() const { return Dc_.Get(); }
    int Width() const { return Width_; }
    int Height() const { return Height_; }

private:
    MemoryDc Dc_;
    GdiObject<HBITMAP> Bitmap_;
    std::optional<SelectedObject> Selection_; // ends before the bitmap is deleted
    std::uint8_t* Bits_ = nullptr;
    int Width_;
    int Height_;
};

} // namespace

Win32Canvas::Win32Canvas(HDC dc, const TFont& font, int dpi)
    : Dc_(dc), Dpi_(dpi), OriginalTextColour_(GetTextColor(dc)), OriginalBkMode_(GetBkMode(dc)) {
    OriginalFont_ = GetCurrentObject(dc, OBJ_FONT);
    SetBkMode(dc, TRANSPARENT);
    SetFont(font);
}

Win32Canvas::~Win32Canvas() {
    if (OriginalFont_ != nullptr) SelectObject(Dc_, OriginalFont_);
    SetTextColor(Dc_, OriginalTextColour_);
    SetBkMode(Dc_, OriginalBkMode_);
}

// The size is made into pixels at 96 pixels per inch first and then scaled like every other
// measure, so that the window's own fonts, given in pixels, and fonts given in points agree.
int Win32Canvas::FontHeight(int points, int dpi) {
    const int height = DpiScale(PointsToPixels96(std::clamp(points, -LargestFontHeight, LargestFontHeight)), dpi);
    return -std::clamp(height, -LargestFontHeight, LargestFontHeight);
}

void Win32Canvas::PaintDesktop() { ::PaintDesktop(Dc_); }

void Win32Canvas::FrameRect(const TRect& rect, TColor pen) {
    GdiObject<HPEN> penObject(CreatePen(PS_SOLID, 1, ToColorRef(pen)));
    SelectedObject selectedPen(Dc_, penObject.Get());
    SelectedObject hollowBrush(Dc_, GetStockObject(NULL_BRUSH));
    Rectangle(Dc_, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void Win32Canvas::FillRect(const TRect& rect, TColor colour) {
    GdiObject<HBRUSH> brush(CreateSolidBrush(ToColorRef(colour)));
    const RECT area{rect.Left, rect.Top, rect.Right, rect.Bottom};
    if (brush) ::FillRect(Dc_, &area, brush.Get());
}

void Win32Canvas::Line(TPoint from, TPoint to, TColor pen) {
    GdiObject<HPEN> penObject(CreatePen(PS_SOLID, 1, ToColorRef(pen)));
    SelectedObject selectedPen(Dc_, penObject.Get());
    MoveToEx(Dc_, from.X, from.Y, nullptr);
    LineTo(Dc_, to.X, to.Y);
}

std::unique_ptr<WorkBitmap> Win32Canvas::CopyToBitmap(const TRect& area) {
    auto bitmap = std::make_unique<Win32WorkBitmap>(Dc_, area.Width(), area.Height());
    BitBlt(bitmap->Dc(), 0, 0, area.Width(), area.Height(), Dc_, area.Left, area.Top, SRCCOPY);
    return bitmap;
}

void Win32Canvas::CopyFromBitmap(WorkBitmap& bitmap, const TRect& area) {
    auto& work = dynamic_cast<Win32WorkBitmap&>(bitmap);
    GdiFlush();
    BitBlt(Dc_, area.Left, area.Top, std::min(area.Width(), work.Width()), std::min(area.Height(), work.Height()),
           work.Dc(), 0, 0, SRCCOPY);
}

// A font the system cannot create leaves the previous one in place.
void Win32Canvas::SetFont(const TFont& font) {
    GdiObject<HFONT> created = CreateUiFont(font.Name, FontHeight(font.Size, Dpi_), font.Bold);
    if (created) {
        const HGDIOBJ previous = SelectObject(Dc_, created.Get());
        if (previous != nullptr && previous != HGDI_ERROR) {
            FontObject_ = std::move(created); // the previous font, now deselected, is deleted here
        }
    }
    SetTextColor(Dc_, ToColorRef(font.Colour));
    Font_ = font;
}

int Win32Canvas::TextWidth(const std::string& text) {
    const std::wstring wide = Wide(text);
    SIZE size{};
    if (!GetTextExtentPoint32W(Dc_, wide.data(), static_cast<int>(wide.size()), &size)) return 0;
    return size.cx;
}

int Win32Canvas::TextHeight() {
    TEXTMETRICW metrics{};
    return GetTextMetricsW(Dc_, &metrics) ? metrics.tmHeight : 0;
}

// The colour and the transparent background are set again each time: other calls on the same
// device context (PaintDesktop among them) may have changed them.
void Win32Canvas::TextOut(int x, int y, const std::string& text) {
    SetTextColor(Dc_, ToColorRef(Font_.Colour));
    SetBkMode(Dc_, TRANSPARENT);
    const std::wstring wide = Wide(text);
    ::TextOutW(Dc_, x, y, wide.data(), static_cast<int>(wide.size()));
}

} // namespace corvane::platform::win32
