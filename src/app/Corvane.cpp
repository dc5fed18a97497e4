// Program entry of corvane.exe: installs the Windows services and runs the launcher.
#include "app/Application.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"

int main() {
    corvane::platform::Install(corvane::platform::win32::CreateServices());
    return corvane::RunProgram();
}
