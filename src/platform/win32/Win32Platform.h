// The real Windows services. This header stays free of windows.h so that the program entry
// can include it.
#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/RecordStore.h"

namespace corvane::platform::win32 {

// Makes the system folder the only place where libraries are looked for: the first call of the
// program, before anything else loads (see Win32LibraryLoading.cpp).
void RestrictLibrarySearch();

// The services of the running Windows system; they live until the process ends. The calling
// thread, the program's only one, becomes a COM apartment for the shell's services.
Services CreateServices();
// The file store of the logon record of the running user; it lives until the process ends.
RecordStore& LogonRecordStore();
// The arguments of wmain after the program's own name, in UTF-8. Raises EEncodingError for an
// argument that holds an unpaired surrogate.
std::vector<std::string> CommandLineArguments(int argc, wchar_t** argv);

} // namespace corvane::platform::win32
