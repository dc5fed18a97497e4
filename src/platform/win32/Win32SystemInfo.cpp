#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/GrowingBuffer.h"
#include "platform/win32/Win32Services.h"

namespace corvane::platform::win32 {

// A name longer than the first buffer makes the call fail and give the size it needs, NUL
// included; the next try has that size.
std::optional<std::string> Win32SystemInfo::UserName() {
    return ReadGrowingBuffer(128, [](char* buffer, std::size_t capacity) {
        DWORD size = static_cast<DWORD>(capacity);
        if (GetUserNameA(buffer, &size)) return BufferRead{BufferRead::Outcome::Fit, strnlen(buffer, capacity)};
        if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) return BufferRead{BufferRead::Outcome::TooSmall, size};
        return BufferRead{BufferRead::Outcome::Failed, 0};
    });
}

int Win32SystemInfo::PlatformId() {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
#if defined(_MSC_VER)
#pragma warning(suppress : 4996) // GetVersionExA is how the two Windows families are told apart
#endif
    if (!GetVersionExA(&info)) {
        return 0;
    }
    return static_cast<int>(info.dwPlatformId);
}

std::uint32_t Win32SystemInfo::TickCount() { return GetTickCount(); }

int Win32SystemInfo::CompareText(const std::string& a, const std::string& b) {
    const int result = CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                      b.data(), static_cast<int>(b.size()));
    return result == 0 ? 0 : result - CSTR_EQUAL;
}

std::uint32_t Win32SystemInfo::SysColor(int index) { return GetSysColor(index); }

// A system that cannot say counts as one without the mode; Wine has no such mode and always
// says it is off.
bool Win32SystemInfo::HighContrast() {
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

std::string Win32SystemInfo::ProgramVersion() {
    const std::string path = Win32FileSystem().ExePath();
    const char* exe = path.c_str();
    if (path.empty()) return {};
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe, &ignored);
    if (size == 0) return {};
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(exe, 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr) {
        return {};
    }
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
}

// The system's own folder, also on a terminal server, where each user has a Windows folder of
// their own. The first call asks for the size.
std::string Win32SystemInfo::WindowsFolder() {
    const UINT size = GetSystemWindowsDirectoryA(nullptr, 0);
    std::string folder(size, '\0');
    const UINT length = size == 0 ? 0 : GetSystemWindowsDirectoryA(folder.data(), size);
    folder.resize(length < size ? length : 0);
    if (folder.empty()) folder = "C:\\Windows";
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

} // namespace corvane::platform::win32
