#include "script/ParseScript.h"

#include <algorithm>

#include "script/editconsts.h"

namespace corvane {

namespace {

constexpr char Quote = '"';
constexpr char Comma = ',';

// A blank in argument text: codes 1 to 32.
bool IsBlank(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 0x20;
}

// Lower-cases 'A'..'Z' only, whatever the locale.
std::string AsciiLower(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}

// quoted-argument: '"' { char | '""' } [ '"' ]
// Reads from the opening quote at pos; leaves pos after the closing quote or at the end.
std::string ReadQuoted(std::string_view text, std::size_t& pos) {
    std::string value;
    ++pos; // the opening quote
    while (pos < text.size()) {
        const char c = text[pos++];
        if (c != Quote) {
            value += c;
        } else if (pos < text.size() && text[pos] == Quote) {
            value += Quote; // a doubled quote stands for one
            ++pos;
        } else {
            return value; // the closing quote
        }
    }
    return value; // never closed: the rest of the text
}

void SkipBlanks(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && IsBlank(text[pos])) {
        ++pos;
    }
}

} // namespace

TParseScript::TParseScript(TStringList& lines) : Lines(lines) {}

bool TParseScript::IsKeywordChar(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 0x41 && code <= 0x7A;
}

bool TParseScript::IsKeyword(std::string_view word) {
    return std::find(editconsts::Keywords.begin(), editconsts::Keywords.end(), word) !=
           editconsts::Keywords.end();
}

// The argument text: with o and c the positions (from 1) of the first open and the first
// close character, 0 when absent, the c - o - 1 characters after position o; empty when
// that count is not positive. So a close without an open gives everything before it.
std::string TParseScript::ExtractBetween(std::string_view line, char open, char close) {
    const std::size_t openAt = line.find(open);
    const std::size_t closeAt = line.find(close);
    const long long o = openAt == std::string_view::npos ? 0 : static_cast<long long>(openAt) + 1;
    const long long c = closeAt == std::string_view::npos ? 0 : static_cast<long long>(closeAt) + 1;
    const long long count = c - o - 1;
    if (count <= 0) {
        return {};
    }
    return std::string(line.substr(static_cast<std::size_t>(o), static_cast<std::size_t>(count)));
}

// arguments: blanks { ( quoted-argument | plain-argument ) blanks [ ',' blanks ] }
// A plain argument runs to the first blank or comma; a comma that ends the text adds one more
// empty argument. Text after a NUL character is not part of the arguments.
TStringList TParseScript::SplitCommaText(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    TStringList args;
    std::size_t pos = 0;
    SkipBlanks(text, pos);
    while (pos < text.size()) {
        if (text[pos] == Quote) {
            args.push_back(ReadQuoted(text, pos));
        } else {
            const std::size_t start = pos;
            while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != Comma) {
                ++pos;
            }
            args.emplace_back(text.substr(start, pos - start));
        }
        SkipBlanks(text, pos);
        if (pos < text.size() && text[pos] == Comma) {
            if (pos + 1 == text.size()) {
                args.emplace_back();
            }
            ++pos;
            SkipBlanks(text, pos);
        }
    }
    return args;
}

// statement-line: keyword-run [ text ] [ '(' argument-text ')' ] [ text ]
void TParseScript::ParseLine(std::string& line, TStatementList& statements) {
    const auto firstKept = std::find_if(line.begin(), line.end(), [](char c) {
        return static_cast<unsigned char>(c) > 0x20;
    });
    line.erase(line.begin(), firstKept);

    const auto runEnd = std::find_if_not(line.begin(), line.end(), IsKeywordChar);
    if (runEnd == line.begin()) {
        return; // blank line or comment
    }
    std::string keyword = AsciiLower(std::string_view(line.data(), static_cast<std::size_t>(runEnd - line.begin())));
    if (!IsKeyword(keyword)) {
        return;
    }
    statements.push_back({std::move(keyword), SplitCommaText(ExtractBetween(line))});
}

TStatementList& TParseScript::Parse() {
    Statements = std::make_unique<TStatementList>();
    for (std::string& line : Lines) {
        ParseLine(line, *Statements);
    }
    return *Statements;
}

} // namespace corvane
