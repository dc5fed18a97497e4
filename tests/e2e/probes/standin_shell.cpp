// A stand-in for a desktop shell, started by the launcher in the end-to-end tests. It appends
// to "<its own path>.log", in UTF-8, what it saw at start: its command line, its working directory and
// the shell setting as system.ini [boot] shell reads, then ends. Given "--crash N", its first N
// starts (counted by its log) crash with an access violation's exit code after a moment, and given
// "--crash-at K", its K-th start does; given
// "--stay MS", it runs that long before it ends cleanly. Given "--shell-window", it makes a
// window of its own the system's shell window meanwhile, as a desktop shell does.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The number after the word on the command line; fallback when it is not there.
unsigned long NumberAfter(const char* commandLine, const char* word, unsigned long fallback) {
    const char* at = std::strstr(commandLine, word);
    return at == nullptr ? fallback : std::strtoul(at + std::strlen(word), nullptr, 10);
}

// The text in UTF-8, as the log holds it.
std::string Utf8(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(length > 0 ? static_cast<std::size_t>(length) : 1, '\0');
    if (length > 0) WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
    utf8.pop_back(); // the NUL
    return utf8;
}

std::string ReadLog(const std::wstring& log) {
    std::string text;
    HANDLE file = CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) text.append(chunk, read);
    CloseHandle(file);
    return text;
}

void AppendLog(const std::wstring& log, const std::string& text) {
    HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::size_t StartsLogged(const std::wstring& log) {
    const std::string text = ReadLog(log);
    std::size_t starts = 0;
    for (std::size_t at = text.find("cmd="); at != std::string::npos; at = text.find("cmd=", at + 1)) ++starts;
    return starts;
}

} // namespace

int main() {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    wchar_t directory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, directory);
    wchar_t shell[2048] = {};
    GetPrivateProfileStringW(L"boot", L"shell", L"None Found", shell, 2048, L"system.ini");

    const std::wstring logFile = std::wstring(exe) + L".log";
    AppendLog(logFile, "cmd=" + Utf8(GetCommandLineW()) + "\ncwd=" + Utf8(directory) + "\nshell=" + Utf8(shell) + "\n");
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
