// The vocabulary of the script language as the script engine sees it: per statement its
// keyword, its syntax and help texts, how many arguments it reads, whether it opens or closes
// a block, and how its statement object is made. The statements' own layer fills the table
// and hands it down; the parser asks it whether a word is a keyword, the factory asks it to
// make a statement.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "text/StringList.h"

namespace corvane {

class TCorvaneInfo;
class TStringVariables;
class TscrObjAncestor;

// Makes the statement object of one statement line (see TscrObjAncestor's constructor).
using TStatementMaker = std::unique_ptr<TscrObjAncestor> (*)(const TStringList& args, TCorvaneInfo* info,
                                                             TStringVariables& vars, int index);

// Statements that pair like parentheses: one that opens a block (its object is a TscrObjBlock)
// and one that closes the nearest open block before it.
enum class TBlockRole { None, Opens, Closes };

struct TCommandInfo {
    std::string_view Keyword; // lower case
    std::string_view Syntax;  // the statement's form, such as "copy (src, dst)"
    std::string_view Help;    // one line on what it does
    int Arguments = 0;        // how many arguments the statement reads when it runs
    TBlockRole Block = TBlockRole::None;
    TStatementMaker Create = nullptr;
};

class TCommandTable {
public:
    explicit TCommandTable(std::vector<TCommandInfo> commands) : Commands_(std::move(commands)) {}

    // The command whose keyword is exactly word; null when word is no keyword.
    const TCommandInfo* Find(std::string_view word) const;
    // Every command in the order of the table.
    const std::vector<TCommandInfo>& Commands() const { return Commands_; }

private:
    std::vector<TCommandInfo> Commands_;
};

} // namespace corvane
