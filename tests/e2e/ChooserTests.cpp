// The shell chooser of corvane.exe itself: a script that runs "loadshell (shell)" and then
// shows the chosen shell's name, with shells that are stand-ins, so that the tests watch the
// chooser exactly as users get it: its window and controls, the ways of leaving it, the
// countdown, and the painted pixels.
#include <gtest/gtest.h>

#include <optional>

#include "Harness.h"
#include "Input.h"

namespace {

constexpr const char* None = "(none)";
constexpr const char* Script = "loadshell (shell)\r\nshowmessage (chosen=$shell$)\r\n";
constexpr const char* StandIn = "standin.exe";
constexpr int ClientWidth = 359;
constexpr int ClientHeight = 245;

// Written out of order and in mixed case: the chooser shows them sorted, ignoring case.
std::string Shells(const e2e::ProgramFolder& folder) {
    const std::string shell = folder.Path() + StandIn;
    return "[Shells]\r\n"
           "beta=" + shell + ",0,-b,\r\n"
           "Alpha=" + shell + ",1,,\r\n"
           "gamma=\"" + shell + "\",0,\"-g x\",\r\n";
}

class Chooser : public ::testing::Test {
protected:
    // Starts corvane.exe with these lines in the user's settings and waits for the chooser.
    // Without shells given, the three stand-ins above are configured.
    void Start(const std::string& name, const std::string& settings, std::optional<std::string> shells = {}) {
        Folder.emplace("chooser-" + name);
        ASSERT_TRUE(CopyFileA((e2e::DriverFolder() + "standin_shell.exe").c_str(), (Folder->Path() + StandIn).c_str(),
                              FALSE));
        Folder->Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=1\r\n" + settings);
        Folder->Write("shells.ini", shells.value_or(Shells(*Folder)));
        Folder->Write("script.txt", Script);
        Run.emplace(*Folder);
        Window = Run->WaitForWindow("TfrmShellChoose");
        ASSERT_NE(Window, nullptr) << "no chooser window";
        Title = e2e::FindChild(Window, "Static");
        List = e2e::FindChild(Window, "ComboBox");
        ASSERT_NE(Title, nullptr);
        ASSERT_NE(List, nullptr);
        e2e::BringToFront(Window);
    }

    // The name of the shell that the launcher started once the chooser closed, as the script
    // shows it, or "(none)"; the launcher must then end normally.
    std::string Chosen(DWORD timeoutMs = e2e::DefaultTimeoutMs) {
        const std::optional<e2e::BoxInfo> box = Run->WaitForBox(timeoutMs);
        if (!box) return Run->Running() ? "(still open)" : "(no message)";
        Run->PressOk(box->window);
        const auto code = Run->WaitForExit();
        EXPECT_EQ(code.value_or(99), 0u) << box->text;
        const std::string prefix = "chosen=";
        if (box->text.rfind(prefix, 0) != 0) return box->text;
        const std::string name = box->text.substr(prefix.size());
        return name == "nil" ? None : name;
    }

    // True when the chooser is still showing after a while.
    bool StaysOpen(DWORD milliseconds) {
        const auto showing = [this] { return IsWindow(Window) && IsWindowVisible(Window); };
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < milliseconds) {
            if (!showing()) return false;
            Sleep(50);
        }
        return showing();
    }

    // Waits until a client pixel shows the colour (the window paints after it appears).
    COLORREF ClientPixel(int x, int y, COLORREF expected) {
        POINT point{x, y};
        ClientToScreen(Window, &point);
        COLORREF colour = e2e::ScreenPixel(point.x, point.y);
        for (int i = 0; i < 50 && colour != expected; ++i) {
            Sleep(100);
            colour = e2e::ScreenPixel(point.x, point.y);
        }
        return colour;
    }

    // True when some pixel of a client rectangle shows the colour.
    bool AreaHolds(const RECT& area, COLORREF colour) {
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                POINT point{x, y};
                ClientToScreen(Window, &point);
                if (e2e::ScreenPixel(point.x, point.y) == colour) return true;
            }
        }
        return false;
    }

    static constexpr RECT LaunchCaption{290, 179, 330, 198};
    static constexpr RECT CancelCaption{290, 211, 330, 230};

    std::optional<e2e::ProgramFolder> Folder;
    std::optional<e2e::Launcher> Run;
    HWND Window = nullptr;
    HWND Title = nullptr;
    HWND List = nullptr;
};

