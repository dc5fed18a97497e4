#include "commands/scrObjLoadShell.h"

#include "platform/Errors.h"

namespace corvane {

void TscrObjLoadShell::Execute() {
    throw ENotSupported("The statement \"loadshell\" on line " + std::to_string(LineNo) + " is not supported by this build of Corvane yet");
}

} // namespace corvane
