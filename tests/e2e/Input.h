// Real keyboard and mouse input, made the way the user makes it: it goes to the window that has
// the focus, or to the window under the mouse, through the system's input queue.
#pragma once

#include <windows.h>

namespace e2e {

enum class Button { Left, Right, Middle };

// Brings a top-level window to the front so that it receives the keyboard.
void BringToFront(HWND window);
void PressKey(WORD key);
void ReleaseKey(WORD key);
void TapKey(WORD key); // press and release
// Moves the mouse to a screen point and waits until the system reports it there.
void MoveMouse(int x, int y);
void PressMouse(Button button);
void ReleaseMouse(Button button);
// Moves the mouse to a point of the window's client area and presses and releases a button.
void ClickClient(HWND window, int x, int y, Button button = Button::Left);
// The colour of a screen pixel (red in the lowest byte), read from the screen as displayed.
COLORREF ScreenPixel(int x, int y);

} // namespace e2e
