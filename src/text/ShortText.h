// Long texts cut down to what a message box can show on any screen.
#pragma once

#include <cstddef>
#include <string>

namespace corvane {

// The text as a message box can show it: its first lines while they stay within maxLines lines
// and maxChars characters, then a line that says how many lines were left out and how to see
// them (howToSeeAll), then the text's last line, which holds a summary in every report of this
// program. A text within both limits, or of one line, comes back as it is.
std::string ShortText(const std::string& text, std::size_t maxLines, std::size_t maxChars, const std::string& howToSeeAll);

} // namespace corvane
