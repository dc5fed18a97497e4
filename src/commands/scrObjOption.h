// The "option (var, prompt, values, default)" statement: asks the user to pick one of the
// values in the option prompt and stores the answer, or the default when the user cancels.
#pragma once

#include <vector>

#include "script/CommandTable.h"
#include "script/scrObjAncestor.h"

namespace corvane {

class TscrObjOption final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override;

    // What too few arguments make the statement do (see TCommandInfo::CheckArguments).
    static std::vector<TArgumentProblem> CheckArguments(const TCommandInfo& command, const TStringList& args);
};

} // namespace corvane
