#include "commands/scrObjShowMessage.h"

#include "platform/Platform.h"

namespace corvane {

void TscrObjShowMessage::Execute() { platform::Messages().ShowMessage(Vars.ParseVars(Arg(0))); }

std::vector<TArgumentProblem> TscrObjShowMessage::CheckArguments(const TCommandInfo& command, const TStringList& args) {
    if (!args.empty()) return {};
    return {MissingArgument(command, args, 0)};
}

} // namespace corvane
