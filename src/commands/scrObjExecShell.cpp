#include "commands/scrObjExecShell.h"

#include "commands/scrObjLoadShell.h"
#include "config/CorvaneInfo.h"

namespace corvane {

// One argument starts the default shell and stores its name; three start argument 1 with
// the parameters of argument 2 and store the path. Arguments are used as written. Any other
// number of arguments does nothing. While the AllowedShells policy is in force, the default
// shell must be one that it allows, and a path the program of one (see LaunchAsShell).
void TscrObjExecShell::Execute() {
    if (ArgCount() == 1) {
        const TShellListItem* item = Info->Settings.DefaultShellItem.get();
        if (item != nullptr) {
            LaunchAsShell(*this, PreviousShell, item->Path, item->Parameters, Arg(0), item->Name, item);
        }
    } else if (ArgCount() == 3) {
        LaunchAsShell(*this, PreviousShell, Arg(1), Arg(2), Arg(0), Arg(1));
    }
}

// Only one argument or three make the statement do anything.
std::vector<TArgumentProblem> TscrObjExecShell::CheckArguments(const TCommandInfo& command, const TStringList& args) {
    if (args.size() == 1 || args.size() == 3) return {};
    return {{true, std::string(command.Syntax) + " takes 1 argument (var) or 3 (var, path, params); with " +
                       std::to_string(args.size()) + " it does nothing"}};
}

} // namespace corvane
