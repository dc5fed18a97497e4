// Makes the chooser's window with the launcher's real Windows services, hidden, and tells it
// that it has moved to a screen of 192 dpi, as Windows does with WM_DPICHANGED when a window is
// dragged onto such a screen. It prints what the window reported and where it and its controls
// then lie:
//
//   reported 192 client W H at X Y label L T R B list L T W item H
//
// and ends with 0, or prints the error that ended it and ends with 1.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <stdexcept>

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

RECT PlaceIn(HWND parent, HWND child) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

} // namespace

int main() {
    corvane::platform::Install(corvane::platform::win32::CreateServices());
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
