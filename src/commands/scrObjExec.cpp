#include "commands/scrObjExec.h"

#include "platform/Platform.h"
#include "platform/ShellServices.h"

namespace corvane {

// The working directory is read before the parameters, and neither when the program is missing.
void TscrObjExec::Execute() {
    const std::string path = Vars.ParseVars(Arg(0));
    if (!platform::Files().FileExists(path)) {
        ReportError("File to execute \"" + path + "\" not found");
        return;
    }
    const std::string directory = Vars.ParseVars(Arg(2));
    const std::string parameters = Vars.ParseVars(Arg(1));
    platform::Shell().Execute(path, parameters, directory);
}

} // namespace corvane
