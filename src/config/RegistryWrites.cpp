#include "config/RegistryWrites.h"

#include "platform/Errors.h"
#include "platform/Platform.h"

namespace corvane {

namespace {
bool FromRootPath(const std::string& keyPath) { return !keyPath.empty() && keyPath.front() == '\\'; }

std::string CallPath(const std::string& keyPath) { return FromRootPath(keyPath) ? keyPath.substr(1) : keyPath; }
} // namespace

std::string ShownKey(platform::RegistryRoot root, const std::string& keyPath) {
    if (FromRootPath(keyPath)) return keyPath;
    return std::string(root == platform::RegistryRoot::CurrentUser ? "HKEY_CURRENT_USER\\" : "HKEY_LOCAL_MACHINE\\") +
           keyPath;
}

platform::RegistryWrite WriteRegistryValue(platform::RegistryRoot root, const std::string& keyPath,
                                           const std::string& name, std::uint32_t type, const std::string& data,
                                           bool mayBeDenied) {
    using platform::RegistryWrite;
    platform::RegistryAccess& registry = platform::Registry();
    const std::string path = CallPath(keyPath);
    const platform::RegistryResult created = registry.CreateKey(root, path);
    if (created == platform::RegistryResult::AccessDenied && mayBeDenied) return RegistryWrite::OpenDenied;
    if (created != platform::RegistryResult::Done) {
        throw ERegistryException("Failed to create key " + ShownKey(root, keyPath));
    }
    const RegistryWrite result = registry.SetValue(root, path, name, type, data);
    if (result == RegistryWrite::Written) return result;
    if (mayBeDenied && (result == RegistryWrite::OpenDenied || result == RegistryWrite::SetDenied)) return result;
    // The shell setting's keys keep their old rule: one that exists but does not open is left alone.
    const bool opened = result == RegistryWrite::SetRefused || result == RegistryWrite::SetDenied;
    if (!opened && FromRootPath(keyPath)) return result;
    throw ERegistryException("Failed to set data for '" + name + "'" +
                             (FromRootPath(keyPath) ? std::string() : " under " + ShownKey(root, keyPath)));
}

void WriteRegistryText(platform::RegistryRoot root, const std::string& keyPath, const std::string& name,
                       const std::string& text) {
    WriteRegistryValue(root, keyPath, name, platform::RegString, StringData(text));
}

std::string ReadRegistryText(platform::RegistryRoot root, const std::string& keyPath, const std::string& name,
                             const std::string& defaultValue) {
    const platform::RegistryValue value = platform::Registry().ReadValue(root, CallPath(keyPath), name);
    if (value.state != platform::RegistryValue::State::Present) return defaultValue;
    if (value.data.empty()) return "";
    if (value.type != platform::RegString && value.type != platform::RegExpandString) {
        throw ERegistryException("Invalid data type for '" + name + "'");
    }
    return TextOf(value.data);
}

std::string StringData(const std::string& text) { return TextOf(text) + '\0'; }

std::string TextOf(const std::string& data) { return data.substr(0, data.find('\0')); }

std::string DwordData(std::uint32_t value) {
    std::string data(sizeof value, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return data;
}

std::uint32_t DwordOf(const std::string& data) {
    std::uint32_t number = 0;
    for (std::size_t i = sizeof number; i-- > 0;) number = number << 8 | static_cast<unsigned char>(data.at(i));
    return number;
}

} // namespace corvane
