// The "execshell (var[, path, params])" statement: starts the default shell, or a named
// program, as the system shell without the chooser window.
#pragma once

#include <string>

#include "script/scrObjAncestor.h"

namespace corvane {

class TscrObjExecShell final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override;

    // The shell setting as it was read just before the switch; written back after the pause.
    std::string PreviousShell;
};

} // namespace corvane
