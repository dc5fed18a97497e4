// Program entry of corvane.exe: restricts where libraries are loaded from, installs the Windows
// services with the logon record in front of its boxes, and runs the launcher with its
// command-line arguments, which wmain takes in UTF-16 so that a path beyond the legacy code page
// arrives whole.
#include <exception>
#include <string>
#include <vector>

#include "app/Application.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "platform/Processes.h"
#include "platform/win32/Win32Platform.h"
#include "record/EventRecord.h"
#include "record/RecordedDialogs.h"

int wmain(int argc, wchar_t** argv) {
    using namespace corvane;
    platform::win32::RestrictLibrarySearch();
    platform::Services services = platform::win32::CreateServices();
    TRecordedDialogs dialogs(*services.dialogs);
    services.dialogs = &dialogs;
    platform::Install(services);
    TEventRecord record(platform::win32::LogonRecordStore(), platform::Process().Current().Id);
    TEventRecord::Use(&record);
    std::vector<std::string> arguments;
    try {
        arguments = platform::win32::CommandLineArguments(argc, argv);
    } catch (const std::exception& error) {
        platform::Messages().ShowErrorBox("Application Error", ErrorBoxText(error));
        return 1;
    }
    return RunProgram(arguments);
}
