// A drawing surface: a window's client area while it paints, or one row of a list while the
// list draws it. Text is always written with a transparent background. Font sizes are points,
// made into pixels at the DPI of the window's screen.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Graphics.h"

namespace corvane::platform {

struct TFont {
    std::string Name;
    int Size = 8; // points
    bool Bold = false;
    TColor Colour = clBlack;
    friend bool operator==(const TFont&, const TFont&) = default;
};

// A 32-bit work bitmap whose rows the program reads and writes directly.
class WorkBitmap {
public:
    virtual ~WorkBitmap() = default;
    virtual TPixelRows Pixels() = 0;
};

class Canvas {
public:
    virtual ~Canvas() = default;

    // Paints the desktop's wallpaper or pattern, aligned to the screen, over the whole surface.
    virtual void PaintDesktop() = 0;
    // A one-pixel outline just inside rect, with nothing filled.
    virtual void FrameRect(const TRect& rect, TColor pen) = 0;
    virtual void FillRect(const TRect& rect, TColor colour) = 0;
    // A one-pixel line; the end point is not drawn.
    virtual void Line(TPoint from, TPoint to, TColor pen) = 0;

    // A new work bitmap of the size of area, holding what the surface shows there.
    virtual std::unique_ptr<WorkBitmap> CopyToBitmap(const TRect& area) = 0;
    // Puts the work bitmap back onto the surface at area (of the bitmap's size).
    virtual void CopyFromBitmap(WorkBitmap& bitmap, const TRect& area) = 0;

    virtual const TFont& Font() const = 0;
    virtual void SetFont(const TFont& font) = 0;
    virtual int TextWidth(const std::string& text) = 0;
    // The height of a line of text in the current font (ascent, descent and inner leading).
    virtual int TextHeight() = 0;
    // Writes text with its top-left corner at (x, y) in the current font.
    virtual void TextOut(int x, int y, const std::string& text) = 0;

    // The platform's handle of the surface, for drawing that other components do on it.
    virtual std::uintptr_t Handle() = 0;
};

} // namespace corvane::platform
