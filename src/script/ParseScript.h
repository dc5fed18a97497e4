// Turns the script's lines into the statement list: one entry per line that starts with a
// keyword, holding the lower-case keyword and the line's arguments. Every other line is a
// comment and is dropped. The parser never fails on text.
#pragma once

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
    int Line = 0;        // the script line it stands on, counted from 1
};

// The statement list. Statement objects keep references to its argument lists: the factory
// that makes them owns the list, so it lives as long as they do and never changes under them.
using TStatementList = std::vector<TStatementEntry>;

class TParseScript {
public:
    // Keeps both references; commands decides which words are keywords.
    TParseScript(TStringList& lines, const TCommandTable& commands);

    // Parses every line (rewriting each with its left-trimmed form) and returns the statement
    // list; each call gives a list of its own.
    TStatementList Parse();

    // The script's lines; not owned.
    TStringList& Lines;
    const TCommandTable& Commands;

    // A character that may stand in a keyword: codes 0x41 ('A') to 0x7A ('z').
    static bool IsKeywordChar(char c);
    // The line without the characters of code 0x20 and below at its start.
    static std::string_view TrimLeft(std::string_view line);
    // The word that decides whether a line is a statement: the run of keyword characters at the
    // start of the left-trimmed line (empty for a blank line or a comment).
    static std::string_view KeywordRun(std::string_view line);
    // True when word is exactly a keyword of the command table.
    bool IsKeyword(std::string_view word) const;
    // The argument text: what stands between the first open character of line and the close
    // character that ends it, where a close character inside a double-quoted argument does not
    // count (see the .cpp).
    static std::string ExtractBetween(std::string_view line, char open = '(', char close = ')', char quote = '"');
    // Splits an argument text by commas and blanks, with double-quoted arguments.
    static TStringList SplitCommaText(std::string_view text);

private:
    void ParseLine(std::string& line, int lineNumber, TStatementList& statements) const;
};

} // namespace corvane
