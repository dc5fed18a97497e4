// The drawing surface over a device context: a window's client area while it paints, or a
// list row while the list draws it. Work bitmaps are 32-bit top-down DIB sections whose rows
// the program addresses directly.
#pragma once

#include <windows.h>

#include "platform/Canvas.h"
#include "platform/win32/Win32Gdi.h"

namespace corvane::platform::win32 {

class Win32Canvas final : public Canvas {
public:
    // Draws on dc (not owned) starting with font, with font sizes made into pixels at dpi; the
    // dc's own font and text colour are put back when the canvas ends.
    Win32Canvas(HDC dc, const TFont& font, int dpi);
    ~Win32Canvas() override;
    Win32Canvas(const Win32Canvas&) = delete;
    Win32Canvas& operator=(const Win32Canvas&) = delete;

    void PaintDesktop() override;
    void FrameRect(const TRect& rect, TColor pen) override;
    void FillRect(const TRect& rect, TColor colour) override;
    void Line(TPoint from, TPoint to, TColor pen) override;
    std::unique_ptr<WorkBitmap> CopyToBitmap(const TRect& area) override;
    void CopyFromBitmap(WorkBitmap& bitmap, const TRect& area) override;
    const TFont& Font() const override { return Font_; }
    void SetFont(const TFont& font) override;
    int TextWidth(const std::string& text) override;
    int TextHeight() override;
    void TextOut(int x, int y, const std::string& text) override;
    std::uintptr_t Handle() override { return reinterpret_cast<std::uintptr_t>(Dc_); }

    // The character height of a font of size points at dpi, as CreateFont takes it.
    static int FontHeight(int points, int dpi);

private:
    HDC Dc_;
    int Dpi_;
    TFont Font_;
    GdiObject<HFONT> FontObject_;
    HGDIOBJ OriginalFont_ = nullptr;
    COLORREF OriginalTextColour_;
    int OriginalBkMode_;
};

} // namespace corvane::platform::win32
