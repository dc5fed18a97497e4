#include "platform/win32/Win32WindowSystem.h"

#include <windows.h>

#include <sddl.h>

#include <utility>

#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32Text.h"
#include "platform/win32/Win32ListDialog.h"
#include "platform/win32/Win32PopupListWindow.h"

namespace corvane::platform::win32 {

void Win32WindowSystem::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Win32WindowSystem::WaitForMessages(std::uint32_t timeoutMs) {
    MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

namespace {

// A named mutex held by this thread; released and closed with the object.
class Win32MachineLock final : public MachineLock {
public:
    Win32MachineLock(Win32Handle mutex, bool abandoned) : Mutex_(std::move(mutex)), Abandoned_(abandoned) {}
    ~Win32MachineLock() override { ReleaseMutex(Mutex_.Get()); }
    Win32MachineLock(const Win32MachineLock&) = delete;
    Win32MachineLock& operator=(const Win32MachineLock&) = delete;
    bool Abandoned() const override { return Abandoned_; }

private:
    Win32Handle Mutex_;
    bool Abandoned_;
};

// The mutex of the name, made so that every user of the machine may wait for it and release
// it, whoever made it first. None when it can be neither made nor opened.
Win32Handle SharedMutex(const std::string& name) {
    constexpr const wchar_t* EveryoneMaySynchronize = L"D:(A;;0x00100001;;;WD)"; // SYNCHRONIZE | MUTEX_MODIFY_STATE
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
    if (ConvertStringSecurityDescriptorToSecurityDescriptorW(EveryoneMaySynchronize, SDDL_REVISION_1, &descriptor,
                                                             nullptr)) {
        attributes.lpSecurityDescriptor = descriptor;
    }
    const std::wstring wideName = Wide(name);
    HANDLE mutex = CreateMutexW(&attributes, FALSE, wideName.c_str());
    if (descriptor != nullptr) LocalFree(descriptor);
    if (mutex == nullptr && GetLastError() == ERROR_ACCESS_DENIED) {
        mutex = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, wideName.c_str());
    }
    return Win32Handle(mutex);
}

bool Owned(DWORD waitResult) { return waitResult == WAIT_OBJECT_0 || waitResult == WAIT_ABANDONED_0; }

} // namespace

std::unique_ptr<MachineLock> Win32WindowSystem::LockMachineWide(const std::string& name, std::uint32_t timeoutMs) {
    Win32Handle mutex = SharedMutex(name);
    if (!mutex) return nullptr;
    HANDLE handle = mutex.Get();
    const DWORD start = GetTickCount();
    const auto left = [&] {
        const DWORD elapsed = GetTickCount() - start;
        return elapsed >= timeoutMs ? DWORD{0} : timeoutMs - elapsed;
    };
    for (;;) {
        const DWORD result = MsgWaitForMultipleObjectsEx(1, &handle, left(), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (Owned(result)) return std::make_unique<Win32MachineLock>(std::move(mutex), result == WAIT_ABANDONED_0);
        if (result != WAIT_OBJECT_0 + 1) break; // the time is up, or the wait failed
        ProcessMessages();
        if (left() == 0) {
            const DWORD last = WaitForSingleObject(handle, 0);
            if (Owned(last)) return std::make_unique<Win32MachineLock>(std::move(mutex), last == WAIT_ABANDONED_0);
            break;
        }
    }
    return nullptr;
}

void Win32WindowSystem::ShowListDialog(ListDialog& dialog) {
    Win32ListDialog window(dialog);
    window.RunModal();
}

std::unique_ptr<PopupListWindow> Win32WindowSystem::CreatePopupListWindow(const PopupListLayout& layout,
                                                                          PopupListEvents& events) {
    return std::make_unique<Win32PopupListWindow>(layout, events);
}

} // namespace corvane::platform::win32
