#include "commands/scrObjExecShell.h"

#include "platform/Errors.h"

namespace corvane {

void TscrObjExecShell::Execute() {
    throw ENotSupported("The statement \"execshell\" on line " + std::to_string(LineNo) + " is not supported by this build of Corvane yet");
}

} // namespace corvane
