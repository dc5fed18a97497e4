#include "commands/scrObjIfEq.h"

#include "commands/scrObjEnd.h"
#include "text/AsciiText.h"

namespace corvane {

bool TscrObjIfEq::SameText(std::string_view left, std::string_view right) { return SameTextAscii(left, right); }

// Execute reads argument 0, then argument 1.
std::vector<TArgumentProblem> TscrObjIfEq::CheckArguments(const TCommandInfo& command, const TStringList& args) {
    if (args.size() >= 2) return {};
    return {MissingArgument(command, args, static_cast<int>(args.size()))};
}

void TscrObjIfEq::Execute() {
    const std::string left = Vars.ParseVars(Vars.GetVar(Arg(0), "nil"));
    const std::string right = Vars.ParseVars(Arg(1));
    if (!SameText(left, right)) {
        SkipBlock();
    }
}

// Detaches the statements from Next up to, not including, MatchingEnd and releases them.
// Without a MatchingEnd everything after this statement goes and the run ends here.
void TscrObjIfEq::SkipBlock() {
    std::unique_ptr<TscrObjAncestor> skipped = std::move(Next);
    if (skipped.get() == MatchingEnd && MatchingEnd != nullptr) {
        Next = std::move(skipped); // an empty block
        return;
    }
    bool endFollows = false;
    for (TscrObjAncestor* node = skipped.get(); node != nullptr; node = node->Next.get()) {
        endFollows = endFollows || dynamic_cast<TscrObjEnd*>(node) != nullptr;
        if (MatchingEnd != nullptr && node->Next.get() == MatchingEnd) {
            Next = std::move(node->Next);
            break;
        }
    }
    skipped.reset();
    if (MatchingEnd == nullptr && !endFollows) {
        ReportError("Error while freeing skipped statements");
    }
}

} // namespace corvane
