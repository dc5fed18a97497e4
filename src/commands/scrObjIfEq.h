// The "ifeq (var, value)" statement: runs its block only when the variable holds the value,
// compared without regard to ASCII letter case. A false comparison releases the block's
// statements and continues at the matching "end".
#pragma once

#include <string_view>
#include <vector>

#include "script/CommandTable.h"
#include "script/scrObjBlock.h"

namespace corvane {

// MatchingEnd is the "end" that closes the block; null when none does.
class TscrObjIfEq final : public TscrObjBlock {
public:
    using TscrObjBlock::TscrObjBlock;
    void Execute() override;

    // What too few arguments make the statement do (see TCommandInfo::CheckArguments).
    static std::vector<TArgumentProblem> CheckArguments(const TCommandInfo& command, const TStringList& args);

    // Equal length, and equal characters once a-z are mapped to A-Z; nothing else is folded.
    static bool SameText(std::string_view left, std::string_view right);

private:
    void SkipBlock();
};

} // namespace corvane
