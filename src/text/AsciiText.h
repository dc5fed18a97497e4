// Characters and letter case of the launcher's texts, the same on every system and in every
// locale: only the letters A to Z and a to z have a case, as in the script's keywords, ifeq's
// comparison, the shell list's True and False, the names of INI sections and keys, and the file
// name tests of the wallpaper conversion.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// A blank of the launcher's splitters and trimmers: a character with a code from 1 to 32
// (space, tab and the other control characters). NUL is not a blank: it ends a text.
constexpr bool IsBlank(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 0x20;
}

// White space as the C library's isspace gives it in the "C" locale: tab, LF, VT, FF, CR and space.
constexpr bool IsWhiteSpace(char c) { return (c >= '\t' && c <= '\r') || c == ' '; }

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The text with A-Z turned into a-z; every other character unchanged.
std::string AsciiLowerCase(std::string_view text);
// Equal length, and equal characters once A-Z and a-z are taken as the same letters.
bool SameTextAscii(std::string_view a, std::string_view b);

// The text between double quotes, as messages show a path or a value.
std::string Quoted(std::string_view text);

} // namespace corvane
