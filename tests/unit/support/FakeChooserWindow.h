// The chooser's window for unit tests: it keeps the controls' state where tests can read it,
// and plays the user while it is "shown" modally.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/PopupListWindow.h"
#include "text/AsciiText.h"

namespace corvane::testing {

class FakeChooserWindow : public platform::PopupListWindow {
public:
    FakeChooserWindow(const platform::PopupListLayout& l, platform::PopupListEvents& e, int* alive)
        : layout(l), events(e), alive_(alive) {
        ++*alive_;
    }
    ~FakeChooserWindow() override { --*alive_; }

    platform::PopupListLayout layout;
    platform::PopupListEvents& events;
    std::string title;
    std::vector<std::string> shells;
    int itemIndex = -1;
    bool listFocused = false;
    TColor textColour = -1;
    TColor listColour = -1;
    std::uint32_t timer = 0; // the running timer's interval; 0 when stopped
    platform::TCursorKind cursor = platform::TCursorKind::Default;
    std::vector<std::string> actions; // "drag", "repaint"
    bool shown = false;
    bool leftOpen = false; // the user's moves ended without a result: a real window would wait on
    std::function<void(FakeChooserWindow&)> user;

    // The timer elapsing, as the window's message loop would report it.
    void Tick() {
        if (timer != 0) events.OnTimer();
    }

    // A key pressed and released as the window's message loop reports it: the press to the
    // events first; one that they do not take types its character into the list, which selects
    // the first entry that begins with it (ignoring case), as the platform's drop-down list does,
    // and reports the character; then the release.
    void Type(std::uint16_t key, platform::TShiftState shift = 0) {
        if (!events.OnKeyDown(key, shift)) {
            const char typed = Character(key, shift);
            if (typed != '\0' && typed != '\r') {
                for (std::size_t i = 0; i < shells.size(); ++i) {
                    if (SameText(shells[i].substr(0, 1), std::string(1, typed))) {
                        itemIndex = static_cast<int>(i);
                        break;
                    }
                }
            }
            if (typed != '\0') events.OnListKeyPress(typed);
        }
        events.OnKeyUp(key, shift);
    }

    int dpi = 96; // the DPI of the fake screen; set it before the chooser is made
    int Dpi() override { return dpi; }
    // The window moving to a screen of another DPI, as the platform reports it.
    void MoveToDpi(int newDpi) {
        dpi = newDpi;
        events.OnDpiChanged(newDpi);
    }

    // The system's colours or settings changing while the window lives, as the platform reports it.
    void ChangeSystemColours() { events.OnSystemColoursChanged(); }

    std::string LabelText() override { return title; }
    void SetLabelText(const std::string& caption) override { title = caption; }
    void AddListItem(const std::string& name) override { shells.push_back(name); }
    int ListCount() override { return static_cast<int>(shells.size()); }
    std::string ListItem(int index) override { return shells.at(static_cast<std::size_t>(index)); }
    int ListIndex() override { return itemIndex; }
    void SetListIndex(int index) override { itemIndex = index >= 0 && index < ListCount() ? index : -1; }
    int FindListItemExact(const std::string& name) override {
        for (std::size_t i = 0; i < shells.size(); ++i) {
            if (SameText(shells[i], name)) return static_cast<int>(i);
        }
        return -1;
    }
    void FocusList() override { listFocused = true; }
    void SetColours(TColor text, TColor list) override {
        textColour = text;
        listColour = list;
    }
    void SetTimer(std::uint32_t intervalMs) override { timer = intervalMs; }
    void SetCursor(platform::TCursorKind kind) override { cursor = kind; }
    void DragWindow() override { actions.push_back("drag"); }
    void Repaint() override { actions.push_back("repaint"); }
    void ShowModal() override {
        shown = true;
        events.OnShow();
        if (user) user(*this);
        leftOpen = events.GetModalResult() == platform::ModalResult::None;
        shown = false;
    }

private:
    // The character that a key types without Ctrl or Alt: digits (main keyboard and keypad),
    // letters, Enter; none for other keys.
    static char Character(std::uint16_t key, platform::TShiftState shift) {
        if ((shift & (platform::ssCtrl | platform::ssAlt)) != 0) return '\0';
        if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return static_cast<char>(key);
        if (key >= 0x60 && key <= 0x69) return static_cast<char>('0' + (key - 0x60));
        return key == 13 ? '\r' : '\0';
    }
    static bool SameText(const std::string& a, const std::string& b) { return SameTextAscii(a, b); }

    int* alive_;
};

// Creates fake chooser windows; the last one stays readable through window while it lives.
class FakeChooserWindows {
public:
    FakeChooserWindow* window = nullptr;
    int alive = 0;
    std::function<void(FakeChooserWindow&)> user; // given to every window created
    int dpi = 96;                                  // the DPI of every window created

    std::unique_ptr<platform::PopupListWindow> Create(const platform::PopupListLayout& layout,
                                                      platform::PopupListEvents& events) {
        auto created = std::make_unique<FakeChooserWindow>(layout, events, &alive);
        created->user = user;
        created->dpi = dpi;
        window = created.get();
        return created;
    }
};

} // namespace corvane::testing
