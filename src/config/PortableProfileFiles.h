// The profile reader and writer of a build without Windows: the files are read and written
// through the installed FileSystem, decoded as the Windows profile reader decodes them (a file
// without a UTF-16 byte order mark in the legacy code page) and parsed by TProfileText, so that
// they give what the Windows profile reader gives for the same text. A changed file is written
// in the encoding it was read in. "system.ini" and other bare file names
// lie in the Windows folder given at construction.
//
// A file is parsed once and its parse reused for every value asked of it, until this reader
// writes the file or the file's stamp (size and time of its last change) shows that something
// else changed it. Reading all N values of a file thus costs one parse, not N.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/ProfileFiles.h"
#include "config/ProfileText.h"
#include "config/TextFile.h"

namespace corvane {

class TPortableProfileFiles final : public platform::ProfileFiles {
public:
    // windowsFolder ends with "\".
    explicit TPortableProfileFiles(std::string windowsFolder);

    std::string GetString(const std::string& file, const std::string& section, const std::string& key,
                          const std::string& defaultValue, std::size_t bufferSize) override;
    std::vector<std::string> GetKeyNames(const std::string& file, const std::string& section,
                                         std::size_t bufferSize) override;
    std::vector<std::string> GetSectionNames(const std::string& file, std::size_t bufferSize) override;
    bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                     const std::optional<std::string>& value) override;

    // The path that a file name stands for.
    std::string Resolve(const std::string& file) const;

private:
    // A file's parse and the stamp of the version parsed; no text when the file exists but
    // could not be read.
    struct Parsed {
        platform::FileStamp Stamp;
        std::optional<TProfileText> Text;
        TTextFile::TEncoding Encoding = TTextFile::TEncoding::Legacy; // written back so
    };

    // The parsed file (empty when it does not exist), or null when it exists but cannot be read.
    const TProfileText* Load(const std::string& path);

    std::string WindowsFolder_;
    std::map<std::string, Parsed> Parsed_; // by path
    const TProfileText Empty_{""};
};

} // namespace corvane
