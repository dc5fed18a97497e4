// The "ifeq (var, value)" statement: runs its block only when the variable holds the value,
// compared without regard to ASCII letter case. A false comparison releases the block's
// statements and continues at the matching "end".
#pragma once

#include <string_view>

#include "commands/scrObjEnd.h"
#include "script/scrObjAncestor.h"

namespace corvane {

class TscrObjIfEq final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override;

    // The "end" that closes this block; null when none does. Set while the run list is built.
    TscrObjEnd* MatchingEnd = nullptr;

    // Equal length, and equal characters once a-z are mapped to A-Z; nothing else is folded.
    static bool SameText(std::string_view left, std::string_view right);

private:
    void SkipBlock();
};

} // namespace corvane
