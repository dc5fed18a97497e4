#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/Errors.h"
#include "platform/GrowingBuffer.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32SystemMessage.h"
#include "platform/win32/Win32Text.h"

namespace corvane::platform::win32 {

namespace {
// Writes at an offset through the OVERLAPPED position of a handle opened without
// FILE_FLAG_OVERLAPPED: the call is synchronous and writes where the structure says.
class Win32OutputFile final : public OutputFile {
public:
    explicit Win32OutputFile(HANDLE handle) : File_(handle) {}

    bool WriteAt(std::uint64_t offset, std::string_view data) override {
        std::size_t done = 0;
        while (done < data.size()) {
            const DWORD part = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 20));
            const std::uint64_t at = offset + done;
            OVERLAPPED position{};
            position.Offset = static_cast<DWORD>(at & 0xFFFFFFFFu);
            position.OffsetHigh = static_cast<DWORD>(at >> 32);
            DWORD wrote = 0;
            if (!::WriteFile(File_.Get(), data.data() + done, part, &wrote, &position) || wrote != part) return false;
            done += part;
        }
        return true;
    }

private:
    Win32Handle File_;
};
} // namespace

// A path that fills the whole buffer was cut short. A path that UTF-8 cannot carry names no
// folder the launcher could read from: that is an error, never a look-alike.
std::string Win32FileSystem::ExePath() {
    const std::optional<std::wstring> path =
        ReadGrowingBuffer<wchar_t>(MAX_PATH, [](wchar_t* buffer, std::size_t capacity) {
            const DWORD length = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(capacity));
            if (length == 0) return BufferRead{BufferRead::Outcome::Failed, 0};
            if (length >= capacity) return BufferRead{BufferRead::Outcome::TooSmall, 0};
            return BufferRead{BufferRead::Outcome::Fit, length};
        });
    return path ? Utf8(*path, "The path of corvane.exe") : std::string();
}

// The logon sets LOCALAPPDATA for every program of the session; asking the shell instead would
// load the shell's libraries into every run, the windowless ones too. The shell answers only
// where the variable is missing.
std::string Win32FileSystem::LocalAppDataFolder() {
    std::optional<std::wstring> folder =
        ReadGrowingBuffer<wchar_t>(MAX_PATH, [](wchar_t* buffer, std::size_t capacity) {
            const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, static_cast<DWORD>(capacity));
            if (length == 0) return BufferRead{BufferRead::Outcome::Failed, 0};
            if (length >= capacity) return BufferRead{BufferRead::Outcome::TooSmall, length};
            return BufferRead{BufferRead::Outcome::Fit, length};
        });
    if (!folder || folder->empty()) {
        wchar_t shell[MAX_PATH] = {};
        if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, shell)) || shell[0] == L'\0') {
            return {};
        }
        folder = shell;
    }
    std::string path = Utf8(*folder, "The folder of the user's local application data");
    if (path.back() != '\\') path += '\\';
    return path;
}

namespace {
DWORD AttributesOf(const std::string& path) {
    return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(Wide(path).c_str());
}
} // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32FileSystem::FolderExists(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<FileStamp> Win32FileSystem::Stamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (path.empty() || !GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    const auto high = [](DWORD upper, DWORD lower) { return (static_cast<std::uint64_t>(upper) << 32) | lower; };
    return FileStamp{high(data.nFileSizeHigh, data.nFileSizeLow),
                     static_cast<std::int64_t>(high(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime))};
}

// A path too long for the buffer is not written; the call gives the size it needs instead. The
// short (8.3) names of a path that is there are given in full (C:\PROGRA~1 is C:\Program Files),
// so that two spellings of one file compare equal.
std::string Win32FileSystem::FullPath(const std::string& path) {
    const std::wstring given = Wide(path);
    const std::wstring full = ReadGrowingBuffer<wchar_t>(MAX_PATH, [&given](wchar_t* buffer, std::size_t capacity) {
                                  const DWORD length =
                                      GetFullPathNameW(given.c_str(), static_cast<DWORD>(capacity), buffer, nullptr);
                                  if (length == 0) return BufferRead{BufferRead::Outcome::Failed, 0};
                                  if (length >= capacity) return BufferRead{BufferRead::Outcome::TooSmall, length};
                                  return BufferRead{BufferRead::Outcome::Fit, length};
                              }).value_or(given);
    const std::wstring longer = ReadGrowingBuffer<wchar_t>(MAX_PATH, [&full](wchar_t* buffer, std::size_t capacity) {
                                    const DWORD length = GetLongPathNameW(full.c_str(), buffer, static_cast<DWORD>(capacity));
                                    if (length == 0) return BufferRead{BufferRead::Outcome::Failed, 0};
                                    if (length >= capacity) return BufferRead{BufferRead::Outcome::TooSmall, length};
                                    return BufferRead{BufferRead::Outcome::Fit, length};
                                }).value_or(full);
    return Utf8(longer, "The full path of \"" + path + "\"");
}

// Opened for reading while others may read too, as a text editor would.
std::string Win32FileSystem::ReadFile(const std::string& path) {
    const Win32Handle file(CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        throw EFOpenError(path);
    }
    std::string content;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0 && static_cast<std::uint64_t>(size.QuadPart) < content.max_size()) {
        content.reserve(static_cast<std::size_t>(size.QuadPart)); // one allocation, not a doubling series of them
    }
    // A read that fails before the end (a network share that went away, a locked range) must
    // not pass for the end of the file: the caller would take half of it for all.
    char chunk[65536];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr)) {
            throw EReadError(path, SystemMessage(GetLastError()));
        }
        if (read == 0) return content;
        content.append(chunk, read);
    }
}

bool Win32FileSystem::CreateEmptyFile(const std::string& path) {
    const Win32Handle file(CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                       nullptr));
    return file.Valid();
}

bool Win32FileSystem::CreateDirectory(const std::string& path) {
    return ::CreateDirectoryW(Wide(path).c_str(), nullptr) != FALSE;
}

bool Win32FileSystem::CopyFile(const std::string& source, const std::string& target, bool failIfExists) {
    return ::CopyFileW(Wide(source).c_str(), Wide(target).c_str(), failIfExists ? TRUE : FALSE) != FALSE;
}

bool Win32FileSystem::WriteFile(const std::string& path, const std::string& data) {
    bool written = false;
    {
        const Win32Handle file(
            CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) return false;
        written = true;
        std::size_t done = 0;
        while (written && done < data.size()) {
            const DWORD part = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 20));
            DWORD wrote = 0;
            written = ::WriteFile(file.Get(), data.data() + done, part, &wrote, nullptr) && wrote == part;
            done += part;
        }
    }
    if (!written) {
        ::DeleteFileW(Wide(path).c_str());
    }
    return written;
}

std::unique_ptr<OutputFile> Win32FileSystem::CreateOutputFile(const std::string& path) {
    HANDLE handle = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32OutputFile>(handle);
}

bool Win32FileSystem::ReplaceFile(const std::string& source, const std::string& target) {
    return MoveFileExW(Wide(source).c_str(), Wide(target).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           FALSE;
}

bool Win32FileSystem::DeleteFile(const std::string& path) {
    return ::DeleteFileW(Wide(path).c_str()) != FALSE;
}

} // namespace corvane::platform::win32
