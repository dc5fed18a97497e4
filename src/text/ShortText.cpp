#include "text/ShortText.h"

#include <vector>

namespace corvane {

std::string ShortText(const std::string& text, std::size_t maxLines, std::size_t maxChars, const std::string& howToSeeAll) {
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    if (lines.size() <= 1 || (lines.size() <= maxLines && text.size() <= maxChars)) return text;

    // The last line always stays; the first lines fill what room is left.
    const std::string& last = lines.back();
    std::string shown;
    std::size_t kept = 0;
    while (kept + 1 < lines.size() && kept + 2 < maxLines &&
           shown.size() + lines[kept].size() + 1 + last.size() <= maxChars) {
        shown += lines[kept++] + '\n';
    }
    const std::size_t left = lines.size() - 1 - kept;
    return shown + "... " + std::to_string(left) + (left == 1 ? " more line" : " more lines") + " not shown here: " +
           howToSeeAll + '\n' + last + (text.back() == '\n' ? "\n" : "");
}

} // namespace corvane
