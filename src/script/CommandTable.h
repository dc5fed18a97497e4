// The vocabulary of the script language as the script engine sees it: per statement its
// keyword, its syntax and help texts, how many arguments it reads, whether it opens or closes
// a block, how its statement object is made, and what it does with its arguments (which name
// a variable it sets or looks up, which it expands, what too few of them do). The statements'
// own layer fills the table and hands it down; the parser asks it whether a word is a keyword,
// the factory asks it to make a statement, the configuration checker what a line will do.
#pragma once

#include <memory>
#include <string>
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

struct TCommandInfo;

// What a statement line's arguments make the statement do when it runs, where that is not what
// the line means: an error when the run stops there or the statement can do nothing, else a
// warning. The text says it in the statement's own terms.
struct TArgumentProblem {
    bool Error = true;
    std::string Text;
};
// The problems of a statement line's argument count; none when the statement reads them all.
using TArgumentCheck = std::vector<TArgumentProblem> (*)(const TCommandInfo& command, const TStringList& args);

struct TCommandInfo {
    std::string_view Keyword; // lower case
    std::string_view Syntax;  // the statement's form, such as "copy (src, dst)"
    std::string_view Help;    // one line on what it does
    int Arguments = 0;        // how many arguments the statement reads when it runs
    TBlockRole Block = TBlockRole::None;
    TStatementMaker Create = nullptr;
    TArgumentCheck CheckArguments = nullptr; // null: any number of arguments works
    int SetsVariable = -1;                   // the argument that names the variable it stores, as written
    int LooksUpVariable = -1;                // the argument that names a variable it reads, as written
    unsigned Expanded = 0;                   // bit n: argument n has its $name$ references expanded
    int StartsProgram = -1;                  // the argument that names a program it starts

    bool Expands(int position) const { return position >= 0 && position < 32 && (Expanded >> position & 1u) != 0; }
};

// The problem of a line that gives fewer arguments than the statement reads: reading the
// argument at position stops the run with the argument list's index error; when names the
// condition under which the statement reads it ("when its program exists"), empty for always.
TArgumentProblem MissingArgument(const TCommandInfo& command, const TStringList& args, int position,
                                 std::string_view when = {});

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
