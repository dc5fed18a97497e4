#include "script/ParseScript.h"

#include <algorithm>

#include "text/AsciiText.h"
#include "text/DelimitedText.h"

namespace corvane {

namespace {

constexpr char ArgumentDelimiter = ',';

// Where the argument text that starts at pos ends: at the first close character that does not
// stand inside a double-quoted argument, read as the comma-text rule reads the arguments. A
// quote opens an argument only where an argument begins; inside an argument that begins
// otherwise it is an ordinary character. In a quoted argument that is never closed, the first
// close character after its quote counts. npos when no close character counts.
std::size_t FindArgumentsClose(std::string_view line, std::size_t pos, char close, char quote) {
    while (pos < line.size()) {
        const char c = line[pos];
        if (IsBlank(c) || c == ArgumentDelimiter) {
            ++pos;
        } else if (c == close) {
            return pos;
        } else if (c == quote) {
            std::size_t end = pos + 1;
            for (;;) {
                end = line.find(quote, end);
                if (end == std::string_view::npos) return line.find(close, pos + 1); // never closed
                if (end + 1 < line.size() && line[end + 1] == quote) {
                    end += 2; // a doubled quote stands for one
                } else {
                    break;
                }
            }
            pos = end + 1;
        } else {
            while (pos < line.size() && !IsBlank(line[pos]) && line[pos] != ArgumentDelimiter) {
                if (line[pos] == close) return pos;
                ++pos;
            }
        }
    }
    return std::string_view::npos;
}

} // namespace

TParseScript::TParseScript(TStringList& lines, const TCommandTable& commands) : Lines(lines), Commands(commands) {}

bool TParseScript::IsKeywordChar(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 0x41 && code <= 0x7A;
}

bool TParseScript::IsKeyword(std::string_view word) const { return Commands.Find(word) != nullptr; }

std::string_view TParseScript::TrimLeft(std::string_view line) {
    const auto firstKept = std::find_if(line.begin(), line.end(), [](char c) {
        return static_cast<unsigned char>(c) > 0x20;
    });
    line.remove_prefix(static_cast<std::size_t>(firstKept - line.begin()));
    return line;
}

std::string_view TParseScript::KeywordRun(std::string_view line) {
    line = TrimLeft(line);
    const auto runEnd = std::find_if_not(line.begin(), line.end(), IsKeywordChar);
    return line.substr(0, static_cast<std::size_t>(runEnd - line.begin()));
}

// The argument text: with o the position (from 1) of the first open character and c the
// position of the close character that ends the arguments, each 0 when absent, the c - o - 1
// characters after position o; empty when that count is not positive. The close character
// that ends the arguments is the first one that does not stand inside a double-quoted
// argument, so that a quoted path such as "C:\Program Files (x86)\App\app.exe" stays whole;
// in unquoted text that is the first close character, as it always was. Before the first
// open character (or without one) the first close character counts: a close without an open
// gives everything before it.
std::string TParseScript::ExtractBetween(std::string_view line, char open, char close, char quote) {
    const std::size_t openAt = line.find(open);
    std::size_t closeAt = line.find(close);
    if (openAt != std::string_view::npos && closeAt != std::string_view::npos && closeAt > openAt) {
        closeAt = FindArgumentsClose(line, openAt + 1, close, quote);
    }
    const long long o = openAt == std::string_view::npos ? 0 : static_cast<long long>(openAt) + 1;
    const long long c = closeAt == std::string_view::npos ? 0 : static_cast<long long>(closeAt) + 1;
    const long long count = c - o - 1;
    if (count <= 0) {
        return {};
    }
    return std::string(line.substr(static_cast<std::size_t>(o), static_cast<std::size_t>(count)));
}

// Arguments are separated by commas or blanks; double quotes enclose an argument that holds them.
TStringList TParseScript::SplitCommaText(std::string_view text) { return SplitDelimitedText(text, ArgumentDelimiter, '"'); }

// statement-line: keyword-run [ text ] [ '(' argument-text ')' ] [ text ]
void TParseScript::ParseLine(std::string& line, int lineNumber, TStatementList& statements) const {
    line.erase(0, line.size() - TrimLeft(line).size());
    const std::string_view run = KeywordRun(line);
    if (run.empty()) {
        return; // blank line or comment
    }
    std::string keyword = AsciiLowerCase(run);
    if (!IsKeyword(keyword)) {
        return;
    }
    statements.push_back({std::move(keyword), SplitCommaText(ExtractBetween(line)), lineNumber});
}

TStatementList TParseScript::Parse() {
    TStatementList statements;
    int lineNumber = 0;
    for (std::string& line : Lines) {
        ParseLine(line, ++lineNumber, statements);
    }
    return statements;
}

} // namespace corvane
