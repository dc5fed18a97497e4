#include "platform/win32/Win32WindowSystem.h"

#include <windows.h>

#include "platform/win32/Win32ChooserWindow.h"
#include "platform/win32/Win32OptionDialog.h"

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

void Win32WindowSystem::ShowOptionDialog(OptionDialog& dialog) {
    Win32OptionDialog window(dialog);
    window.RunModal();
}

std::unique_ptr<ChooserWindow> Win32WindowSystem::CreateChooserWindow(ChooserHandlers& handlers) {
    return std::make_unique<Win32ChooserWindow>(handlers);
}

} // namespace corvane::platform::win32