TEST_F(Chooser, IsCentredBorderlessAndListsTheShellsSorted) {
    Start("design", "DefaultShell=BETA\r\n");
    RECT client{};
    GetClientRect(Window, &client);
    EXPECT_EQ(client.right, ClientWidth);
    EXPECT_EQ(client.bottom, ClientHeight);
    RECT frame{};
    GetWindowRect(Window, &frame);
    EXPECT_EQ(frame.right - frame.left, ClientWidth) << "no border";
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - ClientWidth) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - ClientHeight) / 2);
    EXPECT_EQ(GetWindowLongW(Window, GWL_STYLE) & WS_CAPTION, 0);

    EXPECT_EQ(e2e::WindowText(Title), "Corvane v3");
    EXPECT_EQ(e2e::ComboBoxItems(List), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    const LONG style = GetWindowLongW(List, GWL_STYLE);
    EXPECT_EQ(style & 3, CBS_DROPDOWNLIST);
    EXPECT_NE(style & CBS_OWNERDRAWFIXED, 0);
    EXPECT_NE(style & CBS_HASSTRINGS, 0);
    EXPECT_EQ(SendMessageW(List, CB_GETITEMHEIGHT, 0, 0), 40);
    EXPECT_EQ(SendMessageW(List, CB_GETCURSEL, 0, 0), 1) << "the default shell, named in other letter case";
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(Window, nullptr), &gui));
    EXPECT_EQ(gui.hwndFocus, List) << "the list has the focus";

    e2e::TapKey(VK_ESCAPE);
    EXPECT_EQ(Chosen(), None);
}

TEST_F(Chooser, EnterHandsBackTheSelectedEntry) {
    Start("enter", "DefaultShell=beta\r\n");
    e2e::TapKey(VK_DOWN);
    e2e::TapKey(VK_RETURN);
    EXPECT_EQ(Chosen(), "gamma");
}

TEST_F(Chooser, EscapeHandsBackNoneEvenAfterTheSelectionMoved) {
    Start("escape", "DefaultShell=beta\r\n");
    e2e::TapKey(VK_UP);
    e2e::TapKey(VK_ESCAPE);
    EXPECT_EQ(Chosen(), None);
}

struct Press {
    const char* name;
    int x, y;
    e2e::Button button;
    const char* chosen; // nullptr: the press does nothing
};

class ChooserPress : public Chooser, public ::testing::WithParamInterface<Press> {};

TEST_P(ChooserPress, LaunchesCancelsOrDoesNothing) {
    const Press& press = GetParam();
    Start(std::string("press-") + press.name, "DefaultShell=beta\r\n");
    e2e::ClickClient(Window, press.x, press.y, press.button);
    if (press.chosen != nullptr) {
        EXPECT_EQ(Chosen(), press.chosen);
        return;
    }
    EXPECT_TRUE(StaysOpen(500)) << "the press closed the chooser";
    e2e::TapKey(VK_ESCAPE);
    EXPECT_EQ(Chosen(), None);
}

INSTANTIATE_TEST_SUITE_P(
    Areas, ChooserPress,
    ::testing::Values(Press{"launch-corner", 281, 177, e2e::Button::Left, "beta"},
                      Press{"launch-far-corner", 354, 200, e2e::Button::Left, "beta"},
                      Press{"launch-right", 300, 190, e2e::Button::Right, "beta"},
                      Press{"launch-middle", 300, 190, e2e::Button::Middle, "beta"},
                      Press{"cancel", 300, 220, e2e::Button::Left, None},
                      Press{"launch-left-outline", 280, 190, e2e::Button::Left, nullptr},
                      Press{"launch-top-outline", 300, 176, e2e::Button::Left, nullptr},
                      Press{"launch-bottom", 300, 201, e2e::Button::Left, nullptr}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& c : name) c = c == '-' ? '_' : c;
        return name;
    });

TEST_F(Chooser, CountdownHandsBackTheDefaultShellWhateverIsSelected) {
    Start("countdown", "UseTimer=1\r\nTimerLength=2\r\nDefaultShell=GAMMA\r\n");
    const DWORD started = GetTickCount();
    EXPECT_EQ(e2e::WindowText(Title), "Timer Enabled (2 seconds, GAMMA)");
    SendMessageW(List, CB_SETCURSEL, 0, 0);
    e2e::ClickClient(Window, 100, 150); // the mouse does not stop the countdown
    EXPECT_EQ(Chosen(10000), "GAMMA") << "the settings' own item, named as the settings write it";
    EXPECT_GE(GetTickCount() - started, 1500u);
}

