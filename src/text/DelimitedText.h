// Splitting a text into fields by a delimiter, with quoted fields: the rule shared by script
// arguments (comma and double quote), shell list entries (the same) and option values (bar
// and single quote).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// One field of a delimited text and where it stood in the text.
struct TDelimitedField {
    std::string Text;       // the field's value, quotes removed and doubled quotes made single
    std::size_t Start = 0;  // position of its first character (the opening quote of a quoted field)
    std::size_t End = 0;    // position just after its last character (after the closing quote)
    bool Quoted = false;    // it began with the quote character
    bool Closed = true;     // false for a quoted field whose closing quote is missing
};

// fields: blanks { ( quoted | plain ) blanks [ delimiter blanks ] }
// A blank is a character with a code from 1 to 32. A quoted field runs to the next quote that
// is not doubled ("" inside stands for one quote) or to the end; a plain field runs to the
// next blank or delimiter. A delimiter that ends the text adds one more empty field (it stands
// at the text's end). A NUL ends the text.
std::vector<TDelimitedField> SplitDelimitedFields(std::string_view text, char delimiter, char quote);
// The values of SplitDelimitedFields.
std::vector<std::string> SplitDelimitedText(std::string_view text, char delimiter, char quote);
// The items one after the other with separator between them: "Alt, Explorer".
std::string JoinedText(const std::vector<std::string>& items, std::string_view separator);

} // namespace corvane
