// A stand-in for a desktop shell, started by the launcher in the end-to-end tests. It appends
// to "<its own path>.log" what it saw at start: its command line, its working directory and
// the shell setting as system.ini [boot] shell reads, then ends.
#include <windows.h>

#include <fstream>

int main() {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    char shell[2048] = {};
    GetPrivateProfileStringA("boot", "shell", "None Found", shell, sizeof shell, "system.ini");

    std::ofstream log(std::string(exe) + ".log", std::ios::app | std::ios::binary);
    log << "cmd=" << GetCommandLineA() << "\n"
        << "cwd=" << directory << "\n"
        << "shell=" << shell << "\n";
    return 0;
}
