// Turns the script's lines into the statement list: one entry per line that starts with a
// keyword, holding the lower-case keyword and the line's arguments. Every other line is a
// comment and is dropped. The parser never fails on text.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "script/CommandTable.h"
#include "text/StringList.h"

namespace corvane {

// One recognised statement line.
struct TStatementEntry {
    std::string Keyword; // lower case, a keyword of the command table
    TStringList Args;    // in script order, possibly empty
};

// The statement list. Statement objects keep references to its argument lists, so it lives
// until the run ends and is never changed after Parse.
using TStatementList = std::vector<TStatementEntry>;

class TParseScript {
public:
    // Keeps both references; commands decides which words are keywords.
    TParseScript(TStringList& lines, const TCommandTable& commands);

    // Parses every line (rewriting each with its left-trimmed form) and returns the new list,
    // which replaces the result of an earlier call.
    TStatementList& Parse();

    // The script's lines; not owned.
    TStringList& Lines;
    const TCommandTable& Commands;
    // The result of the last Parse; null before the first.
    std::unique_ptr<TStatementList> Statements;

    // A character that may stand in a keyword: codes 0x41 ('A') to 0x7A ('z').
    static bool IsKeywordChar(char c);
    // True when word is exactly a keyword of the command table.
    bool IsKeyword(std::string_view word) const;
    // The text between the first open and the first close character of line (see the .cpp).
    static std::string ExtractBetween(std::string_view line, char open = '(', char close = ')');
    // Splits an argument text by commas and blanks, with double-quoted arguments.
    static TStringList SplitCommaText(std::string_view text);

private:
    void ParseLine(std::string& line, TStatementList& statements) const;
};

} // namespace corvane
