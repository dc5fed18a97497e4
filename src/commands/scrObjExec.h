// The "exec" statement. Starts a program with parameters and a working directory.
#pragma once

#include <string>
#include <vector>

#include "script/CommandTable.h"
#include "script/scrObjAncestor.h"

namespace corvane {

class TscrObjExec final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override;

    // What too few arguments make the statement do (see TCommandInfo::CheckArguments).
    static std::vector<TArgumentProblem> CheckArguments(const TCommandInfo& command, const TStringList& args);
};

} // namespace corvane
