#include "support/FakeRegistry.h"

#include <cctype>

namespace corvane::testing {

namespace {
std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}
} // namespace

FakeRegistry::KeyId FakeRegistry::Id(platform::RegistryRoot root, const std::string& path) { return {root, Lower(path)}; }

void FakeRegistry::Put(platform::RegistryRoot root, const std::string& path, const std::string& name,
                       const std::string& text, std::uint32_t type) {
    PutData(root, path, name, type, text + '\0');
}

void FakeRegistry::PutData(platform::RegistryRoot root, const std::string& path, const std::string& name,
                           std::uint32_t type, const std::string& data) {
    keys[Id(root, path)][Lower(name)] = {platform::RegistryValue::State::Present, type, data};
}

std::optional<std::string> FakeRegistry::Text(platform::RegistryRoot root, const std::string& path,
                                              const std::string& name) const {
    const auto key = keys.find(Id(root, path));
    if (key == keys.end()) return std::nullopt;
    const auto value = key->second.find(Lower(name));
    if (value == key->second.end()) return std::nullopt;
    return value->second.data.substr(0, value->second.data.find('\0'));
}

bool FakeRegistry::HasKey(platform::RegistryRoot root, const std::string& path) const {
    return keys.count(Id(root, path)) != 0;
}

platform::RegistryResult FakeRegistry::CreateKey(platform::RegistryRoot root, const std::string& path) {
    const KeyId id = Id(root, path);
    if (refuseCreate.count(id) != 0) return platform::RegistryResult::Failed;
    if (readOnly.count(id) != 0 && keys.count(id) == 0) return platform::RegistryResult::AccessDenied;
    keys[id];
    return platform::RegistryResult::Done;
}

platform::RegistryWrite FakeRegistry::SetValue(platform::RegistryRoot root, const std::string& path,
                                               const std::string& name, std::uint32_t type, const std::string& data) {
    const KeyId id = Id(root, path);
    if (keys.count(id) == 0 || refuseOpen.count(id) != 0) return platform::RegistryWrite::OpenRefused;
    if (readOnly.count(id) != 0) return platform::RegistryWrite::OpenDenied;
    if (refuseSet.count(id) != 0 || refuseValues.count(Lower(name)) != 0) return platform::RegistryWrite::SetRefused;
    keys[id][Lower(name)] = {platform::RegistryValue::State::Present, type, data};
    writes.push_back(std::string(root == platform::RegistryRoot::CurrentUser ? "HKCU\\" : "HKLM\\") + path + "\\" +
                     name + "=" + data.substr(0, data.find('\0')));
    return platform::RegistryWrite::Written;
}

platform::RegistryValue FakeRegistry::ReadValue(platform::RegistryRoot root, const std::string& path,
                                                const std::string& name) {
    const KeyId id = Id(root, path);
    reads.push_back(id);
    if (keys.count(id) == 0 || refuseOpen.count(id) != 0) return {};
    const auto& values = keys[id];
    const auto value = values.find(Lower(name));
    if (value == values.end()) return {platform::RegistryValue::State::NoValue, 0, {}};
    return value->second;
}

// Names come back in lower case, as the fake keeps them.
std::vector<std::string> FakeRegistry::ValueNames(platform::RegistryRoot root, const std::string& path) {
    std::vector<std::string> names;
    const auto key = keys.find(Id(root, path));
    if (key == keys.end() || refuseOpen.count(key->first) != 0) return names;
    for (const auto& [name, value] : key->second) names.push_back(name);
    return names;
}

platform::RegistryResult FakeRegistry::DeleteValue(platform::RegistryRoot root, const std::string& path,
                                                   const std::string& name) {
    const KeyId id = Id(root, path);
    if (keys.count(id) == 0) return platform::RegistryResult::Done;
    if (readOnly.count(id) != 0) return platform::RegistryResult::AccessDenied;
    if (refuseOpen.count(id) != 0 || refuseSet.count(id) != 0) return platform::RegistryResult::Failed;
    keys[id].erase(Lower(name));
    return platform::RegistryResult::Done;
}

platform::RegistryResult FakeRegistry::DeleteKey(platform::RegistryRoot root, const std::string& path) {
    const KeyId id = Id(root, path);
    if (readOnly.count(id) != 0) return platform::RegistryResult::AccessDenied;
    if (refuseOpen.count(id) != 0) return platform::RegistryResult::Failed;
    keys.erase(id);
    return platform::RegistryResult::Done;
}

} // namespace corvane::testing
