#include "platform/win32/Win32Text.h"

#include <windows.h>

#include "platform/Errors.h"

namespace corvane::platform::win32 {

namespace {

// Zero flags replace what cannot be converted with U+FFFD.
std::string ToUtf8(std::wstring_view text, DWORD flags) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, flags, text.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

} // namespace

std::wstring Wide(std::string_view text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) throw EEncodingError("The text \"" + std::string(text) + "\" is no UTF-8");
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return wide;
}

std::string Utf8(std::wstring_view text, std::string_view what) {
    if (text.empty()) return {};
    std::string utf8 = ToUtf8(text, WC_ERR_INVALID_CHARS);
    if (utf8.empty()) {
        throw EEncodingError(std::string(what) + " holds a character that cannot be converted (an unpaired surrogate): " +
                             Utf8Shown(text));
    }
    return utf8;
}

std::string Utf8Shown(std::wstring_view text) { return ToUtf8(text, 0); }

// Every byte of the code page has its character in UTF-16, so nothing is replaced.
std::string LegacyToUtf8(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), length);
    return Utf8Shown(wide);
}

} // namespace corvane::platform::win32
