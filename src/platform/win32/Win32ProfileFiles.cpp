#include <windows.h>

#include "platform/win32/Win32Services.h"

namespace corvane::platform::win32 {

std::string Win32ProfileFiles::GetString(const std::string& file, const std::string& section, const std::string& key,
                                         const std::string& defaultValue, std::size_t bufferSize) {
    std::string buffer(bufferSize, '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                                  static_cast<DWORD>(bufferSize), file.c_str());
    buffer.resize(std::min<std::size_t>(length, bufferSize > 0 ? bufferSize - 1 : 0));
    return buffer;
}

namespace {
// The names that the profile reader gives back as NUL-terminated strings, the list ending at an
// empty name; length is what the call returned.
std::vector<std::string> SplitNames(const std::string& buffer, DWORD length) {
    std::vector<std::string> names;
    std::size_t pos = 0;
    while (pos < length && buffer[pos] != '\0') {
        const std::size_t end = buffer.find('\0', pos);
        names.push_back(buffer.substr(pos, end - pos));
        pos = end + 1;
    }
    return names;
}
} // namespace

std::vector<std::string> Win32ProfileFiles::GetKeyNames(const std::string& file, const std::string& section,
                                                        std::size_t bufferSize) {
    std::string buffer(bufferSize, '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                  static_cast<DWORD>(bufferSize), file.c_str());
    return SplitNames(buffer, length);
}

std::vector<std::string> Win32ProfileFiles::GetSectionNames(const std::string& file, std::size_t bufferSize) {
    std::string buffer(bufferSize, '\0');
    const DWORD length = GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(bufferSize), file.c_str());
    return SplitNames(buffer, length);
}

bool Win32ProfileFiles::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                    const std::optional<std::string>& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value ? value->c_str() : nullptr, file.c_str()) !=
           FALSE;
}

} // namespace corvane::platform::win32
