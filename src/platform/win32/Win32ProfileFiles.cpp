#include <windows.h>

#include <algorithm>

#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Text.h"

namespace corvane::platform::win32 {

// The reader takes the file's encoding from its first bytes (UTF-16 by its mark, else the legacy
// code page) and gives UTF-16 either way. bufferSize counts the reader's characters.
std::string Win32ProfileFiles::GetString(const std::string& file, const std::string& section, const std::string& key,
                                         const std::string& defaultValue, std::size_t bufferSize) {
    std::wstring buffer(bufferSize, L'\0');
    const DWORD length = GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(defaultValue).c_str(),
                                                  buffer.data(), static_cast<DWORD>(bufferSize), Wide(file).c_str());
    buffer.resize(std::min<std::size_t>(length, bufferSize > 0 ? bufferSize - 1 : 0));
    return Utf8(buffer, "The value of " + key + " in " + file);
}

namespace {
// The names that the profile reader gives back as NUL-terminated strings, the list ending at an
// empty name; length is what the call returned.
std::vector<std::string> SplitNames(const std::wstring& buffer, DWORD length, const std::string& file) {
    std::vector<std::string> names;
    std::size_t pos = 0;
    while (pos < length && buffer[pos] != L'\0') {
        const std::size_t end = buffer.find(L'\0', pos);
        names.push_back(Utf8(std::wstring_view(buffer).substr(pos, end - pos), "A name in " + file));
        pos = end + 1;
    }
    return names;
}
} // namespace

std::vector<std::string> Win32ProfileFiles::GetKeyNames(const std::string& file, const std::string& section,
                                                        std::size_t bufferSize) {
    std::wstring buffer(bufferSize, L'\0');
    const DWORD length = GetPrivateProfileStringW(Wide(section).c_str(), nullptr, L"", buffer.data(),
                                                  static_cast<DWORD>(bufferSize), Wide(file).c_str());
    return SplitNames(buffer, length, file);
}

std::vector<std::string> Win32ProfileFiles::GetSectionNames(const std::string& file, std::size_t bufferSize) {
    std::wstring buffer(bufferSize, L'\0');
    const DWORD length = GetPrivateProfileSectionNamesW(buffer.data(), static_cast<DWORD>(bufferSize), Wide(file).c_str());
    return SplitNames(buffer, length, file);
}

// The writer keeps the file's encoding: a Unicode file stays Unicode.
bool Win32ProfileFiles::WriteString(const std::string& file, const std::string& section, const std::string& key,
                                    const std::optional<std::string>& value) {
    const std::wstring text = value ? Wide(*value) : std::wstring();
    return WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), value ? text.c_str() : nullptr,
                                      Wide(file).c_str()) != FALSE;
}

} // namespace corvane::platform::win32
