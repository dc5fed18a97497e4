// The system's own words for an error code, as FormatMessage gives them.
#pragma once

#include <windows.h>

#include <string>

namespace corvane::platform::win32 {

// "The system cannot find the file specified." for 2: one line, without the line break the
// system ends it with; "error <code>" when the system has no text for the code.
std::string SystemMessage(DWORD code);

} // namespace corvane::platform::win32
