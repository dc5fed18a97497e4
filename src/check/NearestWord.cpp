#include "check/NearestWord.h"

#include <algorithm>

#include "text/AsciiText.h"

namespace corvane {

// Optimal string alignment distance over three rows, with a cut-off for texts far apart.
std::size_t EditDistance(std::string_view a, std::string_view b, std::size_t limit) {
    const std::size_t lengthGap = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    if (lengthGap > limit) return limit + 1;
    std::vector<std::size_t> rows(3 * (b.size() + 1));
    std::size_t* before = rows.data();
    std::size_t* previous = before + b.size() + 1;
    std::size_t* current = previous + b.size() + 1;
    for (std::size_t j = 0; j <= b.size(); ++j) previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = i;
        std::size_t rowBest = current[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const bool same = AsciiLower(a[i - 1]) == AsciiLower(b[j - 1]);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && AsciiLower(a[i - 1]) == AsciiLower(b[j - 2]) &&
                AsciiLower(a[i - 2]) == AsciiLower(b[j - 1])) {
                current[j] = std::min(current[j], before[j - 2] + 1);
            }
            rowBest = std::min(rowBest, current[j]);
        }
        if (rowBest > limit) return limit + 1;
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return std::min(previous[b.size()], limit + 1);
}

std::optional<std::string> NearestWord(std::string_view word, const std::vector<std::string>& words) {
    constexpr std::size_t LongestWord = 64; // longer names are no slips of the keyboard
    if (word.size() > LongestWord) return std::nullopt;
    std::optional<std::string> nearest;
    std::size_t best = 0;
    for (const std::string& candidate : words) {
        if (SameTextAscii(word, candidate)) return std::nullopt;
        const std::size_t allowed = candidate.size() <= 4 ? 1 : 2;
        const std::size_t distance = EditDistance(word, candidate, allowed);
        if (distance <= allowed && (!nearest || distance < best)) {
            nearest = candidate;
            best = distance;
        }
    }
    return nearest;
}

} // namespace corvane
