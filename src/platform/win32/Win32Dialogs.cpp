#include <windows.h>

#include <algorithm>

#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Text.h"
#include "text/ShortText.h"

namespace corvane::platform::win32 {

// No owner window: the box is centred on the screen and blocks the launcher's thread.
void Win32Dialogs::ShowMessage(const std::string& text) {
    MessageBoxW(nullptr, Wide(text).c_str(), Wide(Title_).c_str(), MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}

void Win32Dialogs::ShowErrorBox(const std::string& caption, const std::string& text) {
    MessageBoxW(nullptr, Wide(text).c_str(), Wide(caption).c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL | MB_SETFOREGROUND);
}

namespace {

// Windows text: every line ends in CR LF.
std::string WithCrLf(const std::string& text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n' && (result.empty() || result.back() != '\r')) result += '\r';
        result += c;
    }
    return result;
}

bool WriteAll(HANDLE target, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        DWORD wrote = 0;
        const DWORD part = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1u << 16));
        if (!WriteFile(target, text.data() + done, part, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    return true;
}

// A console takes the text as Unicode, whatever its code page.
bool WriteConsoleText(HANDLE console, const std::string& text) {
    const std::wstring wide = Wide(text);
    std::size_t done = 0;
    while (done < wide.size()) {
        DWORD wrote = 0;
        const DWORD part = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 1u << 14));
        if (!WriteConsoleW(console, wide.data() + done, part, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    return true;
}

} // namespace

// A program of the GUI subsystem has no console of its own: its standard output counts only
// when it was redirected to a file or a pipe (which get UTF-8); otherwise the console of the
// program that started it (a command prompt) takes the text as Unicode, and without one a
// message box shows it, unless the text is not worth a box that waits for somebody.
void Win32Dialogs::WriteOutput(const std::string& text, Unread unread) {
    const std::string lines = WithCrLf(text);
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const DWORD type = output != nullptr && output != INVALID_HANDLE_VALUE ? GetFileType(output) : FILE_TYPE_UNKNOWN;
    DWORD mode = 0;
    // A console that is this program's standard output, then a file, a pipe, or a character
    // device such as the null device ("> NUL").
    if (type == FILE_TYPE_CHAR && GetConsoleMode(output, &mode) && WriteConsoleText(output, lines)) return;
    if ((type == FILE_TYPE_DISK || type == FILE_TYPE_PIPE || type == FILE_TYPE_CHAR) && WriteAll(output, lines)) return;
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        Win32Handle console(CreateFileW(L"CONOUT$", GENERIC_WRITE | GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
        const bool written = console && WriteConsoleText(console.Get(), lines);
        console.Reset();
        FreeConsole();
        if (written) return;
    }
    if (unread == Unread::Dropped) return;
    // A report of many lines (a check of a folder with many mistakes) would run off the screen
    // and hide the box's button; the box shows its start and its summary line.
    constexpr std::size_t MaxBoxLines = 16;
    constexpr std::size_t MaxBoxChars = 1500;
    const std::string shown = ShortText(text, MaxBoxLines, MaxBoxChars,
                                        "run the command in a command prompt, or send its output to a file with "
                                        "\"> report.txt\", to see them all");
    MessageBoxW(nullptr, Wide(shown).c_str(), Wide(Title_).c_str(), MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}

} // namespace corvane::platform::win32
