// An in-memory registry with refusals that a test arranges per key: creating, opening and
// setting values can each be refused, and a key can be read-only to the user (it reads, but
// changing it, or creating it when missing, is refused for lack of rights). Key paths and value
// names ignore letter case.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/RegistryAccess.h"

namespace corvane::testing {

class FakeRegistry : public platform::RegistryAccess {
public:
    using KeyId = std::pair<platform::RegistryRoot, std::string>; // path in lower case

    std::map<KeyId, std::map<std::string, platform::RegistryValue>> keys;
    std::set<KeyId> refuseCreate;
    std::set<KeyId> refuseOpen;
    std::set<KeyId> refuseSet;
    std::set<KeyId> readOnly;
    std::set<std::string> refuseValues; // value names (lower case) that no key may store
    std::vector<std::string> writes; // "HKCU\path\name=text", in order
    std::vector<KeyId> reads;         // the key of every value read, in order

    static KeyId Id(platform::RegistryRoot root, const std::string& path);
    // Stores a value as a program would, a string with its terminating NUL.
    void Put(platform::RegistryRoot root, const std::string& path, const std::string& name, const std::string& text,
             std::uint32_t type = platform::RegString);
    // Stores the data as it is, of any type.
    void PutData(platform::RegistryRoot root, const std::string& path, const std::string& name, std::uint32_t type,
                 const std::string& data);
    // The text of a value up to its first NUL, or nothing when it is missing.
    std::optional<std::string> Text(platform::RegistryRoot root, const std::string& path, const std::string& name) const;
    bool HasKey(platform::RegistryRoot root, const std::string& path) const;

    platform::RegistryResult CreateKey(platform::RegistryRoot root, const std::string& path) override;
    platform::RegistryWrite SetValue(platform::RegistryRoot root, const std::string& path, const std::string& name,
                                     std::uint32_t type, const std::string& data) override;
    platform::RegistryValue ReadValue(platform::RegistryRoot root, const std::string& path,
                                      const std::string& name) override;
    std::vector<std::string> ValueNames(platform::RegistryRoot root, const std::string& path) override;
    platform::RegistryResult DeleteValue(platform::RegistryRoot root, const std::string& path,
                                         const std::string& name) override;
    platform::RegistryResult DeleteKey(platform::RegistryRoot root, const std::string& path) override;
    void Flush(platform::RegistryRoot root, const std::string& path) override { flushed.push_back(Id(root, path)); }
    std::vector<KeyId> flushed;
};

} // namespace corvane::testing
