// A list dialog as a real window: a static prompt, a list box and two push buttons, laid out
// as the dialog's design says at the DPI of the window's screen, and run modally by its own
// message loop.
#pragma once

#include <windows.h>

#include <exception>

#include "platform/WindowSystem.h"
#include "platform/win32/Win32Gdi.h"

namespace corvane::platform::win32 {

class Win32ListDialog {
public:
    explicit Win32ListDialog(ListDialog& dialog);
    ~Win32ListDialog();
    Win32ListDialog(const Win32ListDialog&) = delete;
    Win32ListDialog& operator=(const Win32ListDialog&) = delete;

    // Shows the window and dispatches messages until the dialog's modal result is set;
    // then records the selected entry. An error raised while a message was handled ends the
    // run and is raised again here, outside the system's frames.
    void RunModal();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    // Fonts and the controls' places at the layout of the current DPI.
    void ApplyLayout();
    void OnDpiChanged(int dpi, const RECT& suggested);
    // The system's colours or settings have changed (the high-contrast mode, say): the dialog
    // paints with the system's colours only, and is painted again in the ones now in force.
    void OnSystemChange(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code);
    // Keys that the dialog handles before the focused control: true when the message is used up.
    bool PreTranslate(const MSG& msg);

    ListDialog& Dialog_;
    ListDialogLayout Layout_; // at the window's DPI
    HWND Window_ = nullptr;
    HWND Prompt_ = nullptr;
    HWND List_ = nullptr;
    HWND Ok_ = nullptr;
    HWND Cancel_ = nullptr;
    GdiObject<HFONT> Font_;
    GdiObject<HFONT> PromptFont_;
    std::exception_ptr Error_; // the first error that a message's handling raised
};

} // namespace corvane::platform::win32
