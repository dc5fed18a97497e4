// The shell chooser's window on Windows: a borderless popup with a static text for the title,
// an owner-drawn drop-down-list combo box that keeps its strings, and a window timer. Its own
// message loop runs it modally and shows every key release in the window to the chooser first.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "platform/ChooserWindow.h"
#include "platform/win32/Win32Gdi.h"

namespace corvane::platform::win32 {

class Win32ChooserWindow final : public ChooserWindow {
public:
    // Creates the window hidden, with its controls; raises EOSError when the system refuses.
    explicit Win32ChooserWindow(ChooserHandlers& handlers);
    ~Win32ChooserWindow() override;
    Win32ChooserWindow(const Win32ChooserWindow&) = delete;
    Win32ChooserWindow& operator=(const Win32ChooserWindow&) = delete;

    std::string TitleCaption() override;
    void SetTitleCaption(const std::string& caption) override;
    void AddShell(const std::string& name) override;
    int ShellCount() override;
    std::string ShellName(int index) override;
    int ItemIndex() override;
    void SetItemIndex(int index) override;
    int FindShellExact(const std::string& name) override;
    void FocusShells() override;
    void SetColours(TColor text, TColor list) override;
    void SetTimer(std::uint32_t intervalMs) override;
    void SetCursor(TCursorKind cursor) override;
    void DragWindow() override;
    void Repaint() override;
    void ShowModal() override;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    // Runs a handler, keeping an error that it raises for ShowModal to raise again.
    template <typename Action> void Guarded(Action action);

    // Messages that the chooser sees before the control they are meant for.
    void PreviewMessage(const MSG& message);
    bool Finished() const;
    void OnPaint();
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    LRESULT OnControlColour(HDC dc, HWND control);
    bool OnSetCursor(HWND window, int hitTest);
    // Paints the title strip again (the title text has no background of its own).
    void RepaintTitle();

    ChooserHandlers& Handlers_;
    GdiObject<HFONT> WindowFont_;
    GdiObject<HFONT> TitleFont_;
    GdiObject<HBRUSH> ListBrush_;
    COLORREF TextColour_ = 0;
    COLORREF ListColour_ = 0;
    TCursorKind Cursor_ = TCursorKind::Default;
    bool TimerRunning_ = false;
    bool Showing_ = false;
    std::exception_ptr Error_;
    HWND Window_ = nullptr;
    HWND Title_ = nullptr;
    HWND Shells_ = nullptr;
};

} // namespace corvane::platform::win32
