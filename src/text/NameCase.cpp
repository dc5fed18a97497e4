#include "text/NameCase.h"

#include <cstdint>

#include "text/Utf.h"

namespace corvane {

namespace {

// The small letter of a capital; the code point itself for anything else.
std::uint32_t SmallLetter(std::uint32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c < 0xC0) return c;
    if (c <= 0xDE) return c == 0xD7 ? c : c + 0x20; // Latin-1, but the multiplication sign
    if (c >= 0x100 && c <= 0x17F) {                 // Latin Extended-A: capitals and small letters pair
        if (c == 0x130) return 'i';
        if (c == 0x178) return 0xFF;
        const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        return (c % 2 == 1) == oddCapitals ? c + 1 : c;
    }
    if (c >= 0x386 && c <= 0x3AB) { // Greek
        if (c == 0x386) return 0x3AC;
        if (c >= 0x388 && c <= 0x38A) return c + 0x25;
        if (c == 0x38C) return 0x3CC;
        if (c == 0x38E || c == 0x38F) return c + 0x3F;
        if (c >= 0x391 && c != 0x3A2) return c + 0x20;
        return c;
    }
    if (c == 0x3C2) return 0x3C3;                      // final sigma
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;     // Cyrillic
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;
    if (c >= 0x531 && c <= 0x556) return c + 0x30;     // Armenian
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 0x20;   // full-width Latin
    return c;
}

// The code point that starts at text[at] and its length; a byte that starts no well-formed
// sequence is taken alone, as itself.
std::uint32_t NextCodePoint(std::string_view text, std::size_t at, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[at]);
    length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (lead < 0x80 || at + length > text.size() || !IsValidUtf8(text.substr(at, length))) {
        length = 1;
        return lead;
    }
    std::uint32_t code = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (std::size_t k = 1; k < length; ++k) code = code << 6 | (static_cast<unsigned char>(text[at + k]) & 0x3F);
    return code;
}

} // namespace

std::string FoldNameCase(std::string_view text) {
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        std::size_t length = 1;
        const std::uint32_t code = NextCodePoint(text, at, length);
        if (length == 1 && code >= 0x80) {
            folded += text[at]; // not UTF-8: kept as it is
        } else {
            AppendUtf8(folded, SmallLetter(code));
        }
        at += length;
    }
    return folded;
}

int CompareNames(std::string_view a, std::string_view b) {
    const std::string x = FoldNameCase(a);
    const std::string y = FoldNameCase(b);
    return x < y ? -1 : (x == y ? 0 : 1);
}

} // namespace corvane
