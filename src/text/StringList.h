// A list of texts in order, such as a script's lines or a statement's arguments.
#pragma once

#include <string>
#include <vector>

namespace corvane {

using TStringList = std::vector<std::string>;

} // namespace corvane
