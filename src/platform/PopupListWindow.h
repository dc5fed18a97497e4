// A borderless popup window as the platform builds it: a text label, an owner-drawn drop-down
// list with rows of one fixed height, and a window timer, laid out as the caller's design says.
// The window reports its input and its painting to the caller's events and keeps no behaviour
// of its own.
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

// The window's design, in pixels at 96 pixels per inch; the window lays itself out at the DPI of
// its screen with ScaleLayout. Font heights are character heights in pixels, negative, as the
// system's font creation takes them. The texts are literals: the window keeps the pointers.
struct PopupListLayout {
    const char* ClassName = "";   // the window class, which other programs may look for
    const char* Caption = "";     // the window's text (it has no caption bar to show it)
    int ClientWidth = 0;
    int ClientHeight = 0;
    const char* FontName = "";    // the window's font: the list's, and the one painting starts with
    int FontHeight = 0;
    int FontPoints = 0;           // the same font's size in points, as drawing surfaces take it
    TRect Label;                  // the text label's place on the client area
    int LabelFontHeight = 0;      // the label's own font: the window's face, bold
    TRect List;                   // the closed list's place
    int ListRowHeight = 0;
    int ListDropDownRows = 0;     // rows shown when the list is dropped down
};

// The layout at dpi pixels per inch: every measure in pixels scaled by DpiScale; the font size in
// points and the count of rows stay.
PopupListLayout ScaleLayout(const PopupListLayout& layout96, int dpi);

// What the window reports, on the thread that runs it.
class PopupListEvents {
public:
    virtual ~PopupListEvents() = default;

    // The window has become visible.
    virtual void OnShow() = 0;
    // A key pressed anywhere in the window, whichever control has the focus; true when the
    // events take the key for themselves: the focused control then neither sees it nor gets the
    // character that it types.
    virtual bool OnKeyDown(std::uint16_t key, TShiftState shift) = 0;
    // A key released anywhere in the window, whichever control has the focus.
    virtual void OnKeyUp(std::uint16_t key, TShiftState shift) = 0;
    // A mouse button pressed, or the mouse moved, over the window's own surface (client pixels).
    virtual void OnMouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
    virtual void OnMouseMove(TShiftState shift, int x, int y) = 0;
    // The window's whole surface, or a part of it, needs painting.
    virtual void OnPaint(Canvas& canvas) = 0;
    // The window is asked to close by other means than the caller's own (such as Alt+F4).
    virtual void OnCloseQuery() = 0;
    // A mouse button pressed on the text label (coordinates relative to it).
    virtual void OnLabelMouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
    // A character typed while the list has the focus.
    virtual void OnListKeyPress(char key) = 0;
    // One row of the list (also the closed list's selected entry); the canvas carries the
    // window's font, in the highlight-text colour for a selected row, over the list's colour;
    // drawing is clipped to the row.
    virtual void OnDrawListItem(Canvas& canvas, int index, const TRect& rect, TOwnerDrawState state) = 0;
    // The timer has elapsed.
    virtual void OnTimer() = 0;
    // The window has moved to a screen of another DPI and has laid itself out again at dpi; a
    // full repaint follows.
    virtual void OnDpiChanged(int dpi) = 0;
    // The system's colours or one of its settings (such as the high-contrast mode) have changed;
    // a full repaint follows.
    virtual void OnSystemColoursChanged() = 0;
    // The modal run ends as soon as this is not None.
    virtual ModalResult GetModalResult() const = 0;
};

class PopupListWindow {
public:
    virtual ~PopupListWindow() = default;

    // The DPI of the screen that shows the window (96 is 100 %); the window is laid out at it.
    virtual int Dpi() = 0;

    // The label's text; one wider than the label's place is written in a smaller font, so that
    // it stays whole inside it.
    virtual std::string LabelText() = 0;
    virtual void SetLabelText(const std::string& text) = 0;

    // The list: entries in the order added, each keeping its text.
    virtual void AddListItem(const std::string& text) = 0;
    virtual int ListCount() = 0;
    virtual std::string ListItem(int index) = 0;
    // The selected entry, -1 for none.
    virtual int ListIndex() = 0;
    virtual void SetListIndex(int index) = 0;
    // The first entry whose whole text equals text, ignoring letter case; -1 for none.
    virtual int FindListItemExact(const std::string& text) = 0;
    virtual void FocusList() = 0;

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

    // Shows the window centred on the screen, reports OnShow, dispatches messages until the
    // events' modal result is set, and hides the window again.
    virtual void ShowModal() = 0;
};

} // namespace corvane::platform
