// The letter case of names (shells, variables, settings files) as a portable stand-in for the
// system's comparison, where corvane-check and the unit tests run: the simple lower case of
// the Latin, Greek, Cyrillic and Armenian letters and of the full-width Latin ones. Windows
// itself compares through CompareStringEx, which knows every script; what is not listed here
// compares exactly.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// The UTF-8 text with every capital of the scripts above made small; a byte that is no part of
// well-formed UTF-8 stays as it is.
std::string FoldNameCase(std::string_view text);
// Compares two names, ignoring their letter case: negative, zero or positive, by the code points
// of their folded forms.
int CompareNames(std::string_view a, std::string_view b);

} // namespace corvane
