// A window system whose option prompt answers as a test tells it to, and whose shell chooser
// windows are fakes that a test reads and drives.
#pragma once

#include <functional>

#include "platform/WindowSystem.h"
#include "support/FakeChooserWindow.h"

namespace corvane::testing {

class FakeWindowSystem : public platform::WindowSystem {
public:
    // Plays the user: gets the dialog while it is "shown".
    std::function<void(platform::ListDialog&)> user;
    std::string shownPrompt;
    std::vector<std::string> shownEntries;
    int dialogsShown = 0;
    int processed = 0;
    std::uint32_t waited = 0;
    FakeChooserWindows choosers;

    void ProcessMessages() override { ++processed; }
    void WaitForMessages(std::uint32_t timeoutMs) override { waited += timeoutMs; }
    void ShowListDialog(platform::ListDialog& dialog) override {
        ++dialogsShown;
        shownPrompt = dialog.Prompt();
        shownEntries = dialog.Entries();
        if (user) user(dialog);
        if (dialog.GetModalResult() == platform::ModalResult::None) dialog.SetModalResult(platform::ModalResult::Cancel);
    }
    std::unique_ptr<platform::PopupListWindow> CreatePopupListWindow(const platform::PopupListLayout& layout,
                                                                     platform::PopupListEvents& events) override {
        return choosers.Create(layout, events);
    }
};

} // namespace corvane::testing
