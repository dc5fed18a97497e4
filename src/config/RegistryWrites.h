// Storing and reading registry values as the launcher does everywhere: a value is written into
// its key, which is made when it is missing, and a refusal is an ERegistryException that names
// the key or the value. A key path that begins with "\" is taken from the root (the leading "\"
// dropped for the call) and named as written; any other is named with its root in front
// ("HKEY_CURRENT_USER\Software\Corvane").
#pragma once

#include <cstdint>
#include <string>

#include "platform/RegistryAccess.h"

namespace corvane {

// The key as the launcher's messages name it.
std::string ShownKey(platform::RegistryRoot root, const std::string& keyPath);

// Stores data as the named value of the given type. Raises "Failed to create key <key>" when the
// key can be neither made nor opened, and "Failed to set data for '<name>'" when the value cannot
// be stored. With mayBeDenied, a refusal for lack of rights is returned instead (OpenDenied,
// SetDenied); a key that exists but cannot be opened for any other reason is returned as
// OpenRefused.
platform::RegistryWrite WriteRegistryValue(platform::RegistryRoot root, const std::string& keyPath,
                                           const std::string& name, std::uint32_t type, const std::string& data,
                                           bool mayBeDenied = false);
// The same for a text, stored as REG_SZ with its terminating NUL.
void WriteRegistryText(platform::RegistryRoot root, const std::string& keyPath, const std::string& name,
                       const std::string& text);
// The text of a string value, up to its first NUL; defaultValue when the key or the value is
// missing. Raises "Invalid data type for '<name>'" for data of another type than text.
std::string ReadRegistryText(platform::RegistryRoot root, const std::string& keyPath, const std::string& name,
                             const std::string& defaultValue);

// A text as the registry stores a string: cut at its first NUL, with a NUL at its end.
std::string StringData(const std::string& text);
// The text of stored string data: up to its first NUL.
std::string TextOf(const std::string& data);
// A number as the registry stores a REG_DWORD: four bytes, the lowest first.
std::string DwordData(std::uint32_t value);
// The number of stored REG_DWORD data, which must be four bytes.
std::uint32_t DwordOf(const std::string& data);

} // namespace corvane
