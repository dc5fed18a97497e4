#include "commands/scrObjCopy.h"

#include "platform/Platform.h"

namespace corvane {

// Both paths are read (and expanded) before anything is done, so a missing target argument
// stops the statement before the source is looked at. The copy's own success is not reported.
void TscrObjCopy::Execute() {
    const std::string source = Vars.ParseVars(Arg(0));
    const std::string target = Vars.ParseVars(Arg(1));
    if (platform::Files().FileExists(source)) {
        platform::Files().CopyFile(source, target, false);
    } else {
        ReportError("Source file \"" + source + "\" not found");
    }
}

// Execute reads argument 0, then argument 1.
std::vector<TArgumentProblem> TscrObjCopy::CheckArguments(const TCommandInfo& command, const TStringList& args) {
    if (args.size() >= 2) return {};
    return {MissingArgument(command, args, static_cast<int>(args.size()))};
}

} // namespace corvane
