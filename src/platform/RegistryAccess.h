// Registry keys and values, as the launcher reads and writes them. Every operation opens its
// key anew with only the access it needs (reads ask for read access, so that a key the user may
// read but not write still reads), and closes it before returning. Paths are taken from the
// root key itself ("Software\...", without a leading "\").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::platform {

enum class RegistryRoot { CurrentUser, LocalMachine };

// The value types of the registry that the launcher tells apart.
constexpr std::uint32_t RegString = 1;       // REG_SZ
constexpr std::uint32_t RegExpandString = 2; // REG_EXPAND_SZ
constexpr std::uint32_t RegBinary = 3;       // REG_BINARY
constexpr std::uint32_t RegDword = 4;        // REG_DWORD, little-endian
constexpr std::uint32_t RegMultiString = 7;  // REG_MULTI_SZ

// What reading one value found.
struct RegistryValue {
    enum class State { NoKey, NoValue, Present };
    State state = State::NoKey;
    std::uint32_t type = 0;
    std::string data; // the stored bytes, a string's terminating NUL included
    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// How a change went: AccessDenied when the user lacks the right to change the key (the
// machine's keys for a user without administrator rights), Failed for any other refusal.
enum class RegistryResult { Done, AccessDenied, Failed };

// How storing a value went: written; the key could not be opened for writing (OpenDenied when
// for lack of rights); or the value could not be stored (SetDenied when for lack of rights).
enum class RegistryWrite { Written, OpenRefused, OpenDenied, SetRefused, SetDenied };

class RegistryAccess {
public:
    virtual ~RegistryAccess() = default;

    // Creates the key (and the keys above it) when it is missing; an existing key is left as it
    // is, also one that the user may only read.
    virtual RegistryResult CreateKey(RegistryRoot root, const std::string& path) = 0;
    // Opens the existing key and stores data as the named value with the given type.
    virtual RegistryWrite SetValue(RegistryRoot root, const std::string& path, const std::string& name,
                                   std::uint32_t type, const std::string& data) = 0;
    // The named value's type and data, or whether the key or the value is missing.
    virtual RegistryValue ReadValue(RegistryRoot root, const std::string& path, const std::string& name) = 0;
    // The names of the key's values, in the registry's order; none when the key is missing.
    virtual std::vector<std::string> ValueNames(RegistryRoot root, const std::string& path) = 0;
    // Removes the named value; Done when it is gone afterwards, also when it never existed.
    virtual RegistryResult DeleteValue(RegistryRoot root, const std::string& path, const std::string& name) = 0;
    // Removes the key with its values (not one that has keys below it); Done when it is gone
    // afterwards, also when it never existed.
    virtual RegistryResult DeleteKey(RegistryRoot root, const std::string& path) = 0;
    // Writes the key's changes to disk before returning, so that they outlast a power cut.
    virtual void Flush(RegistryRoot root, const std::string& path) = 0;
};

} // namespace corvane::platform
