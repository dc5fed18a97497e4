#include <windows.h>

#include <vector>

#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32RecordStore.h"
#include "platform/win32/Win32Services.h"

namespace corvane::platform::win32 {

namespace {

// Writers of the record take turns through an exclusive lock of one byte far past any end the
// file can reach: appends themselves are not serialised by every file system (Wine seeks to the
// end and writes, so two writers can write over each other's lines), and a retire must not
// happen between another writer's look at the size and its append. The lock goes with the handle,
// also when its process is killed.
constexpr DWORD TurnOffsetHigh = 0x40000000; // 2^62

OVERLAPPED TurnPosition() {
    OVERLAPPED position{};
    position.OffsetHigh = TurnOffsetHigh;
    return position;
}

// Append-only: without FILE_WRITE_DATA every write goes to the end of the file. Reading is
// asked for only because a lock needs it; DELETE lets the file be renamed through this handle.
// Others may read, append and rename meanwhile (an editor showing the file, another writer).
HANDLE OpenForAppending(const std::string& path, bool renamable) {
    const DWORD access = FILE_APPEND_DATA | FILE_READ_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE | (renamable ? DELETE : 0);
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool TakeTurn(HANDLE file) {
    const DWORD start = GetTickCount();
    for (;;) {
        OVERLAPPED position = TurnPosition();
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &position)) return true;
        if (GetLastError() != ERROR_LOCK_VIOLATION && GetLastError() != ERROR_IO_PENDING) return false;
        if (GetTickCount() - start >= Win32RecordStore::TurnWaitMs) return false;
        Sleep(1);
    }
}

class Win32RecordFile final : public RecordFile {
public:
    Win32RecordFile(Win32Handle file, std::string path, std::string olderPath)
        : File_(std::move(file)), Path_(std::move(path)), OlderPath_(std::move(olderPath)) {}
    ~Win32RecordFile() override {
        OVERLAPPED position = TurnPosition();
        UnlockFileEx(File_.Get(), 0, 1, 0, &position);
    }
    Win32RecordFile(const Win32RecordFile&) = delete;
    Win32RecordFile& operator=(const Win32RecordFile&) = delete;

    std::uint64_t Size() override {
        LARGE_INTEGER size{};
        return GetFileSizeEx(File_.Get(), &size) && size.QuadPart > 0 ? static_cast<std::uint64_t>(size.QuadPart) : 0;
    }

    bool Append(std::string_view bytes) override {
        DWORD wrote = 0;
        return ::WriteFile(File_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) &&
               wrote == bytes.size();
    }

    // Renamed through the handle, this is the file that was measured even when another writer
    // retired it a moment ago (it is then renamed onto itself). A handle without the right to
    // rename falls back to the file's name.
    bool Retire() override {
        const int length = MultiByteToWideChar(CP_ACP, 0, OlderPath_.c_str(), -1, nullptr, 0);
        if (length > 1) {
            std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + static_cast<std::size_t>(length) * sizeof(WCHAR));
            auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
            rename->ReplaceIfExists = TRUE;
            rename->RootDirectory = nullptr;
            MultiByteToWideChar(CP_ACP, 0, OlderPath_.c_str(), -1, rename->FileName, length);
            rename->FileNameLength = static_cast<DWORD>(length - 1) * sizeof(WCHAR);
            if (SetFileInformationByHandle(File_.Get(), FileRenameInfo, rename, static_cast<DWORD>(buffer.size()))) {
                return true;
            }
        }
        return MoveFileExA(Path_.c_str(), OlderPath_.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    }

private:
    Win32Handle File_;
    std::string Path_;
    std::string OlderPath_;
};

} // namespace

LocalTime Win32RecordStore::Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

// The folder is made when the file cannot be opened for want of it; a system that refuses the
// right to rename still gets its lines, only not its retires through the handle.
std::unique_ptr<RecordFile> Win32RecordStore::Open() {
    const std::string& folder = Folder();
    if (folder.empty()) return nullptr;
    const std::string path = folder + FileName;
    Win32Handle file(OpenForAppending(path, true));
    if (!file && GetLastError() == ERROR_PATH_NOT_FOUND) {
        CreateDirectoryA(folder.substr(0, folder.size() - 1).c_str(), nullptr);
        file = Win32Handle(OpenForAppending(path, true));
    }
    if (!file && GetLastError() == ERROR_ACCESS_DENIED) file = Win32Handle(OpenForAppending(path, false));
    if (!file || !TakeTurn(file.Get())) return nullptr;
    return std::make_unique<Win32RecordFile>(std::move(file), path, folder + OlderFileName);
}

const std::string& Win32RecordStore::Folder() {
    if (!Folder_) {
        const std::string local = Win32FileSystem().LocalAppDataFolder();
        Folder_ = local.empty() ? std::string() : local + UserDataFolderName + "\\";
    }
    return *Folder_;
}

} // namespace corvane::platform::win32
