#include "platform/win32/Win32ListDialog.h"

#include <string>

namespace corvane::platform::win32 {

namespace {
constexpr const char* WindowClass = "CorvaneOptionForm";
constexpr int ListId = 100;

void RegisterWindowClass(WNDPROC procedure) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = WindowClass;
    if (RegisterClassExA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        RaiseLastError("Cannot register the window class of the list dialog");
    }
    registered = true;
}

HWND CreateChild(HWND parent, const char* className, const char* text, DWORD style, DWORD exStyle, int x, int y,
                 int width, int height, int id) {
    HWND child = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (child == nullptr) RaiseLastError(std::string("Cannot create the list dialog's ") + className);
    return child;
}
} // namespace

Win32ListDialog::Win32ListDialog(ListDialog& dialog) : Dialog_(dialog) {
    const ListDialogLayout& design = Dialog_.Layout();
    RegisterWindowClass(WindowProc);
    Font_ = CreateUiFont(design.FontName, design.FontHeight, false);
    // A sizeable frame with minimise and maximise icons but no system menu, so no close box.
    const DWORD style = WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
    const TRect& place = design.Window;
    Window_ = CreateWindowExA(WS_EX_CONTROLPARENT, WindowClass, design.Caption, style, place.Left, place.Top,
                              place.Width(), place.Height(), nullptr, nullptr, GetModuleHandleA(nullptr), this);
    if (Window_ == nullptr) RaiseLastError(std::string("Cannot create the ") + design.Caption + " window");
    try {
        CreateControls();
    } catch (...) {
        DestroyWindow(Window_); // the destructor does not run for a dialog that was never complete
        throw;
    }
}

Win32ListDialog::~Win32ListDialog() {
    if (Window_ != nullptr) DestroyWindow(Window_);
}

void Win32ListDialog::CreateControls() {
    const ListDialogLayout& design = Dialog_.Layout();
    const std::string prompt = Dialog_.Prompt();
    // The prompt label sizes itself to its text.
    SIZE extent{0, 0};
    HDC dc = GetDC(Window_);
    {
        SelectedObject font(dc, Font_.Get());
        RECT textRect{0, 0, 0, 0};
        DrawTextA(dc, prompt.empty() ? " " : prompt.c_str(), -1, &textRect, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        extent.cx = prompt.empty() ? 0 : textRect.right;
        extent.cy = textRect.bottom;
    }
    ReleaseDC(Window_, dc);

    Prompt_ = CreateChild(Window_, "STATIC", prompt.c_str(), SS_LEFT | SS_NOPREFIX, 0, design.Label.X, design.Label.Y,
                          extent.cx, extent.cy, 0xFFFF);
    const TRect& list = design.List;
    List_ = CreateChild(Window_, "LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                        WS_EX_CLIENTEDGE, list.Left, list.Top, list.Width(), list.Height(), ListId);
    const TRect& okPlace = design.OkButton;
    HWND ok = CreateChild(Window_, "BUTTON", design.OkCaption, WS_TABSTOP | BS_DEFPUSHBUTTON, 0, okPlace.Left,
                          okPlace.Top, okPlace.Width(), okPlace.Height(), IDOK);
    const TRect& cancelPlace = design.CancelButton;
    HWND cancel = CreateChild(Window_, "BUTTON", design.CancelCaption, WS_TABSTOP | BS_PUSHBUTTON, 0, cancelPlace.Left,
                              cancelPlace.Top, cancelPlace.Width(), cancelPlace.Height(), IDCANCEL);
    for (HWND control : {Prompt_, List_, ok, cancel}) {
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(Font_.Get()), FALSE);
    }
    SendMessageA(List_, LB_SETITEMHEIGHT, 0, design.ListRowHeight);
    for (const std::string& entry : Dialog_.Entries()) {
        SendMessageA(List_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

void Win32ListDialog::RunModal() {
    ShowWindow(Window_, SW_SHOW);
    SetForegroundWindow(Window_);
    SetFocus(List_);
    MSG msg;
    while (Dialog_.GetModalResult() == ModalResult::None) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam)); // leave the quit for the outer loop
            Dialog_.SetModalResult(ModalResult::Cancel);
            break;
        }
        if (PreTranslate(msg) || IsDialogMessageA(Window_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    const LRESULT selected = SendMessageA(List_, LB_GETCURSEL, 0, 0);
    Dialog_.SetItemIndex(selected == LB_ERR ? -1 : static_cast<int>(selected));
}

// Enter and characters typed in the list go to the list's key handler; Escape anywhere cancels.
bool Win32ListDialog::PreTranslate(const MSG& msg) {
    if (msg.hwnd != Window_ && !IsChild(Window_, msg.hwnd)) return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        Dialog_.SetModalResult(ModalResult::Cancel);
        return true;
    }
    if (msg.hwnd == List_ && msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        Dialog_.OnListKeyPress('\r');
        return true;
    }
    if (msg.hwnd == List_ && msg.message == WM_CHAR) {
        Dialog_.OnListKeyPress(static_cast<char>(msg.wParam));
    }
    return false;
}

void Win32ListDialog::OnCommand(int id, int code) {
    if (id == IDOK && code == BN_CLICKED) {
        Dialog_.SetModalResult(ModalResult::Ok);
    } else if (id == IDCANCEL && code == BN_CLICKED) {
        Dialog_.SetModalResult(ModalResult::Cancel);
    } else if (id == ListId && code == LBN_DBLCLK) {
        Dialog_.OnListDoubleClick();
    }
}

LRESULT CALLBACK Win32ListDialog::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<Win32ListDialog*>(create->lpCreateParams)->Window_ = window;
    }
    auto* self = reinterpret_cast<Win32ListDialog*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    return self->HandleMessage(window, message, wParam, lParam);
}

// The window's handle comes with every message: at WM_NCDESTROY the dialog lets go of it,
// and the message still goes to the default handling of that window.
LRESULT Win32ListDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        Dialog_.SetModalResult(ModalResult::Cancel);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        Window_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace corvane::platform::win32
