// Windows, modal dialogs and the processing of window messages.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Graphics.h"

namespace corvane::platform {

// Modal results of a dialog, as the buttons set them.
enum class ModalResult { None = 0, Ok = 1, Cancel = 2 };

struct PopupListLayout;
class PopupListEvents;
class PopupListWindow;

// The design of a list dialog, in pixels at 96 pixels per inch: the window's outer size and
// screen position, its font, and the client placement of its controls (a text label that sizes
// itself to its text, a list box, and the Ok and Cancel buttons). The dialog lays itself out at
// the DPI of its screen with ScaleLayout; a label text too wide for the client area less its
// margins is written in a smaller font.
struct ListDialogLayout {
    const char* Caption = "";
    TRect Window;
    const char* FontName = "";
    int FontHeight = 0; // character height in pixels, negative
    TPoint Label;
    TRect List;
    int ListRowHeight = 0;
    TRect OkButton;
    const char* OkCaption = "";
    TRect CancelButton;
    const char* CancelCaption = "";
};

// A modal dialog that asks the user to pick one entry of a list: the caller's design, texts
// and the events that decide how its modal run ends.
// The layout at dpi pixels per inch: every measure scaled by DpiScale.
ListDialogLayout ScaleLayout(const ListDialogLayout& layout96, int dpi);

class ListDialog {
public:
    virtual ~ListDialog() = default;

    virtual const ListDialogLayout& Layout() const = 0;
    virtual std::string Prompt() const = 0;
    virtual const std::vector<std::string>& Entries() const = 0;

    // A character typed in the list, and a double-click in it.
    virtual void OnListKeyPress(char key) = 0;
    virtual void OnListDoubleClick() = 0;

    // The modal run ends as soon as this is not None; the buttons set it too.
    virtual ModalResult GetModalResult() const = 0;
    virtual void SetModalResult(ModalResult result) = 0;
    // The index of the selected entry when the run ended; -1 for none.
    virtual void SetItemIndex(int index) = 0;
};

// A lock that one program of the machine holds at a time, across all sessions and users; it
// is released when the object is destroyed.
class MachineLock {
public:
    virtual ~MachineLock() = default;
    // True when the program that held it before ended without releasing it.
    virtual bool Abandoned() const = 0;
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Dispatches every window message waiting for this thread; returns when none is left.
    virtual void ProcessMessages() = 0;
    // Blocks until a message arrives for this thread or timeoutMs have passed.
    virtual void WaitForMessages(std::uint32_t timeoutMs) = 0;
    // Takes the machine-wide lock of this name, waiting at most timeoutMs while window messages
    // keep being dispatched. A lock left by a program that ended without releasing it counts as
    // free. Null when the lock cannot be had in that time, or at all.
    virtual std::unique_ptr<MachineLock> LockMachineWide(const std::string& name, std::uint32_t timeoutMs) = 0;
    // Creates the dialog, runs it modally until its modal result is set (closing it any other
    // way counts as Cancel), records the selected entry and destroys it.
    virtual void ShowListDialog(ListDialog& dialog) = 0;
    // Creates a popup list window of the layout, hidden, reporting to events; it is destroyed
    // with the returned object. Raises EOSError when the platform cannot create it.
    virtual std::unique_ptr<PopupListWindow> CreatePopupListWindow(const PopupListLayout& layout,
                                                                   PopupListEvents& events) = 0;
};

} // namespace corvane::platform
