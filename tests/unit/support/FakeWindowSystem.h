// A window system whose option prompt answers as a test tells it to, and whose shell chooser
// windows are fakes that a test reads and drives.
#pragma once

#include <functional>
#include <utility>

#include "platform/WindowSystem.h"
#include "support/FakeChooserWindow.h"

namespace corvane::testing {

class FakeWindowSystem : public platform::WindowSystem {
    // Sets a flag while it lives.
    struct Held : platform::MachineLock {
        Held(bool& flag, bool abandoned) : Flag(flag), WasAbandoned(abandoned) { Flag = true; }
        ~Held() override { Flag = false; }
        bool Abandoned() const override { return WasAbandoned; }
        bool& Flag;
        bool WasAbandoned;
    };

public:
    // Plays the user: gets the dialog while it is "shown".
    std::function<void(platform::ListDialog&)> user;
    std::string shownPrompt;
    std::vector<std::string> shownEntries;
    int dialogsShown = 0;
    int processed = 0;
    std::uint32_t waited = 0;
    FakeChooserWindows choosers;

    // The machine-wide lock: held by another program when lockHeldElsewhere; the names and
    // waits asked for, and whether this program holds it now.
    bool lockHeldElsewhere = false;
    bool lockAbandoned = false; // its last holder ended without releasing it
    std::vector<std::pair<std::string, std::uint32_t>> lockRequests;
    bool lockHeld = false;

    void ProcessMessages() override { ++processed; }
    void WaitForMessages(std::uint32_t timeoutMs) override { waited += timeoutMs; }
    std::unique_ptr<platform::MachineLock> LockMachineWide(const std::string& name, std::uint32_t timeoutMs) override {
        lockRequests.emplace_back(name, timeoutMs);
        if (lockHeldElsewhere) return nullptr;
        return std::make_unique<Held>(lockHeld, std::exchange(lockAbandoned, false));
    }
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
