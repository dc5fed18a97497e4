#include "platform/win32/Win32ChooserWindow.h"

#include <windowsx.h>

#include <utility>
#include <vector>

#include "platform/Errors.h"
#include "platform/win32/Win32Canvas.h"

namespace corvane::platform::win32 {

namespace {

constexpr const char* ClassName = "TfrmShellChoose";
constexpr const char* WindowCaption = "Corvane";
constexpr const char* WindowFontName = "Trebuchet MS";
constexpr int WindowFontPoints = 8;
constexpr int WindowFontHeight = -11; // 8 points at 96 pixels per inch
constexpr int TitleFontHeight = -13;
constexpr int ClientWidth = 359;
constexpr int ClientHeight = 245;
constexpr RECT TitleStrip{0, 0, ClientWidth, 31}; // the title strip and the text control on it
constexpr RECT TitlePlace{1, 1, 358, 31};         // left, top, right, bottom
constexpr RECT ListPlace{8, 184, 273, 230};
constexpr int RowHeight = 40;
constexpr int DropDownRows = 8;
constexpr UINT_PTR TimerId = 1;
constexpr WPARAM MoveByCaption = 0xF012; // SC_MOVE + HTCAPTION: the system's window-drag loop


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

Win32ChooserWindow::Win32ChooserWindow(ChooserHandlers& handlers) : Handlers_(handlers) {
    WindowFont_ = CreateUiFont(WindowFontName, WindowFontHeight, false);
    TitleFont_ = CreateUiFont(WindowFontName, TitleFontHeight, true);
    if (!WindowFont_ || !TitleFont_) RaiseLastError("Cannot create the fonts of the shell chooser");
    SetColours(clWhite, clBlack);

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = ClassName;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        RaiseLastError("Cannot register the window class of the shell chooser");
    }
    RECT frame{0, 0, ClientWidth, ClientHeight};
    AdjustWindowRectEx(&frame, WS_POPUP, FALSE, 0);
    Window_ = CreateWindowExA(0, ClassName, WindowCaption, WS_POPUP | WS_CLIPSIBLINGS, 0, 0, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleA(nullptr), this);
    if (Window_ == nullptr) RaiseLastError("Cannot create the shell chooser window");
    try {
        CreateControls();
    } catch (...) {
        DestroyWindow(Window_);
        throw;
    }
}

Win32ChooserWindow::~Win32ChooserWindow() {
    if (TimerRunning_) KillTimer(Window_, TimerId);
    DestroyWindow(Window_); // destroys the controls with it; the fonts and brushes go afterwards
}

void Win32ChooserWindow::CreateControls() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    Title_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | SS_NOTIFY,
                             TitlePlace.left, TitlePlace.top, TitlePlace.right - TitlePlace.left,
                             TitlePlace.bottom - TitlePlace.top, Window_, nullptr, instance, nullptr);
    if (Title_ == nullptr) RaiseLastError("Cannot create the title of the shell chooser");
    SendMessageA(Title_, WM_SETFONT, reinterpret_cast<WPARAM>(TitleFont_.Get()), FALSE);

    // A combo box's height includes its dropped-down list.
    Shells_ = CreateWindowExA(0, "COMBOBOX", "",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                  CBS_HASSTRINGS,
                              ListPlace.left, ListPlace.top, ListPlace.right - ListPlace.left,
                              ListPlace.bottom - ListPlace.top + DropDownRows * RowHeight, Window_, nullptr, instance,
                              nullptr);
    if (Shells_ == nullptr) RaiseLastError("Cannot create the shell list of the shell chooser");
    SendMessageA(Shells_, WM_SETFONT, reinterpret_cast<WPARAM>(WindowFont_.Get()), FALSE);
    SendMessageA(Shells_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), RowHeight); // the closed list's field
    SendMessageA(Shells_, CB_SETITEMHEIGHT, 0, RowHeight);
}

