// Program entry of corvane.exe: installs the Windows services with the logon record in front of
// its boxes, and runs the launcher with its command-line arguments.
#include <string>
#include <vector>

#include "app/Application.h"
#include "platform/Platform.h"
#include "platform/Processes.h"
#include "platform/win32/Win32Platform.h"
#include "record/EventRecord.h"
#include "record/RecordedDialogs.h"

int main(int argc, char** argv) {
    using namespace corvane;
    platform::Services services = platform::win32::CreateServices();
    TRecordedDialogs dialogs(*services.dialogs);
    services.dialogs = &dialogs;
    platform::Install(services);
    TEventRecord record(platform::win32::LogonRecordStore(), platform::Process().Current().Id);
    TEventRecord::Use(&record);
    return RunProgram(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
