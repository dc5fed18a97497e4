// The platform's profile (INI) file reader and writer.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvane::platform {

class ProfileFiles {
public:
    virtual ~ProfileFiles() = default;

    // The value of key in section of file, or defaultValue when the file, section or key is
    // missing; at most bufferSize - 1 characters. A bare file name means the Windows folder.
    virtual std::string GetString(const std::string& file, const std::string& section,
                                  const std::string& key, const std::string& defaultValue,
                                  std::size_t bufferSize) = 0;
    // The key names of section in file order, as far as they fit a buffer of bufferSize
    // bytes (each name with its terminating NUL).
    virtual std::vector<std::string> GetKeyNames(const std::string& file, const std::string& section,
                                                 std::size_t bufferSize) = 0;
    // The names of the sections of file in file order, as far as they fit a buffer of
    // bufferSize bytes (each name with its terminating NUL); the lines before the first
    // section are no section.
    virtual std::vector<std::string> GetSectionNames(const std::string& file, std::size_t bufferSize) = 0;
    // Writes key=value into section, or removes the key when value is empty (nullopt).
    virtual bool WriteString(const std::string& file, const std::string& section,
                             const std::string& key, const std::optional<std::string>& value) = 0;
};

} // namespace corvane::platform
