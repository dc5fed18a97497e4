#include <windows.h>

#include "platform/win32/Win32Services.h"

namespace corvane::platform::win32 {

// No owner window: the box is centred on the screen and blocks the launcher's thread.
void Win32Dialogs::ShowMessage(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), Title_.c_str(), MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
}

void Win32Dialogs::ShowErrorBox(const std::string& caption, const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP | MB_TASKMODAL | MB_SETFOREGROUND);
}

} // namespace corvane::platform::win32
