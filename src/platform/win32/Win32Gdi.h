// Small owners of GDI objects and selections, so that every object is deselected and deleted
// on every path.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/Win32Text.h"
#include <utility>

#include "platform/Errors.h"
#include "platform/Graphics.h"

namespace corvane::platform::win32 {

// Owns one GDI object (pen, brush, font, bitmap) and deletes it.
template <typename Handle> class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : Handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : Handle_(std::exchange(other.Handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            Handle_ = std::exchange(other.Handle_, nullptr);
        }
        return *this;
    }

    Handle Get() const { return Handle_; }
    explicit operator bool() const { return Handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (Handle_ != nullptr) DeleteObject(Handle_);
        Handle_ = handle;
    }

private:
    Handle Handle_ = nullptr;
};

// Selects an object into a device context for the holder's lifetime.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : Dc_(dc), Previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (Previous_ != nullptr && Previous_ != HGDI_ERROR) SelectObject(Dc_, Previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC Dc_;
    HGDIOBJ Previous_;
};

// A memory device context, deleted with the holder.
class MemoryDc {
public:
    explicit MemoryDc(HDC compatibleWith) : Dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDc() {
        if (Dc_ != nullptr) DeleteDC(Dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC Get() const { return Dc_; }

private:
    HDC Dc_;
};

// Raises EOSError with the system's last error code.
[[noreturn]] inline void RaiseLastError(const std::string& what) { throw EOSError(GetLastError(), what); }

// A font of the given face and height (negative: character height in pixels), regular or bold.
inline GdiObject<HFONT> CreateUiFont(const std::string& face, int height, bool bold) {
    return GdiObject<HFONT>(CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                        DEFAULT_PITCH | FF_DONTCARE, Wide(face).c_str()));
}

// A colour value as GDI takes it, system colours looked up.
inline COLORREF ToColorRef(TColor colour) {
    return colour < 0 ? GetSysColor(colour & 0xFF) : static_cast<COLORREF>(colour) & 0xFFFFFFu;
}

} // namespace corvane::platform::win32
