#include "platform/win32/Win32PopupListWindow.h"

#include <windowsx.h>

#include <utility>
#include <vector>

#include "platform/Errors.h"
#include "platform/win32/Win32Canvas.h"
#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32Text.h"

namespace corvane::platform::win32 {

namespace {

constexpr UINT_PTR TimerId = 1;
constexpr WPARAM MoveByCaption = 0xF012; // SC_MOVE + HTCAPTION: the system's window-drag loop

RECT ToRect(const TRect& rect) { return {rect.Left, rect.Top, rect.Right, rect.Bottom}; }

TShiftState MouseShiftState(WPARAM flags) {
    TShiftState state = 0;
    if (flags & MK_SHIFT) state |= ssShift;
    if (flags & MK_CONTROL) state |= ssCtrl;
    if (flags & MK_LBUTTON) state |= ssLeft;
    if (flags & MK_RBUTTON) state |= ssRight;
    if (flags & MK_MBUTTON) state |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) state |= ssAlt;
    return state;
}

TShiftState KeyShiftState() {
    TShiftState state = 0;
    if (GetKeyState(VK_SHIFT) < 0) state |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) state |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) state |= ssAlt;
    return state;
}

// The mouse button of a button-down message; false for other messages.
bool ButtonOf(UINT message, WPARAM wParam, TMouseButton& button) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: button = TMouseButton::Left; return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: button = TMouseButton::Right; return true;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: button = TMouseButton::Middle; return true;
    case WM_XBUTTONDOWN:
    case WM_XBUTTONDBLCLK: button = TMouseButton::Extra; return GET_XBUTTON_WPARAM(wParam) != 0;
    default: return false;
    }
}

bool Intersects(const RECT& a, const RECT& b) {
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

} // namespace

// The window is made at the design's size first: only then does the system tell the DPI of the
// screen that shows it, and the window takes the layout at that DPI before its controls exist.
Win32PopupListWindow::Win32PopupListWindow(const PopupListLayout& layout, PopupListEvents& events)
    : Design_(layout), Layout_(layout), Events_(events) {
    const std::string name = Layout_.Caption;
    SetColours(clWhite, clBlack);

    const std::wstring className = Wide(Layout_.ClassName);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className.c_str();
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        RaiseLastError("Cannot register the window class of the " + name + " window");
    }
    RECT frame{0, 0, Layout_.ClientWidth, Layout_.ClientHeight};
    AdjustWindowRectEx(&frame, WS_POPUP, FALSE, 0);
    Window_ = CreateWindowExW(0, className.c_str(), Wide(Layout_.Caption).c_str(), WS_POPUP | WS_CLIPSIBLINGS, 0, 0,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (Window_ == nullptr) RaiseLastError("Cannot create the " + name + " window");
    try {
        Dpi_ = WindowDpi(Window_);
        Layout_ = ScaleLayout(Design_, Dpi_);
        SetWindowPos(Window_, nullptr, 0, 0, Layout_.ClientWidth, Layout_.ClientHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        CreateFonts();
        CreateControls();
    } catch (...) {
        DestroyWindow(Window_);
        throw;
    }
}

Win32PopupListWindow::~Win32PopupListWindow() {
    if (TimerRunning_) KillTimer(Window_, TimerId);
    DestroyWindow(Window_); // destroys the controls with it; the fonts and brushes go afterwards
}

void Win32PopupListWindow::CreateControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::string name = Layout_.Caption;
    const TRect& label = Layout_.Label;
    Label_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY,
                             label.Left, label.Top, label.Width(), label.Height(), Window_, nullptr, instance, nullptr);
    if (Label_ == nullptr) RaiseLastError("Cannot create the title of the " + name + " window");
    const TRect& list = Layout_.List;
    List_ = CreateWindowExW(0, L"COMBOBOX", L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                CBS_HASSTRINGS,
                            list.Left, list.Top, list.Width(), list.Height(), Window_, nullptr, instance, nullptr);
    if (List_ == nullptr) RaiseLastError("Cannot create the list of the " + name + " window");
    ApplyLayout();
}

void Win32PopupListWindow::CreateFonts() {
    GdiObject<HFONT> font = CreateUiFont(Layout_.FontName, Layout_.FontHeight, false);
    if (!font) RaiseLastError("Cannot create the fonts of the " + std::string(Layout_.Caption) + " window");
    WindowFont_ = std::move(font);
}

