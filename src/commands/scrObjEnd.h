// The "end" statement: closes the block of an "ifeq". It does nothing when it runs.
#pragma once

#include "script/scrObjAncestor.h"

namespace corvane {

class TscrObjEnd final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override {}
};

} // namespace corvane
