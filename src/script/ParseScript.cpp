#include "script/ParseScript.h"

#include <algorithm>

#include "text/AsciiText.h"
#include "text/DelimitedText.h"

namespace corvane {

TParseScript::TParseScript(TStringList& lines, const TCommandTable& commands) : Lines(lines), Commands(commands) {}

bool TParseScript::IsKeywordChar(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 0x41 && code <= 0x7A;
}

bool TParseScript::IsKeyword(std::string_view word) const { return Commands.Find(word) != nullptr; }

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

// Arguments are separated by commas or blanks; double quotes enclose an argument that holds them.
TStringList TParseScript::SplitCommaText(std::string_view text) { return SplitDelimitedText(text, ',', '"'); }

// statement-line: keyword-run [ text ] [ '(' argument-text ')' ] [ text ]
void TParseScript::ParseLine(std::string& line, TStatementList& statements) const {
    const auto firstKept = std::find_if(line.begin(), line.end(), [](char c) {
        return static_cast<unsigned char>(c) > 0x20;
    });
    line.erase(line.begin(), firstKept);

    const auto runEnd = std::find_if_not(line.begin(), line.end(), IsKeywordChar);
    if (runEnd == line.begin()) {
        return; // blank line or comment
    }
    std::string keyword = AsciiLowerCase(std::string_view(line.data(), static_cast<std::size_t>(runEnd - line.begin())));
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
