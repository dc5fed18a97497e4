// Letter case of the launcher's texts: only the letters A to Z and a to z have a case here,
// whatever the user's locale, as in the script's keywords, ifeq's comparison, the shell list's
// True and False, and the file name tests of the wallpaper conversion.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The text with A-Z turned into a-z; every other character unchanged.
std::string AsciiLowerCase(std::string_view text);
// Equal length, and equal characters once A-Z and a-z are taken as the same letters.
bool SameTextAscii(std::string_view a, std::string_view b);

} // namespace corvane
