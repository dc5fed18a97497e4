// The "exec" statement. Starts a program with parameters and a working directory.
#pragma once

#include <string>

#include "script/scrObjAncestor.h"

namespace corvane {

class TscrObjExec final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override;
};

} // namespace corvane
