#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32RecordStore.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32Text.h"

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

// Reading is asked for only because a lock needs it. With full rights the file can also be cut
// back (FILE_WRITE_DATA) and renamed (DELETE) through this handle; without them it is
// append-only: every write goes to the end of the file. Others may read, append and rename
// meanwhile (an editor showing the file, another writer).
HANDLE OpenForAppending(const std::wstring& path, bool fullRights) {
    const DWORD access = FILE_APPEND_DATA | FILE_READ_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE |
                         (fullRights ? FILE_WRITE_DATA | DELETE : 0);
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
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
    Win32RecordFile(Win32Handle file, bool fullRights, std::wstring olderPath)
        : File_(std::move(file)), FullRights_(fullRights), OlderPath_(std::move(olderPath)) {}
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

    // With the turn held nobody else writes: the end that was measured is where the bytes go. An
    // append-only handle writes at the end by itself.
    std::size_t Append(std::string_view bytes) override {
        OVERLAPPED at{};
        LARGE_INTEGER end{};
        if (FullRights_) {
            if (!GetFileSizeEx(File_.Get(), &end)) return 0;
            at.Offset = end.LowPart;
            at.OffsetHigh = static_cast<DWORD>(end.HighPart);
        }
        DWORD wrote = 0;
        if (!::WriteFile(File_.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, FullRights_ ? &at : nullptr)) {
            return 0;
        }
        return wrote;
    }

    bool TakeBack(std::uint64_t size) override {
        FILE_END_OF_FILE_INFO end{};
        end.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
        return FullRights_ && SetFileInformationByHandle(File_.Get(), FileEndOfFileInfo, &end, sizeof end);
    }

    // Renamed through the handle, this is the file that was measured, whatever another writer did
    // with the name before this one had its turn. A handle without the right to rename retires
    // nothing: the line waits for a writer that has it.
    bool Retire() override {
        if (!FullRights_) return false;
        if (OlderPath_.empty()) return false;
        std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + (OlderPath_.size() + 1) * sizeof(WCHAR));
        auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
        rename->ReplaceIfExists = TRUE;
        rename->RootDirectory = nullptr;
        std::memcpy(rename->FileName, OlderPath_.c_str(), (OlderPath_.size() + 1) * sizeof(WCHAR));
        rename->FileNameLength = static_cast<DWORD>(OlderPath_.size() * sizeof(WCHAR));
        return SetFileInformationByHandle(File_.Get(), FileRenameInfo, rename, static_cast<DWORD>(buffer.size())) != FALSE;
    }

private:
    Win32Handle File_;
    bool FullRights_;
    std::wstring OlderPath_;
};

} // namespace

LocalTime Win32RecordStore::Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

// The folder is made when the file cannot be opened for want of it; a system that refuses the
// rights to cut back and rename still gets its lines, only not their taking back and retires.
std::unique_ptr<RecordFile> Win32RecordStore::Open() {
    const std::wstring& folder = Folder();
    if (folder.empty()) return nullptr;
    const std::wstring path = folder + Wide(FileName);
    Win32Handle file(OpenForAppending(path, true));
    if (!file && GetLastError() == ERROR_PATH_NOT_FOUND) {
        CreateDirectoryW(folder.substr(0, folder.size() - 1).c_str(), nullptr);
        file = Win32Handle(OpenForAppending(path, true));
    }
    bool fullRights = true;
    if (!file && GetLastError() == ERROR_ACCESS_DENIED) {
        fullRights = false;
        file = Win32Handle(OpenForAppending(path, false));
    }
    if (!file || !TakeTurn(file.Get())) return nullptr;
    return std::make_unique<Win32RecordFile>(std::move(file), fullRights, folder + Wide(OlderFileName));
}

const std::wstring& Win32RecordStore::Folder() {
    if (!Folder_) {
        const std::string local = Win32FileSystem().LocalAppDataFolder();
        Folder_ = local.empty() ? std::wstring() : Wide(local + UserDataFolderName + "\\");
    }
    return *Folder_;
}

} // namespace corvane::platform::win32
