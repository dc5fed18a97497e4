// The shell chooser's window as the platform builds it: a borderless, opaque window of client
// size 359 x 245, centred on the screen, with a title text, an owner-drawn drop-down list of
// shell names with 40-pixel rows, and a window timer. The window reports its input and its
// painting to the chooser's handlers and keeps no behaviour of its own.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Canvas.h"
#include "platform/Graphics.h"
#include "platform/WindowSystem.h"

namespace corvane::platform {

enum class TMouseButton { Left, Right, Middle, Extra };

// Keys and mouse buttons held down while an input event happened.
using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;

enum class TCursorKind { Default, HandPoint };

// How a list row is to be drawn.
struct TOwnerDrawState {
    bool Selected = false;
    bool Focused = false;
};

// The chooser's handlers, called by the window on the thread that runs it.
class ChooserHandlers {
public:
    virtual ~ChooserHandlers() = default;

    // The window has become visible.
    virtual void FormShow() = 0;
    // A key released anywhere in the window, whichever control has the focus.
    virtual void FormKeyUp(std::uint16_t key, TShiftState shift) = 0;
    // A mouse button pressed, or the mouse moved, over the window's own surface (client pixels).
    virtual void FormMouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
    virtual void FormMouseMove(TShiftState shift, int x, int y) = 0;
    // The window's whole surface, or a part of it, needs painting.
    virtual void FormPaint(Canvas& canvas) = 0;
    // The window is asked to close by other means than the chooser's own (such as Alt+F4).
    virtual void FormCloseQuery() = 0;
    // A mouse button pressed on the title text (coordinates relative to it).
    virtual void lblTitleMouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
    // A character typed while the list has the focus.
    virtual void lstShellsKeyPress(char key) = 0;
    // One row of the list (also the closed list's selected entry); the canvas carries the list's
    // font, in the highlight-text colour for a selected row, over the list's background colour.
    virtual void lstShellsDrawItem(Canvas& canvas, int index, const TRect& rect, TOwnerDrawState state) = 0;
    // The timer has elapsed.
    virtual void tmrLoadShellTimer() = 0;
    // The modal run ends as soon as this is not None.
    virtual ModalResult GetModalResult() const = 0;
};

class ChooserWindow {
public:
    virtual ~ChooserWindow() = default;

    // The title text control.
    virtual std::string TitleCaption() = 0;
    virtual void SetTitleCaption(const std::string& caption) = 0;

    // The list of shell names: entries in the order added, each keeping its text.
    virtual void AddShell(const std::string& name) = 0;
    virtual int ShellCount() = 0;
    virtual std::string ShellName(int index) = 0;
    // The selected entry, -1 for none.
    virtual int ItemIndex() = 0;
    virtual void SetItemIndex(int index) = 0;
    // The first entry whose whole text equals name, ignoring letter case; -1 for none.
    virtual int FindShellExact(const std::string& name) = 0;
    virtual void FocusShells() = 0;

    // The colour of the list's text and of its background.
    virtual void SetColours(TColor text, TColor list) = 0;

    // Starts the timer with this interval in milliseconds (from 1 on), or stops it with 0.
    virtual void SetTimer(std::uint32_t intervalMs) = 0;

    // The mouse cursor over the window's own surface.
    virtual void SetCursor(TCursorKind cursor) = 0;
    // Lets the user move the window with the mouse whose button is down; returns when the move
    // has ended.
    virtual void DragWindow() = 0;
    // Paints the whole window again, its controls included, before returning.
    virtual void Repaint() = 0;

    // Shows the window centred on the screen, calls FormShow, dispatches messages until the
    // handlers' modal result is set, and hides the window again.
    virtual void ShowModal() = 0;
};

} // namespace corvane::platform
