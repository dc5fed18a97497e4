// The option prompt as a real window: a static prompt, a list box and two push buttons,
// run modally by its own message loop.
#pragma once

#include <windows.h>

#include "platform/WindowSystem.h"
#include "platform/win32/Win32Gdi.h"

namespace corvane::platform::win32 {

class Win32OptionDialog {
public:
    explicit Win32OptionDialog(OptionDialog& dialog);
    ~Win32OptionDialog();
    Win32OptionDialog(const Win32OptionDialog&) = delete;
    Win32OptionDialog& operator=(const Win32OptionDialog&) = delete;

    // Shows the window and dispatches messages until the dialog's modal result is set;
    // then records the selected entry.
    void RunModal();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void OnCommand(int id, int code);
    // Keys that the dialog handles before the focused control: true when the message is used up.
    bool PreTranslate(const MSG& msg);

    OptionDialog& Dialog_;
    HWND Window_ = nullptr;
    HWND Prompt_ = nullptr;
    HWND List_ = nullptr;
    GdiObject<HFONT> Font_;
};

} // namespace corvane::platform::win32
