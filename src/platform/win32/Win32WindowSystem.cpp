#include "platform/win32/Win32WindowSystem.h"

#include <windows.h>

#include "platform/win32/Win32ListDialog.h"
#include "platform/win32/Win32PopupListWindow.h"

namespace corvane::platform::win32 {

void Win32WindowSystem::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Win32WindowSystem::WaitForMessages(std::uint32_t timeoutMs) {
    MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
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
