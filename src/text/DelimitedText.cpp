#include "text/DelimitedText.h"

#include "text/AsciiText.h"

namespace corvane {

namespace {

void SkipBlanks(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
}

// quoted: quote { char | quote quote } [ quote ]
std::string ReadQuoted(std::string_view text, std::size_t& pos, char quote) {
    std::string value;
    ++pos; // the opening quote
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c != quote) {
            value += c;
        } else if (pos < text.size() && text[pos] == quote) {
            value += quote;
            ++pos;
        } else {
            return value;
        }
    }
    return value; // never closed: the rest of the text
}

} // namespace

std::vector<std::string> SplitDelimitedText(std::string_view text, char delimiter, char quote) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string> fields;
    std::size_t pos = 0;
    SkipBlanks(text, pos);
    while (pos < text.size()) {
        if (text[pos] == quote) {
            fields.push_back(ReadQuoted(text, pos, quote));
        } else {
            const std::size_t start = pos;
            while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != delimiter) {
                ++pos;
            }
            fields.emplace_back(text.substr(start, pos - start));
        }
        SkipBlanks(text, pos);
        if (pos < text.size() && text[pos] == delimiter) {
            if (pos + 1 == text.size()) {
                fields.emplace_back();
            }
            ++pos;
            SkipBlanks(text, pos);
        }
    }
    return fields;
}

} // namespace corvane
