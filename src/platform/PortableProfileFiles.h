// The profile reader and writer of a build without Windows: the files are read and written
// through the installed FileSystem and parsed by ProfileText, so that they give what the
// Windows profile reader gives for the same text. "system.ini" and other bare file names
// lie in the Windows folder given at construction. Nothing is cached.
#pragma once

#include <optional>
#include <string>

#include "platform/ProfileFiles.h"
#include "platform/ProfileText.h"

namespace corvane::platform {

class PortableProfileFiles final : public ProfileFiles {
public:
    // windowsFolder ends with "\".
    explicit PortableProfileFiles(std::string windowsFolder);

    std::string GetString(const std::string& file, const std::string& section, const std::string& key,
                          const std::string& defaultValue, std::size_t bufferSize) override;
    std::vector<std::string> GetKeyNames(const std::string& file, const std::string& section,
                                         std::size_t bufferSize) override;
    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::optional<std::string>& value) override;

    // The path that a file name stands for.
    std::string Resolve(const std::string& file) const;

private:
    // The parsed file (empty when it does not exist), or nothing when it exists but cannot be read.
    std::optional<ProfileText> Load(const std::string& path) const;

    std::string WindowsFolder_;
};

} // namespace corvane::platform
