// Makes the chooser's window with the launcher's real Windows services, hidden, and tells it
// that it has moved to a screen of 192 dpi, as Windows does with WM_DPICHANGED when a window is
// dragged onto such a screen. It prints what the window reported and where it and its controls
// then lie:
//
//   reported 192 client W H at X Y label L T R B list L T W item H
//
// and ends with 0, or prints the error that ended it and ends with 1.
//
// With the argument "list-error" it runs a list dialog whose double-click handler raises
// std::bad_alloc, double-clicks its list and prints where the error arrived:
//
//   raised by the dialog: std::bad_alloc
#include <windows.h>

#include <cstdio>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "platform/win32/Win32Platform.h"
#include "ui/ShellChooseForm.h"

namespace {

using corvane::platform::Canvas;
using corvane::platform::ModalResult;
using corvane::platform::PopupListEvents;
using corvane::platform::TMouseButton;
using corvane::platform::TOwnerDrawState;
using corvane::platform::TShiftState;

// Events that only remember the DPI reported.
class DpiEvents final : public PopupListEvents {
public:
    int reported = 0;
    void OnShow() override {}
    bool OnKeyDown(std::uint16_t, TShiftState) override { return false; }
    void OnKeyUp(std::uint16_t, TShiftState) override {}
    void OnMouseDown(TMouseButton, TShiftState, int, int) override {}
    void OnMouseMove(TShiftState, int, int) override {}
    void OnPaint(Canvas&) override {}
    void OnCloseQuery() override {}
    void OnLabelMouseDown(TMouseButton, TShiftState, int, int) override {}
    void OnListKeyPress(char) override {}
    void OnDrawListItem(Canvas&, int, const corvane::TRect&, TOwnerDrawState) override {}
    void OnTimer() override {}
    void OnDpiChanged(int dpi) override { reported = dpi; }
    void OnSystemColoursChanged() override {}
    ModalResult GetModalResult() const override { return ModalResult::None; }
};

// A list dialog whose double-click raises, and which double-clicks its own list as soon as its
// window exists (the dialog asks for its prompt while it makes its controls).
class FailingDialog final : public corvane::platform::ListDialog {
public:
    const corvane::platform::ListDialogLayout& Layout() const override { return Layout_; }
    std::string Prompt() const override {
        if (!Clicked_) {
            Clicked_ = true;
            PostMessageA(FindWindowA("CorvaneOptionForm", nullptr), WM_COMMAND, MAKEWPARAM(100, LBN_DBLCLK), 0);
        }
        return "Pick one";
    }
    const std::vector<std::string>& Entries() const override { return Entries_; }
    void OnListKeyPress(char) override {}
    void OnListDoubleClick() override { throw std::bad_alloc(); }
    ModalResult GetModalResult() const override { return Result_; }
    void SetModalResult(ModalResult result) override { Result_ = result; }
    void SetItemIndex(int) override {}

private:
    corvane::platform::ListDialogLayout Layout_{"Probe", {100, 100, 400, 300}, "Tahoma", -11, {8, 8}, {8, 30, 280, 150},
                                                16, {100, 160, 175, 185}, "OK", {190, 160, 265, 185}, "Cancel"};
    std::vector<std::string> Entries_{"one", "two"};
    mutable bool Clicked_ = false;
    ModalResult Result_ = ModalResult::None;
};

int RunFailingDialog() {
    FailingDialog dialog;
    try {
        corvane::platform::Windows().ShowListDialog(dialog);
        std::printf("the dialog ended without the error\n");
    } catch (const std::exception& error) {
        std::printf("raised by the dialog: %s\n", error.what());
    }
    return 0;
}

RECT PlaceIn(HWND parent, HWND child) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

} // namespace

int main(int argc, char** argv) {
    corvane::platform::Install(corvane::platform::win32::CreateServices());
    if (argc > 1 && std::string(argv[1]) == "list-error") return RunFailingDialog();
    try {
        DpiEvents events;
        const auto window = corvane::platform::Windows().CreatePopupListWindow(corvane::TfrmShellChoose::Design96, events);
        HWND handle = FindWindowA(corvane::TfrmShellChoose::Design96.ClassName, nullptr);
        if (handle == nullptr) throw std::runtime_error("no window");
        RECT suggested{100, 50, 100 + 718, 50 + 490};
        SendMessageA(handle, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
        RECT frame{};
        GetWindowRect(handle, &frame);
        RECT client{};
        GetClientRect(handle, &client);
        const RECT label = PlaceIn(handle, FindWindowExA(handle, nullptr, "Static", nullptr));
        HWND listHandle = FindWindowExA(handle, nullptr, "ComboBox", nullptr);
        const RECT list = PlaceIn(handle, listHandle);
        std::printf("reported %d client %ld %ld at %ld %ld label %ld %ld %ld %ld list %ld %ld %ld item %ld\n",
                    events.reported, client.right, client.bottom, frame.left, frame.top, label.left, label.top,
                    label.right, label.bottom, list.left, list.top, list.right - list.left,
                    static_cast<long>(SendMessageA(listHandle, CB_GETITEMHEIGHT, 0, 0)));
        return 0;
    } catch (const std::exception& error) {
        std::printf("error: %s\n", error.what());
    }
    return 1;
}
