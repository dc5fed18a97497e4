#include "Input.h"

namespace e2e {

namespace {

void SendKey(WORD key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    Sleep(50);
}

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.dx = dx;
    input.mi.dy = dy;
    SendInput(1, &input, sizeof input);
    Sleep(50);
}

// A screen coordinate in the 0..65535 range of absolute mouse input, rounded up so that the
// system's conversion back lands on the same pixel.
LONG Absolute(int coordinate, int screenSize) {
    return static_cast<LONG>((static_cast<long long>(coordinate) * 65536 + screenSize - 1) / screenSize);
}

DWORD Flags(Button button, bool down) {
    switch (button) {
    case Button::Right: return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case Button::Middle: return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    default: return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
}

} // namespace

void BringToFront(HWND window) {
    SetForegroundWindow(window);
    Sleep(100);
}

void PressKey(WORD key) { SendKey(key, 0); }
void ReleaseKey(WORD key) { SendKey(key, KEYEVENTF_KEYUP); }

void TapKey(WORD key) {
    PressKey(key);
    ReleaseKey(key);
}

// Both the system's cursor and the display's pointer are moved, and every button event carries
// the position too, so that no event is reported at an older position.
void MoveMouse(int x, int y) {
    SetCursorPos(x, y);
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Absolute(x, GetSystemMetrics(SM_CXSCREEN)),
              Absolute(y, GetSystemMetrics(SM_CYSCREEN)));
    POINT position{};
    for (int i = 0; i < 40 && (!GetCursorPos(&position) || position.x != x || position.y != y); ++i) Sleep(25);
}

namespace {
void SendButton(Button button, bool down) {
    POINT position{};
    GetCursorPos(&position);
    SendMouse(Flags(button, down) | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
              Absolute(position.x, GetSystemMetrics(SM_CXSCREEN)), Absolute(position.y, GetSystemMetrics(SM_CYSCREEN)));
}
} // namespace

void PressMouse(Button button) { SendButton(button, true); }
void ReleaseMouse(Button button) { SendButton(button, false); }

void ClickClient(HWND window, int x, int y, Button button) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    MoveMouse(point.x, point.y);
    PressMouse(button);
    ReleaseMouse(button);
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

} // namespace e2e
