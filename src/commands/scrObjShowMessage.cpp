#include "commands/scrObjShowMessage.h"

#include "platform/Platform.h"

namespace corvane {

void TscrObjShowMessage::Execute() { platform::Messages().ShowMessage(Vars.ParseVars(Arg(0))); }

} // namespace corvane