TEST_F(Chooser, AnyKeyReleasedStopsTheCountdownForGood) {
    Start("countdown-stopped", "UseTimer=1\r\nTimerLength=1\r\nDefaultShell=gamma\r\n");
    e2e::TapKey(VK_SHIFT);
    EXPECT_EQ(e2e::WindowText(Title), "All the Time in the World");
    EXPECT_TRUE(StaysOpen(2500));
    e2e::TapKey(VK_ESCAPE);
    EXPECT_EQ(Chosen(), None);
}

struct Countdown {
    const char* name;
    const char* length;
};

class ChooserEndlessCountdown : public Chooser, public ::testing::WithParamInterface<Countdown> {};

// An interval of 0 never fires; lengths too long for the timer wait as long as it can.
TEST_P(ChooserEndlessCountdown, WaitsForTheUser) {
    const Countdown& countdown = GetParam();
    Start(std::string("countdown-") + countdown.name,
          std::string("UseTimer=1\r\nTimerLength=") + countdown.length + "\r\nDefaultShell=gamma\r\n");
    EXPECT_EQ(e2e::WindowText(Title), std::string("Timer Enabled (") + countdown.length + " seconds, gamma)");
    EXPECT_TRUE(StaysOpen(1500));
    e2e::TapKey(VK_RETURN);
    EXPECT_EQ(Chosen(), "gamma");
}

INSTANTIATE_TEST_SUITE_P(Lengths, ChooserEndlessCountdown,
                         ::testing::Values(Countdown{"zero", "0"}, Countdown{"beyond_the_timer", "2147484"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Chooser, EmptyListHandsBackNone) {
    Start("empty-enter", "", "");
    EXPECT_TRUE(e2e::ComboBoxItems(List).empty());
    e2e::TapKey(VK_RETURN);
    EXPECT_EQ(Chosen(), None);

    Start("empty-launch", "", "");
    e2e::ClickClient(Window, 300, 190);
    EXPECT_EQ(Chosen(), None);
}

// Under Wine the desktop paints white: the default scheme (black, weight 180) gives
// (0 * 75 + 255 * 180) >> 8 = 179 in the body, (51 * 75 + 255 * 180) >> 8 = 194 in the title
// strip, and (51 * 75 + 179 * 180) >> 8 = 140 inside the buttons, tinted twice.
TEST_F(Chooser, PaintsTheTintedDesktop) {
    Start("paint", "DefaultShell=beta\r\n");
    struct Probe {
        int x, y;
        int value;
    };
    const Probe pixels[] = {
        {5, 40, 179},   {350, 150, 179}, {180, 170, 179}, {5, 15, 194}, {352, 5, 194},
        {350, 197, 140}, {350, 230, 140}, {0, 100, 0},     {0, 0, 14},   {358, 244, 0},
    };
    for (const auto& p : pixels) {
        const COLORREF expected = RGB(p.value, p.value, p.value);
        EXPECT_EQ(ClientPixel(p.x, p.y, expected), expected) << "at " << p.x << "," << p.y;
    }
    // The captions are written in the list's text colour, white over the dark default scheme.
    EXPECT_TRUE(AreaHolds(LaunchCaption, RGB(255, 255, 255)));
    EXPECT_TRUE(AreaHolds(CancelCaption, RGB(255, 255, 255)));
    e2e::SaveScreenshot(e2e::Config().artifacts + "\\chooser.bmp");
    e2e::TapKey(VK_ESCAPE);
    EXPECT_EQ(Chosen(), None);
}

TEST_F(Chooser, TitleDragsTheWindowWithTheLeftButtonOnly) {
    Start("drag", "DefaultShell=beta\r\n");
    RECT before{};
    GetWindowRect(Window, &before);
    POINT grip{40, 15};
    ClientToScreen(Window, &grip);

    e2e::MoveMouse(grip.x, grip.y);
    e2e::PressMouse(e2e::Button::Right);
    e2e::ReleaseMouse(e2e::Button::Right);
    Sleep(300);
    RECT after{};
    GetWindowRect(Window, &after);
    EXPECT_EQ(after.left, before.left) << "a right-button press does not move the window";

    e2e::PressMouse(e2e::Button::Left);
    Sleep(200);
    for (int step = 1; step <= 5; ++step) e2e::MoveMouse(grip.x + step * 10, grip.y + step * 6);
    e2e::ReleaseMouse(e2e::Button::Left);
    Sleep(300);
    GetWindowRect(Window, &after);
    EXPECT_EQ(after.left - before.left, 50);
    EXPECT_EQ(after.top - before.top, 30);
    EXPECT_EQ(ClientPixel(5, 40, RGB(179, 179, 179)), RGB(179, 179, 179)) << "painted again after the move";

    e2e::TapKey(VK_ESCAPE);
    EXPECT_EQ(Chosen(), None);
}

} // namespace
