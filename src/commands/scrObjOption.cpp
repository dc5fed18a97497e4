#include "commands/scrObjOption.h"

#include "platform/Errors.h"

namespace corvane {

void TscrObjOption::Execute() {
    throw ENotSupported("The statement \"option\" on line " + std::to_string(LineNo) + " is not supported by this build of Corvane yet");
}

} // namespace corvane
