// A popup list window on Windows: a borderless popup with a static text for the label, an
// owner-drawn drop-down-list combo box that keeps its strings, and a window timer. Its own
// message loop runs it modally and reports every key release in the window first.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "platform/PopupListWindow.h"
#include "platform/win32/Win32Gdi.h"

namespace corvane::platform::win32 {

class Win32PopupListWindow final : public PopupListWindow {
public:
    // Creates the window hidden, with its controls; raises EOSError when the system refuses.
    Win32PopupListWindow(const PopupListLayout& layout, PopupListEvents& events);
    ~Win32PopupListWindow() override;
    Win32PopupListWindow(const Win32PopupListWindow&) = delete;
    Win32PopupListWindow& operator=(const Win32PopupListWindow&) = delete;

    int Dpi() override { return Dpi_; }
    std::string LabelText() override;
    void SetLabelText(const std::string& text) override;
    void AddListItem(const std::string& text) override;
    int ListCount() override;
    std::string ListItem(int index) override;
    int ListIndex() override;
    void SetListIndex(int index) override;
    int FindListItemExact(const std::string& text) override;
    void FocusList() override;
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
    // Fonts, controls and row height at the layout of the current DPI.
    void CreateFonts();
    void ApplyLayout();
    // The label's font: the layout's, or smaller where the label's text would not fit.
    void FitLabelFont();
    void OnDpiChanged(int dpi, const RECT& suggested);
    // The system's colours or settings have changed: the controls and the events hear of it,
    // and the whole window is painted again.
    void OnSystemChange(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs a handler, keeping an error that it raises for ShowModal to raise again.
    template <typename Action> void Guarded(Action action);

    // Messages that the events see before the control they are meant for; true when the events
    // have taken the message, which then goes no further.
    bool PreviewMessage(const MSG& message);
    bool Finished() const;
    void OnPaint();
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    LRESULT OnControlColour(HDC dc, HWND control);
    bool OnSetCursor(HWND window, int hitTest);
    // The window's font in the colour given, as drawing surfaces take it.
    TFont WindowFont(TColor colour) const { return {Layout_.FontName, Layout_.FontPoints, false, colour}; }
    // Paints the window beneath the label again (the label has no background of its own).
    void RepaintLabel();

    const PopupListLayout Design_; // at 96 pixels per inch
    PopupListLayout Layout_;       // at the window's DPI
    int Dpi_ = DesignDpi;
    PopupListEvents& Events_;
    GdiObject<HFONT> WindowFont_;
    GdiObject<HFONT> LabelFont_;
    GdiObject<HBRUSH> ListBrush_;
    COLORREF TextColour_ = 0;
    COLORREF ListColour_ = 0;
    TCursorKind Cursor_ = TCursorKind::Default;
    bool TimerRunning_ = false;
    std::exception_ptr Error_;
    HWND Window_ = nullptr;
    HWND Label_ = nullptr;
    HWND List_ = nullptr;
};

} // namespace corvane::platform::win32
