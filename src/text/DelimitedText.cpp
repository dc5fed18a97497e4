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
void ReadQuoted(std::string_view text, std::size_t& pos, char quote, TDelimitedField& field) {
    field.Quoted = true;
    field.Closed = false;
    ++pos; // the opening quote
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c != quote) {
            field.Text += c;
        } else if (pos < text.size() && text[pos] == quote) {
            field.Text += quote;
            ++pos;
        } else {
            field.Closed = true;
            return;
        }
    }
    // never closed: the rest of the text
}

} // namespace

std::vector<TDelimitedField> SplitDelimitedFields(std::string_view text, char delimiter, char quote) {
    text = text.substr(0, text.find('\0'));
    std::vector<TDelimitedField> fields;
    std::size_t pos = 0;
    SkipBlanks(text, pos);
    while (pos < text.size()) {
        TDelimitedField field;
        field.Start = pos;
        if (text[pos] == quote) {
            ReadQuoted(text, pos, quote, field);
        } else {
            while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != delimiter) {
                ++pos;
            }
            field.Text = std::string(text.substr(field.Start, pos - field.Start));
        }
        field.End = pos;
        fields.push_back(std::move(field));
        SkipBlanks(text, pos);
        if (pos < text.size() && text[pos] == delimiter) {
            if (pos + 1 == text.size()) {
                TDelimitedField last;
                last.Start = last.End = text.size();
                fields.push_back(std::move(last));
            }
            ++pos;
            SkipBlanks(text, pos);
        }
    }
    return fields;
}

std::vector<std::string> SplitDelimitedText(std::string_view text, char delimiter, char quote) {
    std::vector<std::string> values;
    for (TDelimitedField& field : SplitDelimitedFields(text, delimiter, quote)) {
        values.push_back(std::move(field.Text));
    }
    return values;
}

std::string JoinedText(const std::vector<std::string>& items, std::string_view separator) {
    std::string text;
    for (const std::string& item : items) {
        if (!text.empty()) text += separator;
        text += item;
    }
    return text;
}

} // namespace corvane
