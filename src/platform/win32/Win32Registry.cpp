#include <windows.h>

#include <limits>

#include "platform/win32/Win32Registry.h"

namespace corvane::platform::win32 {

namespace {
HKEY RootKey(RegistryRoot root) { return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

// An open registry key, closed when it goes out of scope.
class OpenKey {
public:
    OpenKey(RegistryRoot root, const std::string& path, REGSAM access)
        : Status_(RegOpenKeyExA(RootKey(root), path.c_str(), 0, access, &Key_)) {
        if (Status_ != ERROR_SUCCESS) Key_ = nullptr;
    }
    ~OpenKey() {
        if (Key_ != nullptr) RegCloseKey(Key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    bool valid() const { return Key_ != nullptr; }
    bool missing() const { return Status_ == ERROR_FILE_NOT_FOUND; }
    bool denied() const { return Status_ == ERROR_ACCESS_DENIED; }
    LONG status() const { return Status_; }
    HKEY get() const { return Key_; }

private:
    HKEY Key_ = nullptr;
    LONG Status_;
};

RegistryResult ResultOf(LONG status) {
    if (status == ERROR_SUCCESS) return RegistryResult::Done;
    return status == ERROR_ACCESS_DENIED ? RegistryResult::AccessDenied : RegistryResult::Failed;
}
} // namespace

// Only read access is asked for the handle: creating a missing key needs the right to add a
// subkey to its parent, and an existing key merely opens, also one the user may not change.
RegistryResult Win32Registry::CreateKey(RegistryRoot root, const std::string& path) {
    HKEY key = nullptr;
    const LONG status = RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_QUERY_VALUE, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) RegCloseKey(key);
    return ResultOf(status);
}

RegistryWrite Win32Registry::SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                                      std::uint32_t type, const std::string& data) {
    const OpenKey key(root, path, KEY_SET_VALUE);
    if (!key.valid()) return key.denied() ? RegistryWrite::OpenDenied : RegistryWrite::OpenRefused;
    if (data.size() > std::numeric_limits<DWORD>::max()) return RegistryWrite::SetRefused;
    const LONG status = RegSetValueExA(key.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                       static_cast<DWORD>(data.size()));
    if (status == ERROR_SUCCESS) return RegistryWrite::Written;
    return status == ERROR_ACCESS_DENIED ? RegistryWrite::SetDenied : RegistryWrite::SetRefused;
}

// The data is read again with a larger buffer while it grows between the two calls.
RegistryValue Win32Registry::ReadValue(RegistryRoot root, const std::string& path, const std::string& name) {
    RegistryValue result;
    const OpenKey key(root, path, KEY_QUERY_VALUE);
    if (!key.valid()) return result;
    result.state = RegistryValue::State::NoValue;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return result;
    std::string data(size, '\0');
    LONG status = ERROR_MORE_DATA;
    while (status == ERROR_MORE_DATA) {
        size = static_cast<DWORD>(data.size());
        status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_MORE_DATA) data.resize(std::max<std::size_t>(size, data.size() * 2));
    }
    if (status != ERROR_SUCCESS) return result;
    data.resize(size);
    result.state = RegistryValue::State::Present;
    result.type = type;
    result.data = std::move(data);
    return result;
}

std::vector<std::string> Win32Registry::ValueNames(RegistryRoot root, const std::string& path) {
    constexpr std::size_t LongestValueName = 16383; // the registry's own limit
    std::vector<std::string> names;
    const OpenKey key(root, path, KEY_QUERY_VALUE);
    if (!key.valid()) return names;
    std::vector<char> name(LongestValueName + 1);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG status = RegEnumValueA(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) continue; // one that went meanwhile
        names.emplace_back(name.data(), length);
    }
    return names;
}

RegistryResult Win32Registry::DeleteValue(RegistryRoot root, const std::string& path, const std::string& name) {
    const OpenKey key(root, path, KEY_SET_VALUE);
    if (!key.valid()) return key.missing() ? RegistryResult::Done : ResultOf(key.status()); // no key, so no value
    const LONG status = RegDeleteValueA(key.get(), name.c_str());
    return status == ERROR_FILE_NOT_FOUND ? RegistryResult::Done : ResultOf(status);
}


RegistryResult Win32Registry::DeleteKey(RegistryRoot root, const std::string& path) {
    const LONG status = RegDeleteKeyA(RootKey(root), path.c_str());
    return status == ERROR_FILE_NOT_FOUND ? RegistryResult::Done : ResultOf(status);
}

void Win32Registry::Flush(RegistryRoot root, const std::string& path) {
    const OpenKey key(root, path, KEY_QUERY_VALUE);
    if (key.valid()) RegFlushKey(key.get());
}

} // namespace corvane::platform::win32
