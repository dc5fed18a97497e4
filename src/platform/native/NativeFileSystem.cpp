#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/Errors.h"
#include "platform/native/NativeServices.h"
#include "text/AsciiText.h"
#include "text/NameCase.h"

namespace corvane::platform::native {

namespace fs = std::filesystem;

namespace {

// The entry of folder whose name is name: the exact one, else the first in name order that
// matches it without regard to letter case; nothing when there is none.
std::optional<fs::path> FindEntry(const fs::path& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(folder / name, error)) return folder / name;
    std::optional<fs::path> found;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string candidate = entry->path().filename().string();
        if (CompareNames(candidate, name) == 0 && (!found || candidate < found->filename().string())) {
            found = entry->path();
        }
    }
    return found;
}

} // namespace

NativeFileSystem::NativeFileSystem(fs::path folder) : Folder_(std::move(folder)) {}

// path: { component ( "\" | "/" ) } component, relative, without ".." and without a drive.
std::optional<fs::path> NativeFileSystem::Map(const std::string& path) const {
    if (path.find('\0') != std::string::npos || (path.size() >= 2 && path[1] == ':') ||
        (!path.empty() && (path.front() == '\\' || path.front() == '/'))) {
        return std::nullopt;
    }
    fs::path mapped = Folder_;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find_first_of("\\/", start), path.size());
        const std::string component = path.substr(start, end - start);
        start = end + 1;
        if (component.empty() || component == ".") continue;
        if (component == "..") return std::nullopt;
        const std::optional<fs::path> entry = FindEntry(mapped, component);
        mapped = entry ? *entry : mapped / component;
    }
    return mapped;
}

bool NativeFileSystem::FileExists(const std::string& path) {
    const std::optional<fs::path> mapped = Map(path);
    std::error_code error;
    return !path.empty() && mapped && fs::is_regular_file(*mapped, error);
}

bool NativeFileSystem::FolderExists(const std::string& path) {
    const std::optional<fs::path> mapped = Map(path);
    std::error_code error;
    return mapped && fs::is_directory(*mapped, error);
}

std::optional<FileStamp> NativeFileSystem::Stamp(const std::string& path) {
    if (!FileExists(path)) return std::nullopt;
    const fs::path mapped = *Map(path);
    std::error_code error;
    const auto size = fs::file_size(mapped, error);
    if (error) return std::nullopt;
    const auto changed = fs::last_write_time(mapped, error);
    if (error) return std::nullopt;
    return FileStamp{static_cast<std::uint64_t>(size), static_cast<std::int64_t>(changed.time_since_epoch().count())};
}

std::string NativeFileSystem::ReadFile(const std::string& path) {
    if (!FileExists(path)) throw EFOpenError(path);
    std::ifstream in(*Map(path), std::ios::binary);
    if (!in) throw EFOpenError(path);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw EReadError(path, "the read failed");
    return content;
}

} // namespace corvane::platform::native
