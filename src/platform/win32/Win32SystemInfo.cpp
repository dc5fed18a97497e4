#include <windows.h>

#include <cwchar>
#include <vector>

#include "platform/GrowingBuffer.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Text.h"

namespace corvane::platform::win32 {

// A name longer than the first buffer makes the call fail and give the size it needs, NUL
// included; the next try has that size. The "A" call would give a look-alike of a name beyond
// the legacy code page, and so the name of another settings file.
std::optional<std::string> Win32SystemInfo::UserName() {
    const std::optional<std::wstring> name = ReadGrowingBuffer<wchar_t>(128, [](wchar_t* buffer, std::size_t capacity) {
        DWORD size = static_cast<DWORD>(capacity);
        if (GetUserNameW(buffer, &size)) return BufferRead{BufferRead::Outcome::Fit, wcsnlen(buffer, capacity)};
        if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) return BufferRead{BufferRead::Outcome::TooSmall, size};
        return BufferRead{BufferRead::Outcome::Failed, 0};
    });
    if (!name) return std::nullopt;
    return Utf8(*name, "The user name");
}

int Win32SystemInfo::PlatformId() {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
#if defined(_MSC_VER)
#pragma warning(suppress : 4996) // GetVersionExW is how the two Windows families are told apart
#endif
    if (!GetVersionExW(&info)) {
        return 0;
    }
    return static_cast<int>(info.dwPlatformId);
}

std::uint32_t Win32SystemInfo::TickCount() { return GetTickCount(); }

// As the user's locale orders and matches names, for every script.
int Win32SystemInfo::CompareText(const std::string& a, const std::string& b) {
    const std::wstring x = Wide(a);
    const std::wstring y = Wide(b);
    const int result = CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, x.data(), static_cast<int>(x.size()),
                                       y.data(), static_cast<int>(y.size()), nullptr, nullptr, 0);
    return result == 0 ? 0 : result - CSTR_EQUAL;
}

std::string Win32SystemInfo::FromLegacyCodePage(std::string_view bytes) { return LegacyToUtf8(bytes); }

std::uint32_t Win32SystemInfo::SysColor(int index) { return GetSysColor(index); }

// A system that cannot say counts as one without the mode; Wine has no such mode and always
// says it is off.
bool Win32SystemInfo::HighContrast() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

std::string Win32SystemInfo::ProgramVersion() {
    const std::string path = Win32FileSystem().ExePath();
    if (path.empty()) return {};
    const std::wstring exe = Wide(path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoW(exe.c_str(), 0, size, data.data()) ||
        !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || fixed == nullptr) {
        return {};
    }
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
}

// The system's own folder, also on a terminal server, where each user has a Windows folder of
// their own. The first call asks for the size.
std::string Win32SystemInfo::WindowsFolder() {
    const UINT size = GetSystemWindowsDirectoryW(nullptr, 0);
    std::wstring folder(size, L'\0');
    const UINT length = size == 0 ? 0 : GetSystemWindowsDirectoryW(folder.data(), size);
    folder.resize(length < size ? length : 0);
    std::string path = folder.empty() ? std::string("C:\\Windows") : Utf8(folder, "The Windows folder");
    if (path.back() != '\\') path += '\\';
    return path;
}

} // namespace corvane::platform::win32
