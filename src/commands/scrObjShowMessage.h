// The "showmessage (msg)" statement: shows a text and waits until the user dismisses it.
#pragma once

#include <vector>

#include "script/CommandTable.h"
#include "script/scrObjAncestor.h"

namespace corvane {

class TscrObjShowMessage final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override;

    // What too few arguments make the statement do (see TCommandInfo::CheckArguments).
    static std::vector<TArgumentProblem> CheckArguments(const TCommandInfo& command, const TStringList& args);
};

} // namespace corvane
