#include "platform/win32/Win32ListDialog.h"

#include <algorithm>
#include <utility>
#include <string>

#include "platform/win32/Win32Dpi.h"
#include "platform/win32/Win32Text.h"

namespace corvane::platform::win32 {

namespace {
constexpr const wchar_t* WindowClass = L"CorvaneOptionForm";
constexpr int ListId = 100;

void RegisterWindowClass(WNDPROC procedure) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = WindowClass;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        RaiseLastError("Cannot register the window class of the list dialog");
    }
    registered = true;
}

HWND CreateChild(HWND parent, const wchar_t* className, const std::string& text, DWORD style, DWORD exStyle, int x,
                 int y, int width, int height, int id) {
    HWND child = CreateWindowExW(exStyle, className, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                 nullptr);
    if (child == nullptr) RaiseLastError("Cannot create the list dialog's " + Utf8Shown(className));
    return child;
}
} // namespace

// The window is made at the design's place first: only then does the system tell the DPI of the
// screen that shows it, and the window takes the layout at that DPI before its controls exist.
Win32ListDialog::Win32ListDialog(ListDialog& dialog) : Dialog_(dialog), Layout_(dialog.Layout()) {
    RegisterWindowClass(WindowProc);
    // A sizeable frame with minimise and maximise icons but no system menu, so no close box.
    const DWORD style = WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
    const TRect& place = Layout_.Window;
    Window_ = CreateWindowExW(WS_EX_CONTROLPARENT, WindowClass, Wide(Layout_.Caption).c_str(), style, place.Left, place.Top,
                              place.Width(), place.Height(), nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (Window_ == nullptr) RaiseLastError(std::string("Cannot create the ") + Layout_.Caption + " window");
    try {
        Layout_ = ScaleLayout(Dialog_.Layout(), WindowDpi(Window_));
        const TRect& scaled = Layout_.Window;
        SetWindowPos(Window_, nullptr, scaled.Left, scaled.Top, scaled.Width(), scaled.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
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
    Prompt_ = CreateChild(Window_, L"STATIC", Dialog_.Prompt(), SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, 0, 0xFFFF);
    List_ = CreateChild(Window_, L"LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                        WS_EX_CLIENTEDGE, 0, 0, 0, 0, ListId);
    Ok_ = CreateChild(Window_, L"BUTTON", Layout_.OkCaption, WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0, 0, 0, 0, IDOK);
    Cancel_ = CreateChild(Window_, L"BUTTON", Layout_.CancelCaption, WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, 0, IDCANCEL);
    ApplyLayout();
    for (const std::string& entry : Dialog_.Entries()) {
        SendMessageW(List_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
    }
}

// The prompt sizes itself to its text; a text wider than the client area less the prompt's
// margin on either side is written in a smaller font. The fonts that the controls had are
// deleted only once the controls have their new ones.
void Win32ListDialog::ApplyLayout() {
    GdiObject<HFONT> font = CreateUiFont(Layout_.FontName, Layout_.FontHeight, false);
    if (!font) RaiseLastError(std::string("Cannot create the font of the ") + Layout_.Caption + " window");
    const std::string prompt = Dialog_.Prompt();
    RECT client{};
    GetClientRect(Window_, &client);
    const int promptRoom = client.right - 2 * Layout_.Label.X;
    SIZE extent{0, 0};
    GdiObject<HFONT> promptFont;
    const HDC dc = GetDC(Window_);
    {
        promptFont = CreateFittingFont(dc, Layout_.FontName, Layout_.FontHeight, false, prompt, promptRoom);
        SelectedObject selected(dc, promptFont ? promptFont.Get() : font.Get());
        RECT textRect{0, 0, 0, 0};
        DrawTextW(dc, prompt.empty() ? L" " : Wide(prompt).c_str(), -1, &textRect, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
        extent.cx = prompt.empty() ? 0 : std::min<LONG>(textRect.right, promptRoom > 0 ? promptRoom : 0);
        extent.cy = textRect.bottom;
    }
    if (dc != nullptr) ReleaseDC(Window_, dc);
    if (!promptFont) RaiseLastError(std::string("Cannot create the font of the ") + Layout_.Caption + " window");

    const auto place = [](HWND control, const TRect& rect) {
        SetWindowPos(control, nullptr, rect.Left, rect.Top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(Prompt_, {Layout_.Label.X, Layout_.Label.Y, Layout_.Label.X + extent.cx, Layout_.Label.Y + extent.cy});
    place(List_, Layout_.List);
    place(Ok_, Layout_.OkButton);
    place(Cancel_, Layout_.CancelButton);
    SendMessageW(Prompt_, WM_SETFONT, reinterpret_cast<WPARAM>(promptFont.Get()), TRUE);
    for (HWND control : {List_, Ok_, Cancel_}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), TRUE);
    }
    SendMessageW(List_, LB_SETITEMHEIGHT, 0, Layout_.ListRowHeight);
    Font_ = std::move(font);
    PromptFont_ = std::move(promptFont);
}

// The suggested place keeps the window on the screen it moved to; its size is the layout's at
// the new DPI, which differs from the suggested one by a rounding pixel at most. It runs inside
// the window procedure, where no error may escape.
void Win32ListDialog::OnDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0) return;
    Layout_ = ScaleLayout(Dialog_.Layout(), dpi);
    SetWindowPos(Window_, nullptr, suggested.left, suggested.top, Layout_.Window.Width(), Layout_.Window.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    try {
        ApplyLayout();
    } catch (const EOSError&) {
        // no font of the new size could be made: the controls keep the ones they have
    }
    RedrawWindow(Window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// The controls of the common controls library keep colours of their own and hear of a change of
// the system's colours only from their parent.
void Win32ListDialog::OnSystemChange(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOLORCHANGE) {
        for (HWND control : {Prompt_, List_, Ok_, Cancel_}) {
            if (control != nullptr) SendMessageW(control, message, wParam, lParam);
        }
    }
    RedrawWindow(Window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Win32ListDialog::RunModal() {
    ShowWindow(Window_, SW_SHOW);
    SetForegroundWindow(Window_);
    SetFocus(List_);
    MSG msg;
    while (!Error_ && Dialog_.GetModalResult() == ModalResult::None) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam)); // leave the quit for the outer loop
            Dialog_.SetModalResult(ModalResult::Cancel);
            break;
        }
        if (PreTranslate(msg) || IsDialogMessageW(Window_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (Error_) std::rethrow_exception(std::exchange(Error_, nullptr));
    const LRESULT selected = SendMessageW(List_, LB_GETCURSEL, 0, 0);
    Dialog_.SetItemIndex(selected == LB_ERR ? -1 : static_cast<int>(selected));
}

// Enter and characters typed in the list go to the list's key handler; Escape anywhere cancels.
// It runs in the dialog's own loop, so its errors pass straight to RunModal's caller.
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
    if (msg.hwnd == List_ && msg.message == WM_CHAR && msg.wParam < 0x80) { // the handler takes ASCII keys
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
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<Win32ListDialog*>(create->lpCreateParams)->Window_ = window;
    }
    auto* self = reinterpret_cast<Win32ListDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    // No error may pass through the system's frames: the first one is kept for RunModal.
    try {
        return self->HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        if (!self->Error_) self->Error_ = std::current_exception();
    }
    return DefWindowProcW(window, message, wParam, lParam);
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
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        OnSystemChange(message, wParam, lParam);
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        Window_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace corvane::platform::win32
