#include "commands/scrObjExec.h"

#include "config/CorvaneInfo.h"
#include "platform/Platform.h"
#include "platform/ShellServices.h"
#include "record/EventRecord.h"
#include "shell/StartReport.h"
#include "record/SystemEvent.h"

namespace corvane {

// The working directory is read before the parameters, and neither when the program is missing.
// A start that the system refuses is reported with its reason.
void TscrObjExec::Execute() {
    const std::string path = Vars.ParseVars(Arg(0));
    if (!platform::Files().FileExists(path)) {
        ReportError("File to execute \"" + path + "\" not found");
        return;
    }
    const std::string directory = Vars.ParseVars(Arg(2));
    const std::string parameters = Vars.ParseVars(Arg(1));
    const platform::ProgramStart start = platform::Shell().Execute(path, parameters, directory);
    RecordEvent(ProgramStartEvent("exec (line " + std::to_string(LineNo) + ")", path, parameters, start));
    if (!start.Started) {
        ReportError(StartFailedError(path, start.Reason), SystemEvent::StartFailed);
    } else {
        ++ProgramsStarted;
    }
}

// Execute reads argument 0, and only when its program exists argument 2, then argument 1.
std::vector<TArgumentProblem> TscrObjExec::CheckArguments(const TCommandInfo& command, const TStringList& args) {
    if (args.empty()) return {MissingArgument(command, args, 0)};
    if (args.size() < 3) return {MissingArgument(command, args, 2, "when its program exists")};
    return {};
}

} // namespace corvane
