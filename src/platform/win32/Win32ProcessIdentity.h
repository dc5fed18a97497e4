// The identity and the hold of a process that the program has a handle of.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/Processes.h"

namespace corvane::platform::win32 {

// The id and creation time of the process behind a handle that may query it.
ProcessIdentity IdentityOf(HANDLE process);

// The hold of a process handle, which it takes over (and closes when it goes).
std::shared_ptr<HeldProcess> Hold(HANDLE process);

} // namespace corvane::platform::win32
