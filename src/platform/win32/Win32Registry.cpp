#include <windows.h>

#include <cstring>
#include <limits>

#include "platform/Errors.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Text.h"

namespace corvane::platform::win32 {

namespace {
HKEY RootKey(RegistryRoot root) { return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

// An open registry key, closed when it goes out of scope.
class OpenKey {
public:
    OpenKey(RegistryRoot root, const std::string& path, REGSAM access)
        : Status_(RegOpenKeyExW(RootKey(root), Wide(path).c_str(), 0, access, &Key_)) {
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

// The text types, which the launcher holds in UTF-8 and the registry in UTF-16, their NULs
// included; every other type's data are taken byte for byte.
bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }
} // namespace

// Only read access is asked for the handle: creating a missing key needs the right to add a
// subkey to its parent, and an existing key merely opens, also one the user may not change.
RegistryResult Win32Registry::CreateKey(RegistryRoot root, const std::string& path) {
    HKEY key = nullptr;
    const LONG status = RegCreateKeyExW(RootKey(root), Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_QUERY_VALUE, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) RegCloseKey(key);
    return ResultOf(status);
}

RegistryWrite Win32Registry::SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                                      std::uint32_t type, const std::string& data) {
    const OpenKey key(root, path, KEY_SET_VALUE);
    if (!key.valid()) return key.denied() ? RegistryWrite::OpenDenied : RegistryWrite::OpenRefused;
    const std::wstring text = IsText(type) ? Wide(data) : std::wstring();
    const BYTE* bytes = IsText(type) ? reinterpret_cast<const BYTE*>(text.data()) : reinterpret_cast<const BYTE*>(data.data());
    const std::size_t size = IsText(type) ? text.size() * sizeof(wchar_t) : data.size();
    if (size > std::numeric_limits<DWORD>::max()) return RegistryWrite::SetRefused;
    const LONG status = RegSetValueExW(key.get(), Wide(name).c_str(), 0, type, bytes, static_cast<DWORD>(size));
    if (status == ERROR_SUCCESS) return RegistryWrite::Written;
    return status == ERROR_ACCESS_DENIED ? RegistryWrite::SetDenied : RegistryWrite::SetRefused;
}

// The data is read again with a larger buffer while it grows between the two calls. Text that
// is no UTF-16 (an odd number of bytes, an unpaired surrogate) is an error naming the value.
RegistryValue Win32Registry::ReadValue(RegistryRoot root, const std::string& path, const std::string& name) {
    RegistryValue result;
    const OpenKey key(root, path, KEY_QUERY_VALUE);
    if (!key.valid()) return result;
    result.state = RegistryValue::State::NoValue;
    const std::wstring valueName = Wide(name);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return result;
    std::string data(size, '\0');
    LONG status = ERROR_MORE_DATA;
    while (status == ERROR_MORE_DATA) {
        size = static_cast<DWORD>(data.size());
        status = RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        if (status == ERROR_MORE_DATA) data.resize(std::max<std::size_t>(size, data.size() * 2));
    }
    if (status != ERROR_SUCCESS) return result;
    data.resize(size);
    result.state = RegistryValue::State::Present;
    result.type = type;
    if (IsText(type)) {
        const std::string what = "The value " + name + " of " + path;
        if (data.size() % sizeof(wchar_t) != 0) throw EEncodingError(what + " holds text of an odd number of bytes");
        std::wstring text(data.size() / sizeof(wchar_t), L'\0');
        std::memcpy(text.data(), data.data(), data.size());
        data = Utf8(text, what);
    }
    result.data = std::move(data);
    return result;
}

std::vector<std::string> Win32Registry::ValueNames(RegistryRoot root, const std::string& path) {
    constexpr std::size_t LongestValueName = 16383; // the registry's own limit
    std::vector<std::string> names;
    const OpenKey key(root, path, KEY_QUERY_VALUE);
    if (!key.valid()) return names;
    std::vector<wchar_t> name(LongestValueName + 1);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG status = RegEnumValueW(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS) continue; // one that went meanwhile
        names.push_back(Utf8(std::wstring_view(name.data(), length), "A value name of " + path));
    }
    return names;
}

RegistryResult Win32Registry::DeleteValue(RegistryRoot root, const std::string& path, const std::string& name) {
    const OpenKey key(root, path, KEY_SET_VALUE);
    if (!key.valid()) return key.missing() ? RegistryResult::Done : ResultOf(key.status()); // no key, so no value
    const LONG status = RegDeleteValueW(key.get(), Wide(name).c_str());
    return status == ERROR_FILE_NOT_FOUND ? RegistryResult::Done : ResultOf(status);
}


RegistryResult Win32Registry::DeleteKey(RegistryRoot root, const std::string& path) {
    const LONG status = RegDeleteKeyW(RootKey(root), Wide(path).c_str());
    return status == ERROR_FILE_NOT_FOUND ? RegistryResult::Done : ResultOf(status);
}

void Win32Registry::Flush(RegistryRoot root, const std::string& path) {
    const OpenKey key(root, path, KEY_QUERY_VALUE);
    if (key.valid()) RegFlushKey(key.get());
}

} // namespace corvane::platform::win32
