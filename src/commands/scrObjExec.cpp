#include "commands/scrObjExec.h"

#include "platform/Errors.h"

namespace corvane {

void TscrObjExec::Execute() {
    throw ENotSupported("The statement \"exec\" on line " + std::to_string(LineNo) + " is not supported by this build of Corvane yet");
}

} // namespace corvane
