// Program entry of corvane.exe: installs the Windows services and runs the launcher with its
// command-line arguments.
#include <string>
#include <vector>

#include "app/Application.h"
#include "platform/Platform.h"
#include "platform/win32/Win32Platform.h"

int main(int argc, char** argv) {
    corvane::platform::Install(corvane::platform::win32::CreateServices());
    return corvane::RunProgram(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
}
