// Which known word a misspelt one was probably meant to be, for the checker's suggestions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The number of single-character insertions, deletions, substitutions and swaps of two
// neighbours that turn a into b, letter case ignored (A-Z only); stops counting past limit
// and then returns limit + 1.
std::size_t EditDistance(std::string_view a, std::string_view b, std::size_t limit);

// The word of words nearest to word, when it is near enough to be a slip of the keyboard: one
// edit for words of up to four letters, two for longer ones. Nothing when no word is, when
// word is itself one of them (letter case ignored), or when word is longer than 64 characters.
std::optional<std::string> NearestWord(std::string_view word, const std::vector<std::string>& words);

} // namespace corvane
