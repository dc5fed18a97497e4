// The statement factory: turns the statement list into the run list of statement objects,
// linked in script order, every "ifeq" paired with the "end" that closes it, all sharing one
// variable table.
#pragma once

#include <memory>

#include "script/ParseScript.h"
#include "script/StringVariables.h"
#include "script/scrObjAncestor.h"

namespace corvane {

class TCreateScriptObject {
public:
    // Keeps both references; creates the run's shared variable table.
    TCreateScriptObject(const TStatementList& statements, TCorvaneInfo* info);

    // The first statement of the run list (the caller owns the list), or null for an empty
    // statement list. An "end" without an open "ifeq" raises EListError(-1).
    std::unique_ptr<TscrObjAncestor> MakeList();

    // Creates the statement object of a keyword; null for a word that is no keyword.
    static std::unique_ptr<TscrObjAncestor> Create(const std::string& keyword, const TStringList& args,
                                                   TCorvaneInfo* info, TStringVariables& vars, int index);

    const TStatementList& Statements;
    TCorvaneInfo* Info;

    // The variable table shared by every statement that MakeList creates.
    TStringVariables& Variables();
};

} // namespace corvane
