// The option prompt: its design, its entries, the ways of answering it, and the branches that
// a script takes on the answer.
#include <gtest/gtest.h>

#include <functional>

#include "Harness.h"
#include "Input.h"

namespace {

constexpr const char* Script =
    "option (answer, \"Pick one\", \"Alpha|'Beta Two'|Gamma\", none)\r\n"
    "ifeq (answer, alpha)\r\n"
    "  showmessage (\"branch alpha\")\r\n"
    "end\r\n"
    "ifeq (answer, \"Beta Two\")\r\n"
    "  showmessage (\"branch beta\")\r\n"
    "  ifeq (answer, gamma)\r\n"
    "    showmessage (never)\r\n"
    "  end\r\n"
    "  showmessage (\"still beta\")\r\n"
    "end\r\n"
    "ifeq (answer, GAMMA)\r\n"
    "  showmessage (\"branch gamma\")\r\n"
    "end\r\n"
    "ifeq (answer, none)\r\n"
    "  showmessage (cancelled)\r\n"
    "end\r\n"
    "showmessage (\"answer=$answer$\")\r\n";

struct Answer {
    const char* name;
    int entry; // -1: leave the selection alone
    std::function<void(HWND dialog, HWND list, int entry)> act;
    std::vector<std::string> expected;
};

void ClickButton(HWND dialog, const char* caption) {
    HWND button = e2e::FindChild(dialog, "Button", caption);
    ASSERT_NE(button, nullptr) << caption;
    PostMessageW(button, BM_CLICK, 0, 0);
}

class OptionPrompt : public ::testing::TestWithParam<Answer> {};

TEST_P(OptionPrompt, AnswerDecidesTheBranch) {
    const Answer& answer = GetParam();
    e2e::ProgramFolder folder(std::string("option-") + answer.name);
    folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=0\r\n");
    folder.Write("shells.ini", "");
    folder.Write("script.txt", Script);
    e2e::Launcher launcher(folder);

    HWND dialog = launcher.WaitForWindow("CorvaneOptionForm");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(e2e::WindowText(dialog), "Corvane Prompt");
    RECT frame{};
    GetWindowRect(dialog, &frame);
    EXPECT_EQ(frame.left, 192);
    EXPECT_EQ(frame.top, 112);
    EXPECT_EQ(frame.right - frame.left, 275);
    EXPECT_EQ(frame.bottom - frame.top, 286);
    EXPECT_EQ(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU, 0) << "no close box";
    EXPECT_NE(e2e::FindChild(dialog, "Static", "Pick one"), nullptr);

    HWND list = e2e::FindChild(dialog, "ListBox");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(e2e::ListBoxItems(list), (std::vector<std::string>{"Alpha", "Beta Two", "Gamma"}));
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR) << "nothing is preselected";
    if (answer.entry >= 0) SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(answer.entry), 0);
    answer.act(dialog, list, answer.entry);

    std::vector<std::string> texts;
    for (const auto& box : launcher.DismissAllUntilExit()) texts.push_back(box.text);
    EXPECT_EQ(texts, answer.expected);
    EXPECT_EQ(launcher.WaitForExit(), 0u);
}

// The prompt paints with the system's colours alone; a change of them, or of the system's
// settings, paints it again while it is open, and it goes on answering.
TEST(OptionPromptColours, PaintsAgainWhenTheSystemsSettingsChange) {
    e2e::ProgramFolder folder("option-settings-change");
    folder.Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=0\r\n");
    folder.Write("shells.ini", "");
    folder.Write("script.txt", Script);
    e2e::Launcher launcher(folder);
    HWND dialog = launcher.WaitForWindow("CorvaneOptionForm");
    ASSERT_NE(dialog, nullptr);
    HWND list = e2e::FindChild(dialog, "ListBox");
    ASSERT_NE(list, nullptr);
    POINT corner{2, 2}; // the dialog's background, beside the prompt
    ClientToScreen(dialog, &corner);
    // The colour at the corner once it shows, or after three seconds.
    const auto cornerShows = [&](COLORREF colour) {
        COLORREF shown = e2e::ScreenPixel(corner.x, corner.y);
        for (int i = 0; i < 30 && shown != colour; ++i) {
            Sleep(100);
            shown = e2e::ScreenPixel(corner.x, corner.y);
        }
        return shown;
    };
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(cornerShows(face), face);
    for (const UINT message : {UINT{WM_SYSCOLORCHANGE}, UINT{WM_SETTINGCHANGE}}) {
        e2e::PaintOverClient(dialog, RGB(255, 0, 0));
        ASSERT_EQ(cornerShows(RGB(255, 0, 0)), RGB(255, 0, 0)) << "the screen shows the paint over the dialog";
        SendMessageW(dialog, message, 0, 0);
        EXPECT_EQ(cornerShows(face), face) << message;
    }
    SendMessageW(list, LB_SETCURSEL, 2, 0);
    ClickButton(dialog, "Ok");
    std::vector<std::string> texts;
    for (const auto& box : launcher.DismissAllUntilExit()) texts.push_back(box.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"branch gamma", "answer=Gamma"}));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, OptionPrompt,
    ::testing::Values(
        Answer{"ok-button", 0, [](HWND d, HWND, int) { ClickButton(d, "Ok"); }, {"branch alpha", "answer=Alpha"}},
        Answer{"enter-in-list", 1, [](HWND, HWND l, int) { PostMessageW(l, WM_KEYDOWN, VK_RETURN, 0x001C0001); },
               {"branch beta", "still beta", "answer=Beta Two"}},
        Answer{"double-click", 2,
               [](HWND, HWND l, int entry) {
                   PostMessageW(l, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, entry * 16 + 8));
               },
               {"branch gamma", "answer=Gamma"}},
        Answer{"escape", 1, [](HWND, HWND l, int) { PostMessageW(l, WM_KEYDOWN, VK_ESCAPE, 0x00010001); },
               {"cancelled", "answer=none"}},
        Answer{"cancel-button", 2, [](HWND d, HWND, int) { ClickButton(d, "Cancel"); }, {"cancelled", "answer=none"}},
        Answer{"ok-without-selection", -1, [](HWND d, HWND, int) { ClickButton(d, "Ok"); },
               {"cancelled", "answer=none"}}),
    [](const ::testing::TestParamInfo<Answer>& info) {
        std::string name = info.param.name;
        for (char& c : name) if (c == '-') c = '_';
        return name;
    });

} // namespace
