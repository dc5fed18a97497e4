// The legacy code page of Western Windows (1252) as a portable stand-in for the system's, where
// corvane-check and the unit tests read files that have no byte order mark.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The bytes of code page 1252 as UTF-8. The five codes that the code page leaves undefined give
// the control characters of the same number, as Windows' own conversion does.
std::string WesternToUtf8(std::string_view bytes);
// The UTF-8 text (well-formed) in code page 1252; a character that the code page lacks becomes
// "?", as the system's conversion writes it.
std::string WesternFromUtf8(std::string_view text);

} // namespace corvane
