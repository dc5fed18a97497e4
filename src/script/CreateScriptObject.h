// The statement factory: turns the statement list into the run list of statement objects,
// linked in script order, every block-opening statement ("ifeq") paired with the statement
// that closes it ("end"), all sharing the one variable table that the factory owns.
#pragma once

#include <memory>
#include <vector>

#include "script/CommandTable.h"
#include "script/ParseScript.h"
#include "script/StringVariables.h"
#include "script/scrObjAncestor.h"

namespace corvane {

class TCreateScriptObject {
public:
    // Takes the statement list over, keeps the two references and creates the run's variable
    // table. The statements that MakeList creates refer to the list's arguments and to the
    // table, so the factory outlives them.
    TCreateScriptObject(TStatementList statements, TCorvaneInfo* info, const TCommandTable& commands);
    TCreateScriptObject(const TCreateScriptObject&) = delete;
    TCreateScriptObject& operator=(const TCreateScriptObject&) = delete;

    // The first statement of the run list (the caller owns the list), or null for an empty
    // statement list. A closing statement without an open block raises EListError(-1).
    std::unique_ptr<TscrObjAncestor> MakeList();

    // How the statements' blocks pair, as parentheses pair: for each statement the index of the
    // statement that closes its block (for one that opens a block) or that opened the block it
    // closes (for one that closes a block); -1 for an opening statement that nothing closes, a
    // closing statement with no block open, and any other statement.
    static std::vector<int> PairBlocks(const TStatementList& statements, const TCommandTable& commands);

    // The statement object of a keyword with the factory's variables; null for a word that
    // is no keyword.
    std::unique_ptr<TscrObjAncestor> Create(const std::string& keyword, const TStringList& args, int index);

    const TStatementList Statements;
    TCorvaneInfo* Info;
    const TCommandTable& Commands;

    // The variable table shared by every statement that the factory creates.
    TStringVariables& Variables() { return Variables_; }

private:
    TStringVariables Variables_;
};

} // namespace corvane
