// The DPI of the screen that shows a window, and fitting a text into a width by making its font
// smaller. GetDpiForWindow and GetDpiForSystem are looked up in user32 at run time: systems
// before Windows 10 (1607) lack them, and there the screen's DPI stands for every window.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/Win32Gdi.h"

namespace corvane::platform::win32 {

// The window's DPI (96 is 100 %); the system's DPI where the system cannot tell one window's.
int WindowDpi(HWND window);

// A font of face, bold or regular, whose character height is height (negative) or less, so that
// text is at most width pixels wide on dc; the height is lowered only as far as needed, and not
// below a few pixels. Null when the system cannot create a font.
GdiObject<HFONT> CreateFittingFont(HDC dc, const std::string& face, int height, bool bold, const std::string& text,
                                   int width);

} // namespace corvane::platform::win32
