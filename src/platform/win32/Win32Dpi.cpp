#include "platform/win32/Win32Dpi.h"

#include "platform/win32/Win32Text.h"

namespace corvane::platform::win32 {

namespace {

constexpr int SmallestFittingHeight = 6; // pixels: below this a text is no longer readable

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunction = UINT(WINAPI*)();

// A function of user32, or null where this system has none of that name. (The detour through
// void (*)() is the one function pointer cast that compilers accept without a warning.)
template <typename Function> Function User32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

int SystemDpi() {
    static const GetDpiForSystemFunction getDpiForSystem = User32Function<GetDpiForSystemFunction>("GetDpiForSystem");
    if (getDpiForSystem != nullptr) return static_cast<int>(getDpiForSystem());
    const HDC screen = GetDC(nullptr);
    const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int TextWidthIn(HDC dc, HFONT font, const std::string& text) {
    SelectedObject selected(dc, font);
    const std::wstring wide = Wide(text);
    SIZE size{};
    if (!GetTextExtentPoint32W(dc, wide.data(), static_cast<int>(wide.size()), &size)) return 0;
    return size.cx;
}

} // namespace

int WindowDpi(HWND window) {
    static const GetDpiForWindowFunction getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

// Each try scales the height by the share of the width that the text may have; rounding may
// leave it a pixel too wide, so the next try goes at least one pixel lower.
GdiObject<HFONT> CreateFittingFont(HDC dc, const std::string& face, int height, bool bold, const std::string& text,
                                   int width) {
    GdiObject<HFONT> font = CreateUiFont(face, height, bold);
    int magnitude = height < 0 ? -height : height;
    while (font && dc != nullptr && magnitude > SmallestFittingHeight) {
        const int textWidth = TextWidthIn(dc, font.Get(), text);
        if (textWidth <= width || textWidth <= 0) break;
        const int scaled = static_cast<int>(static_cast<long long>(magnitude) * width / textWidth);
        magnitude = scaled < magnitude ? scaled : magnitude - 1;
        if (magnitude < SmallestFittingHeight) magnitude = SmallestFittingHeight;
        GdiObject<HFONT> smaller = CreateUiFont(face, height < 0 ? -magnitude : magnitude, bold);
        if (!smaller) break;
        font = std::move(smaller);
    }
    return font;
}

} // namespace corvane::platform::win32