// The controls are moved and given their fonts; the fonts they had are deleted only afterwards.
// A combo box's height includes its dropped-down list.
void Win32PopupListWindow::ApplyLayout() {
    const TRect& label = Layout_.Label;
    const TRect& list = Layout_.List;
    const int rowHeight = Layout_.ListRowHeight;
    SetWindowPos(Label_, nullptr, label.Left, label.Top, label.Width(), label.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(List_, nullptr, list.Left, list.Top, list.Width(), list.Height() + Layout_.ListDropDownRows * rowHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    FitLabelFont();
    SendMessageW(List_, WM_SETFONT, reinterpret_cast<WPARAM>(WindowFont_.Get()), FALSE);
    SendMessageW(List_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), rowHeight); // the closed list's field
    SendMessageW(List_, CB_SETITEMHEIGHT, 0, rowHeight);
}

void Win32PopupListWindow::FitLabelFont() {
    const HDC dc = GetDC(Label_);
    GdiObject<HFONT> font = CreateFittingFont(dc, Layout_.FontName, Layout_.LabelFontHeight, true, LabelText(),
                                              Layout_.Label.Width());
    if (dc != nullptr) ReleaseDC(Label_, dc);
    if (!font) RaiseLastError("Cannot create the title font of the " + std::string(Layout_.Caption) + " window");
    SendMessageW(Label_, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    LabelFont_ = std::move(font);
}

// The suggested place keeps the window on the screen it moved to; its size is the layout's at
// the new DPI, which differs from the suggested one by a rounding pixel at most. A font that
// cannot be made ends the modal run with the error, like a failing handler.
void Win32PopupListWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == Dpi_) return;
    Dpi_ = dpi;
    Layout_ = ScaleLayout(Design_, Dpi_);
    SetWindowPos(Window_, nullptr, suggested.left, suggested.top, Layout_.ClientWidth, Layout_.ClientHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    GdiObject<HFONT> previousFont = std::move(WindowFont_); // the list's font until it has the new one
    Guarded([&] {
        CreateFonts();
        ApplyLayout();
        Events_.OnDpiChanged(Dpi_);
    });
    Repaint();
}

// Only top-level windows are told of a change; the controls of the common controls library keep
// colours of their own and must hear of it from their parent.
void Win32PopupListWindow::OnSystemChange(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOLORCHANGE) {
        for (HWND control : {Label_, List_}) {
            if (control != nullptr) SendMessageW(control, message, wParam, lParam);
        }
    }
    Guarded([&] { Events_.OnSystemColoursChanged(); });
    Repaint();
}

std::string Win32PopupListWindow::LabelText() {
    std::vector<wchar_t> text(static_cast<std::size_t>(GetWindowTextLengthW(Label_)) + 1, L'\0');
    const int length = GetWindowTextW(Label_, text.data(), static_cast<int>(text.size()));
    return Utf8(std::wstring_view(text.data(), static_cast<std::size_t>(length > 0 ? length : 0)), "The window's title");
}

// The label has no background of its own: the window beneath it is painted again first.
void Win32PopupListWindow::SetLabelText(const std::string& text) {
    SendMessageW(Label_, WM_SETREDRAW, FALSE, 0);
    const BOOL set = SetWindowTextW(Label_, Wide(text).c_str());
    if (set) FitLabelFont();
    SendMessageW(Label_, WM_SETREDRAW, TRUE, 0);
    if (!set) RaiseLastError("Cannot set the title of the " + std::string(Layout_.Caption) + " window");
    RepaintLabel();
}

