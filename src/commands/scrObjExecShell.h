// The "execshell (var[, path, params])" statement: starts the default shell, or a named
// program, as the system shell without the chooser window.
#pragma once

#include <string>
#include <vector>

#include "script/CommandTable.h"
#include "script/scrObjAncestor.h"

namespace corvane {

class TscrObjExecShell final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override;

    // What too few arguments make the statement do (see TCommandInfo::CheckArguments).
    static std::vector<TArgumentProblem> CheckArguments(const TCommandInfo& command, const TStringList& args);

    // The shell setting as it was read just before the switch; written back after the pause.
    std::string PreviousShell;
};

} // namespace corvane
