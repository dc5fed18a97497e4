// Files as the launcher sees them: its own executable, plain files and folders.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::platform {

// The launcher's own folder in the current user's local application data (LocalAppDataFolder),
// for what it keeps per user: the converted wallpaper when the program folder is read-only, and
// the logon record.
constexpr const char* UserDataFolderName = "Corvane";

// A file open for writing, written piece by piece at the offsets given, in any order. The file
// is closed when the object goes.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    // Writes data at offset bytes from the start of the file; false on any failure.
    virtual bool WriteAt(std::uint64_t offset, std::string_view data) = 0;
};

// What tells one version of a file from another: its size and the time of its last change.
struct FileStamp {
    std::uint64_t Size = 0;
    std::int64_t Modified = 0; // in the system's own unit
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Full path of the running executable, as the system reports it.
    virtual std::string ExePath() = 0;
    // The current user's own folder for local application data, with a trailing "\"; empty when
    // the system does not give one.
    virtual std::string LocalAppDataFolder() = 0;
    // True only when a file (not a folder) exists at path; an empty path does not exist.
    virtual bool FileExists(const std::string& path) = 0;
    // True only when a folder (not a file) exists at path.
    virtual bool FolderExists(const std::string& path) = 0;
    // The size and last change time of the file at path; nothing when no file is there.
    virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;
    // The full path that path stands for, a relative one taken from the current folder.
    virtual std::string FullPath(const std::string& path) = 0;
    // The whole content of the file; raises EFOpenError when it cannot be opened for reading.
    virtual std::string ReadFile(const std::string& path) = 0;
    // Creates (or truncates to) an empty file; false when that is refused.
    virtual bool CreateEmptyFile(const std::string& path) = 0;
    // Creates one folder; false when it fails (it exists already, or is refused).
    virtual bool CreateDirectory(const std::string& path) = 0;
    // Copies a file; with failIfExists false an existing target is replaced.
    virtual bool CopyFile(const std::string& source, const std::string& target, bool failIfExists) = 0;
    // Writes data to a new file at path (replacing one that is there); false on any failure.
    virtual bool WriteFile(const std::string& path, const std::string& data) = 0;
    // Creates (or truncates) a file at path for writing piece by piece; null when that is refused.
    virtual std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) = 0;
    // Moves a complete file over target in one step; false on failure.
    virtual bool ReplaceFile(const std::string& source, const std::string& target) = 0;
    // Removes a file; false when it could not be removed.
    virtual bool DeleteFile(const std::string& path) = 0;
};

} // namespace corvane::platform
