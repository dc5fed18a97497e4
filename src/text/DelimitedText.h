// Splitting a text into fields by a delimiter, with quoted fields: the rule shared by script
// arguments (comma and double quote) and option values (bar and single quote).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// fields: blanks { ( quoted | plain ) blanks [ delimiter blanks ] }
// A blank is a character with a code from 1 to 32. A quoted field runs to the next quote that
// is not doubled ("" inside stands for one quote) or to the end; a plain field runs to the
// next blank or delimiter. A delimiter that ends the text adds one more empty field. A NUL
// ends the text.
std::vector<std::string> SplitDelimitedText(std::string_view text, char delimiter, char quote);

} // namespace corvane