std::string Win32ChooserWindow::TitleCaption() {
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(Title_)) + 1, '\0');
    const int length = GetWindowTextA(Title_, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

// The text control has no background of its own: the strip beneath it is painted again first.
void Win32ChooserWindow::SetTitleCaption(const std::string& caption) {
    SendMessageA(Title_, WM_SETREDRAW, FALSE, 0);
    const BOOL set = SetWindowTextA(Title_, caption.c_str());
    SendMessageA(Title_, WM_SETREDRAW, TRUE, 0);
    if (!set) RaiseLastError("Cannot set the title of the shell chooser");
    RepaintTitle();
}

void Win32ChooserWindow::RepaintTitle() {
    if (!IsWindowVisible(Window_)) return;
    RedrawWindow(Window_, &TitleStrip, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void Win32ChooserWindow::AddShell(const std::string& name) {
    const LRESULT index = SendMessageA(Shells_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    if (index == CB_ERR || index == CB_ERRSPACE) RaiseLastError("Cannot add " + name + " to the shell list");
}

int Win32ChooserWindow::ShellCount() { return static_cast<int>(SendMessageA(Shells_, CB_GETCOUNT, 0, 0)); }

std::string Win32ChooserWindow::ShellName(int index) {
    const LRESULT length = SendMessageA(Shells_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) throw EListError(index);
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(Shells_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

int Win32ChooserWindow::ItemIndex() { return static_cast<int>(SendMessageA(Shells_, CB_GETCURSEL, 0, 0)); }

void Win32ChooserWindow::SetItemIndex(int index) {
    SendMessageA(Shells_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Win32ChooserWindow::FindShellExact(const std::string& name) {
    const LRESULT found =
        SendMessageA(Shells_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
    return found == CB_ERR ? -1 : static_cast<int>(found);
}

void Win32ChooserWindow::FocusShells() {
    if (IsWindowVisible(Window_)) SetFocus(Shells_); // ShowModal gives it the focus on showing
}

void Win32ChooserWindow::SetColours(TColor text, TColor list) {
    TextColour_ = ToColorRef(text);
    ListColour_ = ToColorRef(list);
    GdiObject<HBRUSH> brush(CreateSolidBrush(ListColour_));
    if (!brush) RaiseLastError("Cannot create the list brush of the shell chooser");
    ListBrush_ = std::move(brush);
    if (Window_ != nullptr) InvalidateRect(Window_, nullptr, FALSE);
    if (Shells_ != nullptr) InvalidateRect(Shells_, nullptr, TRUE);
}

void Win32ChooserWindow::SetTimer(std::uint32_t intervalMs) {
    if (intervalMs == 0) {
        if (TimerRunning_) KillTimer(Window_, TimerId);
        TimerRunning_ = false;
        return;
    }
    if (::SetTimer(Window_, TimerId, intervalMs, nullptr) == 0) RaiseLastError("Cannot start the countdown");
    TimerRunning_ = true;
}

void Win32ChooserWindow::SetCursor(TCursorKind cursor) {
    Cursor_ = cursor;
    POINT position{};
    if (GetCursorPos(&position) && WindowFromPoint(position) == Window_) {
        ::SetCursor(LoadCursor(nullptr, Cursor_ == TCursorKind::HandPoint ? IDC_HAND : IDC_ARROW));
    }
}

void Win32ChooserWindow::DragWindow() {
    ReleaseCapture();
    SendMessageA(Window_, WM_SYSCOMMAND, MoveByCaption, 0);
}

void Win32ChooserWindow::Repaint() {
    RedrawWindow(Window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool Win32ChooserWindow::Finished() const { return Error_ != nullptr || Handlers_.GetModalResult() != ModalResult::None; }

void Win32ChooserWindow::ShowModal() {
    Error_ = nullptr;
    Guarded([&] { Handlers_.FormShow(); });
    RECT frame{};
    GetWindowRect(Window_, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(Window_, HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(Window_);
    SetFocus(Shells_);

    MSG message{};
    while (!Finished()) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) { // the application is quitting: hand the request on and leave like Cancel
            PostQuitMessage(static_cast<int>(message.wParam));
            Handlers_.FormCloseQuery();
            break;
        }
        if (got == -1) {
            Error_ = std::make_exception_ptr(EOSError(GetLastError(), "Cannot read the shell chooser's messages"));
            break;
        }
        PreviewMessage(message);
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    ShowWindow(Window_, SW_HIDE);
    if (Error_) std::rethrow_exception(std::exchange(Error_, nullptr));
}

// Every key released in the window goes to the chooser whichever control has the focus, as do
// the characters typed in the list and the presses on the title text.
void Win32ChooserWindow::PreviewMessage(const MSG& message) {
    const bool inWindow = message.hwnd == Window_ || IsChild(Window_, message.hwnd);
    TMouseButton button{};
    if ((message.message == WM_KEYUP || message.message == WM_SYSKEYUP) && inWindow) {
        Guarded([&] { Handlers_.FormKeyUp(static_cast<std::uint16_t>(message.wParam), KeyShiftState()); });
    } else if (message.message == WM_CHAR && message.hwnd == Shells_) {
        Guarded([&] { Handlers_.lstShellsKeyPress(static_cast<char>(message.wParam)); });
    } else if (message.hwnd == Title_ && ButtonOf(message.message, message.wParam, button)) {
        Guarded([&] {
            Handlers_.lblTitleMouseDown(button, MouseShiftState(message.wParam), GET_X_LPARAM(message.lParam),
                                        GET_Y_LPARAM(message.lParam));
        });
    }
}

template <typename Action> void Win32ChooserWindow::Guarded(Action action) {
    if (Error_) return;
    try {
        action();
    } catch (...) {
        Error_ = std::current_exception();
    }
}

LRESULT CALLBACK Win32ChooserWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        auto* self = static_cast<Win32ChooserWindow*>(create->lpCreateParams);
        self->Window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32ChooserWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return self != nullptr ? self->HandleMessage(message, wParam, lParam)
                           : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT Win32ChooserWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    TMouseButton button{};
    if (ButtonOf(message, wParam, button)) {
        Guarded([&] {
            Handlers_.FormMouseDown(button, MouseShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        });
        return message == WM_XBUTTONDOWN || message == WM_XBUTTONDBLCLK ? TRUE : 0;
    }
    switch (message) {
    case WM_ERASEBKGND: return 1; // the paint covers the whole client area
    case WM_PAINT: OnPaint(); return 0;
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (measure->CtlType != ODT_COMBOBOX) break;
        measure->itemHeight = RowHeight;
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
        Guarded([&] { Handlers_.FormMouseMove(MouseShiftState(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); });
        return 0;
    case WM_TIMER:
        if (wParam != TimerId) break;
        Guarded([&] { Handlers_.tmrLoadShellTimer(); });
        return 0;
    case WM_CLOSE: Guarded([&] { Handlers_.FormCloseQuery(); }); return 0;
    case WM_SETFOCUS:
        if (Shells_ != nullptr) SetFocus(Shells_);
        return 0;
    default: break;
    }
    return DefWindowProcA(Window_, message, wParam, lParam);
}

// The chooser paints the whole client area; the controls then draw themselves over it.
void Win32ChooserWindow::OnPaint() {
    PAINTSTRUCT paint{};
    const HDC dc = BeginPaint(Window_, &paint);
    if (dc == nullptr) return;
    Guarded([&] {
        Win32Canvas canvas(dc, TFont{WindowFontName, WindowFontPoints, false, static_cast<TColor>(TextColour_)});
        Handlers_.FormPaint(canvas);
    });
    const RECT painted = paint.rcPaint;
    EndPaint(Window_, &paint);
    if (Intersects(painted, TitlePlace)) RedrawWindow(Title_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    if (Intersects(painted, ListPlace)) RedrawWindow(Shells_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// The row's background is the list's colour; the chooser draws the rest, and a focus rectangle
// marks the row that has the keyboard focus.
void Win32ChooserWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    ::FillRect(item.hDC, &item.rcItem, ListBrush_.Get());
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    if (item.itemID != static_cast<UINT>(-1)) {
        const COLORREF colour = selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : TextColour_;
        const TRect rect{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
        Guarded([&] {
            Win32Canvas canvas(item.hDC, TFont{WindowFontName, WindowFontPoints, false, static_cast<TColor>(colour)});
            Handlers_.lstShellsDrawItem(canvas, static_cast<int>(item.itemID), rect, {selected, focused});
        });
    }
    if (focused) DrawFocusRect(item.hDC, &item.rcItem);
}

LRESULT Win32ChooserWindow::OnControlColour(HDC dc, HWND control) {
    if (control == Title_) { // transparent: the painted title strip shows through
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    SetTextColor(dc, TextColour_);
    SetBkColor(dc, ListColour_);
    return reinterpret_cast<LRESULT>(ListBrush_.Get());
}

bool Win32ChooserWindow::OnSetCursor(HWND window, int hitTest) {
    if (window != Window_ || hitTest != HTCLIENT) return false;
    ::SetCursor(LoadCursor(nullptr, Cursor_ == TCursorKind::HandPoint ? IDC_HAND : IDC_ARROW));
    return true;
}

} // namespace corvane::platform::win32
