// A stand-in for a desktop shell, started by the launcher in the end-to-end tests. It appends
// to "<its own path>.log" what it saw at start: its command line, its working directory and
// the shell setting as system.ini [boot] shell reads, then ends. Given "--crash N", its first N
// starts (counted by its log) crash with an access violation's exit code after a moment, and given
// "--crash-at K", its K-th start does; given
// "--stay MS", it runs that long before it ends cleanly. Given "--shell-window", it makes a
// window of its own the system's shell window meanwhile, as a desktop shell does.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace {

// The number after the word on the command line; fallback when it is not there.
unsigned long NumberAfter(const char* commandLine, const char* word, unsigned long fallback) {
    const char* at = std::strstr(commandLine, word);
    return at == nullptr ? fallback : std::strtoul(at + std::strlen(word), nullptr, 10);
}

std::size_t StartsLogged(const std::string& log) {
    std::ifstream in(log, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::size_t starts = 0;
    for (std::size_t at = text.str().find("cmd="); at != std::string::npos; at = text.str().find("cmd=", at + 1)) ++starts;
    return starts;
}

} // namespace

int main() {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    char shell[2048] = {};
    GetPrivateProfileStringA("boot", "shell", "None Found", shell, sizeof shell, "system.ini");

    const std::string logFile = std::string(exe) + ".log";
    {
        std::ofstream log(logFile, std::ios::app | std::ios::binary);
        log << "cmd=" << GetCommandLineA() << "\n"
            << "cwd=" << directory << "\n"
            << "shell=" << shell << "\n";
    }
    const unsigned long crashes = NumberAfter(GetCommandLineA(), "--crash ", 0);
    const unsigned long crashAt = NumberAfter(GetCommandLineA(), "--crash-at ", 0);
    if ((crashes > 0 && StartsLogged(logFile) <= crashes) || (crashAt > 0 && StartsLogged(logFile) == crashAt)) {
        Sleep(300);
        ExitProcess(0xC0000005);
    }
    const unsigned long stay = NumberAfter(GetCommandLineA(), "--stay ", 0);
    if (std::strstr(GetCommandLineA(), "--shell-window") != nullptr) {
        // SetShellWindow is not in every SDK's headers.
        using SetShellWindowFunction = BOOL(WINAPI*)(HWND);
        const auto setShellWindow = reinterpret_cast<SetShellWindowFunction>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetShellWindow")));
        HWND desk = CreateWindowExA(0, "STATIC", "stand-in desktop", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        if (setShellWindow == nullptr || desk == nullptr || !setShellWindow(desk)) return 3;
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < stay) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        }
        DestroyWindow(desk);
        return 0;
    }
    Sleep(stay);
    return 0;
}
