#include "platform/win32/Win32Platform.h"

#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32EventLog.h"
#include "platform/win32/Win32FileSecurity.h"
#include "platform/win32/Win32Processes.h"
#include "platform/win32/Win32RecordStore.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32WindowSystem.h"

// After the services' headers: windows.h renames some of their members (CreateDirectory...).
#include <windows.h>

namespace corvane::platform::win32 {

Services CreateServices() {
    static Win32FileSystem files;
    static Win32Dialogs dialogs;
    static Win32SystemInfo system;
    static Win32ProfileFiles profiles;
    static Win32Registry registry;
    static Win32Shell shell;
    static Win32WindowSystem windows;
    static Win32Desktop desktop;
    static Win32Processes processes;
    static Win32FileSecurity security;
    static Win32EventLog eventLog;

    Services services;
    services.files = &files;
    services.dialogs = &dialogs;
    services.system = &system;
    services.profiles = &profiles;
    services.registry = &registry;
    services.shell = &shell;
    services.windows = &windows;
    services.desktop = &desktop;
    services.processes = &processes;
    services.security = &security;
    services.eventLog = &eventLog;
    return services;
}

std::vector<std::string> CommandLineArguments(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(Utf8(argv[i], "An argument of the command line"));
    return arguments;
}

RecordStore& LogonRecordStore() {
    static Win32RecordStore store;
    return store;
}

} // namespace corvane::platform::win32
