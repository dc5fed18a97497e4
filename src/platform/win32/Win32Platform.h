// The real Windows services. This header stays free of windows.h so that the program entry
// can include it.
#pragma once

#include "platform/Platform.h"

namespace corvane::platform::win32 {

// The services of the running Windows system; they live until the process ends. The calling
// thread, the program's only one, becomes a COM apartment for the shell's services.
Services CreateServices();

} // namespace corvane::platform::win32
