#include "text/WesternCodePage.h"

#include <cstdint>

#include "text/Utf.h"

namespace corvane {

namespace {
// 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::uint16_t High[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

std::string WesternToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        AppendUtf8(text, code >= 0x80 && code < 0xA0 ? High[code - 0x80] : code);
    }
    return text;
}

std::string WesternFromUtf8(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::uint32_t code = NextCodePoint(text, i);
        char byte = '?';
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            byte = static_cast<char>(code);
        } else {
            for (std::uint32_t k = 0; k < 32; ++k) {
                if (High[k] == code) byte = static_cast<char>(0x80 + k);
            }
        }
        bytes += byte;
    }
    return bytes;
}

} // namespace corvane
