// A statement that opens a block, which a later statement closes (ifeq ... end). The factory
// pairs them while it builds the run list, as parentheses pair.
#pragma once

#include "script/scrObjAncestor.h"

namespace corvane {

class TscrObjBlock : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;

    // The statement that closes this block; null when none does. Set while the run list is built.
    TscrObjAncestor* MatchingEnd = nullptr;
};

} // namespace corvane
