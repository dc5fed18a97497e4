// The identity of a process that the program holds a handle of.
#pragma once

#include <windows.h>

#include "platform/Processes.h"

namespace corvane::platform::win32 {

// The id and creation time of the process behind a handle that may query it.
ProcessIdentity IdentityOf(HANDLE process);

} // namespace corvane::platform::win32
