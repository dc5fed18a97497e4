// The chooser's window for unit tests: it keeps the controls' state where tests can read it,
// and plays the user while it is "shown" modally.
#pragma once

#include <algorithm>
#include <cctype>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ChooserWindow.h"

namespace corvane::testing {

class FakeChooserWindow : public platform::ChooserWindow {
public:
    explicit FakeChooserWindow(platform::ChooserHandlers& h, int* alive) : handlers(h), alive_(alive) { ++*alive_; }
    ~FakeChooserWindow() override { --*alive_; }

    platform::ChooserHandlers& handlers;
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
        if (timer != 0) handlers.tmrLoadShellTimer();
    }

    std::string TitleCaption() override { return title; }
    void SetTitleCaption(const std::string& caption) override { title = caption; }
    void AddShell(const std::string& name) override { shells.push_back(name); }
    int ShellCount() override { return static_cast<int>(shells.size()); }
    std::string ShellName(int index) override { return shells.at(static_cast<std::size_t>(index)); }
    int ItemIndex() override { return itemIndex; }
    void SetItemIndex(int index) override { itemIndex = index >= 0 && index < ShellCount() ? index : -1; }
    int FindShellExact(const std::string& name) override {
        for (std::size_t i = 0; i < shells.size(); ++i) {
            if (SameText(shells[i], name)) return static_cast<int>(i);
        }
        return -1;
    }
    void FocusShells() override { listFocused = true; }
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
        handlers.FormShow();
        if (user) user(*this);
        leftOpen = handlers.GetModalResult() == platform::ModalResult::None;
        shown = false;
    }

private:
    static bool SameText(const std::string& a, const std::string& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
               });
    }

    int* alive_;
};

// Creates fake chooser windows; the last one stays readable through window while it lives.
class FakeChooserWindows {
public:
    FakeChooserWindow* window = nullptr;
    int alive = 0;
    std::function<void(FakeChooserWindow&)> user; // given to every window created

    std::unique_ptr<platform::ChooserWindow> Create(platform::ChooserHandlers& handlers) {
        auto created = std::make_unique<FakeChooserWindow>(handlers, &alive);
        created->user = user;
        window = created.get();
        return created;
    }
};

} // namespace corvane::testing
