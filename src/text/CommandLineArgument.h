// One argument of a Windows command line, written so that the C runtime's split of the command
// line (and CommandLineToArgvW) gives it back unchanged.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

// In double quotes; a quote inside is \", and the backslashes before a quote (an inner one or
// the closing one) are doubled. An empty text becomes "".
std::string QuoteArgument(std::string_view text);

} // namespace corvane