void Win32PopupListWindow::RepaintLabel() {
    if (!IsWindowVisible(Window_)) return;
    const RECT place = ToRect(Layout_.Label);
    RedrawWindow(Window_, &place, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void Win32PopupListWindow::AddListItem(const std::string& text) {
    const LRESULT index = SendMessageW(List_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    if (index == CB_ERR || index == CB_ERRSPACE) RaiseLastError("Cannot add " + text + " to the list");
}

int Win32PopupListWindow::ListCount() { return static_cast<int>(SendMessageW(List_, CB_GETCOUNT, 0, 0)); }

std::string Win32PopupListWindow::ListItem(int index) {
    const LRESULT length = SendMessageW(List_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) throw EListError(index);
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(List_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return Utf8(std::wstring_view(text.data(), static_cast<std::size_t>(copied > 0 ? copied : 0)), "A shell's name");
}

int Win32PopupListWindow::ListIndex() { return static_cast<int>(SendMessageW(List_, CB_GETCURSEL, 0, 0)); }

void Win32PopupListWindow::SetListIndex(int index) { SendMessageW(List_, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

int Win32PopupListWindow::FindListItemExact(const std::string& text) {
    const LRESULT found =
        SendMessageW(List_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(Wide(text).c_str()));
    return found == CB_ERR ? -1 : static_cast<int>(found);
}

void Win32PopupListWindow::FocusList() {
    if (IsWindowVisible(Window_)) SetFocus(List_); // ShowModal gives it the focus on showing
}

void Win32PopupListWindow::SetColours(TColor text, TColor list) {
    TextColour_ = ToColorRef(text);
    ListColour_ = ToColorRef(list);
    GdiObject<HBRUSH> brush(CreateSolidBrush(ListColour_));
    if (!brush) RaiseLastError("Cannot create the list brush of the " + std::string(Layout_.Caption) + " window");
    ListBrush_ = std::move(brush);
    if (Window_ != nullptr) InvalidateRect(Window_, nullptr, FALSE);
    if (List_ != nullptr) InvalidateRect(List_, nullptr, TRUE);
}

void Win32PopupListWindow::SetTimer(std::uint32_t intervalMs) {
    if (intervalMs == 0) {
        if (TimerRunning_) KillTimer(Window_, TimerId);
        TimerRunning_ = false;
        return;
    }
    if (::SetTimer(Window_, TimerId, intervalMs, nullptr) == 0) RaiseLastError("Cannot start the countdown");
    TimerRunning_ = true;
}

void Win32PopupListWindow::SetCursor(TCursorKind cursor) {
    Cursor_ = cursor;
    POINT position{};
    if (GetCursorPos(&position) && WindowFromPoint(position) == Window_) {
        ::SetCursor(LoadCursor(nullptr, Cursor_ == TCursorKind::HandPoint ? IDC_HAND : IDC_ARROW));
    }
}

void Win32PopupListWindow::DragWindow() {
    ReleaseCapture();
    SendMessageW(Window_, WM_SYSCOMMAND, MoveByCaption, 0);
}

void Win32PopupListWindow::Repaint() {
    RedrawWindow(Window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool Win32PopupListWindow::Finished() const { return Error_ != nullptr || Events_.GetModalResult() != ModalResult::None; }

void Win32PopupListWindow::ShowModal() {
    Error_ = nullptr;
    Guarded([&] { Events_.OnShow(); });
    RECT frame{};
    GetWindowRect(Window_, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(Window_, HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(Window_);
    SetFocus(List_);

    MSG message{};
    while (!Finished()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) { // the application is quitting: hand the request on and leave like Cancel
            PostQuitMessage(static_cast<int>(message.wParam));
            Events_.OnCloseQuery();
            break;
        }
        if (got == -1) {
            Error_ = std::make_exception_ptr(
                EOSError(GetLastError(), "Cannot read the messages of the " + std::string(Layout_.Caption) + " window"));
            break;
        }
        if (PreviewMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    ShowWindow(Window_, SW_HIDE);
    if (Error_) std::rethrow_exception(std::exchange(Error_, nullptr));
}

// Every key pressed or released in the window is reported whichever control has the focus, as
// are the characters typed in the list and the presses on the label. A key press that the events
// take is neither translated into a character nor dispatched.
bool Win32PopupListWindow::PreviewMessage(const MSG& message) {
    const bool inWindow = message.hwnd == Window_ || IsChild(Window_, message.hwnd);
    TMouseButton button{};
    if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && inWindow) {
        bool taken = false;
        Guarded([&] { taken = Events_.OnKeyDown(static_cast<std::uint16_t>(message.wParam), KeyShiftState()); });
        return taken;
    }
    if ((message.message == WM_KEYUP || message.message == WM_SYSKEYUP) && inWindow) {
        Guarded([&] { Events_.OnKeyUp(static_cast<std::uint16_t>(message.wParam), KeyShiftState()); });
    } else if (message.message == WM_CHAR && message.hwnd == List_ && message.wParam < 0x80) { // ASCII keys only
        Guarded([&] { Events_.OnListKeyPress(static_cast<char>(message.wParam)); });
    } else if (message.hwnd == Label_ && ButtonOf(message.message, message.wParam, button)) {
        Guarded([&] {
            Events_.OnLabelMouseDown(button, MouseShiftState(message.wParam), GET_X_LPARAM(message.lParam),
                                     GET_Y_LPARAM(message.lParam));
        });
    }
    return false;
}

template <typename Action> void Win32PopupListWindow::Guarded(Action action) {
    if (Error_) return;
    try {
        action();
    } catch (...) {
        Error_ = std::current_exception();
    }
}

LRESULT CALLBACK Win32PopupListWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<Win32PopupListWindow*>(create->lpCreateParams);
        self->Window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32PopupListWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return self != nullptr ? self->HandleMessage(message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32PopupListWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    TMouseButton button{};
    if (ButtonOf(message, wParam, button)) {
        Guarded([&] {
            Events_.OnMouseDown(button, MouseShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        });
        return message == WM_XBUTTONDOWN || message == WM_XBUTTONDBLCLK ? TRUE : 0;
    }
    switch (message) {
    case WM_ERASEBKGND: return 1; // the paint covers the whole client area
    case WM_PAINT: OnPaint(); return 0;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_COMBOBOX) break;
        measure->itemHeight = static_cast<UINT>(Layout_.ListRowHeight);
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_COMBOBOX) break;
        OnDrawItem(*item);
        return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT: return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return TRUE;
        break;
    case WM_MOUSEMOVE:
        Guarded([&] { Events_.OnMouseMove(MouseShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); });
        return 0;
    case WM_TIMER:
        if (wParam != TimerId) break;
        Guarded([&] { Events_.OnTimer(); });
        return 0;
    case WM_CLOSE: Guarded([&] { Events_.OnCloseQuery(); }); return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: OnSystemChange(message, wParam, lParam); break;
    case WM_SETFOCUS:
        if (List_ != nullptr) SetFocus(List_);
        return 0;
    default: break;
    }
    return DefWindowProcW(Window_, message, wParam, lParam);
}

// The events paint the whole client area; the controls then draw themselves over it.
void Win32PopupListWindow::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(Window_, &paint);
    if (dc == nullptr) return;
    Guarded([&] {
        Win32Canvas canvas(dc, WindowFont(static_cast<TColor>(TextColour_)), Dpi_);
        Events_.OnPaint(canvas);
    });
    const RECT painted = paint.rcPaint;
    EndPaint(Window_, &paint);
    if (Intersects(painted, ToRect(Layout_.Label))) RedrawWindow(Label_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (Intersects(painted, ToRect(Layout_.List))) RedrawWindow(List_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// The row's background is the list's colour; the events draw the rest, and a focus rectangle
// marks the row that has the keyboard focus.
void Win32PopupListWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    ::FillRect(item.hDC, &item.rcItem, ListBrush_.Get());
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    if (item.itemID != static_cast<UINT>(-1)) {
        const COLORREF colour = selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : TextColour_;
        const TRect rect{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
        Guarded([&] {
            Win32Canvas canvas(item.hDC, WindowFont(static_cast<TColor>(colour)), Dpi_);
            Events_.OnDrawListItem(canvas, static_cast<int>(item.itemID), rect, {selected, focused});
        });
    }
    if (focused) DrawFocusRect(item.hDC, &item.rcItem);
}

LRESULT Win32PopupListWindow::OnControlColour(HDC dc, HWND control) {
    if (control == Label_) { // transparent: the painted window shows through
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    SetTextColor(dc, TextColour_);
    SetBkColor(dc, ListColour_);
    return reinterpret_cast<LRESULT>(ListBrush_.Get());
}

bool Win32PopupListWindow::OnSetCursor(HWND window, int hitTest) {
    if (window != Window_ || hitTest != HTCLIENT) return false;
    ::SetCursor(LoadCursor(nullptr, Cursor_ == TCursorKind::HandPoint ? IDC_HAND : IDC_ARROW));
    return true;
}

} // namespace corvane::platform::win32
