// Windows, modal dialogs and the processing of window messages.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane::platform {

// Modal results of a dialog, as the buttons set them.
enum class ModalResult { None = 0, Ok = 1, Cancel = 2 };

class ChooserHandlers;
class ChooserWindow;

// The option prompt's fixed design, in pixels at 96 pixels per inch: outer size and screen
// position of the window, and the client placement of its controls.
struct OptionDialogDesign {
    static constexpr const char* Caption = "Corvane Prompt";
    static constexpr int Left = 192, Top = 112, Width = 275, Height = 286;
    static constexpr const char* FontName = "Trebuchet MS";
    static constexpr int FontHeight = -11;
    static constexpr int PromptLeft = 8, PromptTop = 8;
    static constexpr int ListLeft = 8, ListTop = 32, ListWidth = 161, ListHeight = 225, ListRowHeight = 16;
    static constexpr int OkLeft = 184, OkTop = 40, CancelLeft = 184, CancelTop = 72;
    static constexpr int ButtonWidth = 75, ButtonHeight = 25;
    static constexpr const char* OkCaption = "Ok";
    static constexpr const char* CancelCaption = "Cancel";
};

// The option prompt as the platform shows it: its design and contents, and the handlers that
// decide how its modal run ends.
class OptionDialog {
public:
    virtual ~OptionDialog() = default;

    virtual std::string Caption() const = 0;
    virtual std::string Prompt() const = 0;
    virtual const std::vector<std::string>& Entries() const = 0;

    // A character typed in the list, and a double-click in it.
    virtual void lstOptionsKeyPress(char key) = 0;
    virtual void lstOptionsDblClick() = 0;

    // The modal run ends as soon as this is not None; the buttons set it too.
    virtual ModalResult GetModalResult() const = 0;
    virtual void SetModalResult(ModalResult result) = 0;
    // The index of the selected entry when the run ended; -1 for none.
    virtual void SetItemIndex(int index) = 0;
};

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Dispatches every window message waiting for this thread; returns when none is left.
    virtual void ProcessMessages() = 0;
    // Blocks until a message arrives for this thread or timeoutMs have passed.
    virtual void WaitForMessages(std::uint32_t timeoutMs) = 0;
    // Creates the option prompt, runs it modally until its modal result is set (closing it
    // any other way counts as Cancel), records the selected entry and destroys it.
    virtual void ShowOptionDialog(OptionDialog& dialog) = 0;
    // Creates the shell chooser's window, hidden, reporting to handlers; it is destroyed with
    // the returned object. Raises EOSError when the platform cannot create it.
    virtual std::unique_ptr<ChooserWindow> CreateChooserWindow(ChooserHandlers& handlers) = 0;
};

} // namespace corvane::platform
