#include <windows.h>

#include <shellapi.h>

#include <cstdint>

#include "platform/win32/Win32Shell.h"

namespace corvane::platform::win32 {

// The returned handle is the system icon list itself; only the index matters here.
int Win32Shell::SysIconIndex(const std::string& path) {
    SHFILEINFOA info{};
    if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX) == 0) return 0;
    return info.iIcon;
}

// ShellExecuteA reports success with a value above 32.
bool Win32Shell::Execute(const std::string& path, const std::string& parameters, const std::string& directory) {
    const HINSTANCE result = ShellExecuteA(nullptr, nullptr, path.c_str(), parameters.c_str(),
                                           directory.empty() ? nullptr : directory.c_str(), SW_SHOW);
    return reinterpret_cast<std::intptr_t>(result) > 32;
}

} // namespace corvane::platform::win32
