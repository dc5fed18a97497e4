// The shell chooser of corvane.exe itself: a script that runs "loadshell (shell)" and then
// shows the chosen shell's name, with shells that are stand-ins, so that the tests watch the
// chooser exactly as users get it: its window and controls, the ways of leaving it, the
// countdown, and the painted pixels.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

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

// Lists of one, three and ten rows, each with its default shell; in the list of three, a row
// whose name begins with a digit comes first ("9 Lives", "Alpha", "beta").
struct ShellNames {
    std::vector<std::string> names;
    const char* defaultShell;
    int selected; // the default's row, which the chooser selects when it shows
};
const ShellNames OneShell{{"Solo"}, "Solo", 0};
const ShellNames ThreeShells{{"beta", "9 Lives", "Alpha"}, "beta", 2};
const ShellNames TenShells{{"Shell A", "Shell B", "Shell C", "Shell D", "Shell E", "Shell F", "Shell G", "Shell H",
                            "Shell I", "Shell J"},
                           "Shell B", 1};

// The stand-in under each of these names, without parameters.
std::string ShellsNamed(const e2e::ProgramFolder& folder, const std::vector<std::string>& names) {
    std::string shells = "[Shells]\r\n";
    for (const std::string& name : names) shells += name + "=" + folder.Path() + StandIn + ",0,,\r\n";
    return shells;
}

class Chooser : public ::testing::Test {
protected:
    // Starts corvane.exe with these lines in the user's settings and waits for the chooser.
    // Without shells given, the three stand-ins above are configured.
    void Start(const std::string& name, const std::string& settings, std::optional<std::string> shells = {}) {
        StartWith(name, settings, [&](const e2e::ProgramFolder& folder) { return shells.value_or(Shells(folder)); });
    }

    // The chooser over a list of stand-ins with its default shell, with a countdown running.
    void StartOver(const std::string& name, const ShellNames& shells, int countdown) {
        StartWith(name,
                  "UseTimer=1\r\nTimerLength=" + std::to_string(countdown) + "\r\nDefaultShell=" + shells.defaultShell +
                      "\r\n",
                  [&](const e2e::ProgramFolder& folder) { return ShellsNamed(folder, shells.names); });
    }

    // The chooser with the shell list that shellsOf writes for the program folder.
    void StartWith(const std::string& name, const std::string& settings,
                   const std::function<std::string(const e2e::ProgramFolder&)>& shellsOf) {
        Folder.emplace("chooser-" + name);
        ASSERT_TRUE(CopyFileA((e2e::DriverFolder() + "standin_shell.exe").c_str(), (Folder->Path() + StandIn).c_str(),
                              FALSE));
        Folder->Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\nShowLauncher=1\r\n" + settings);
        Folder->Write("shells.ini", shellsOf(*Folder));
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

struct NumberKey {
    const char* name;
    const ShellNames* shells;
    WORD key;
    const char* chosen;
};

class ChooserNumberKey : public Chooser, public ::testing::WithParamInterface<NumberKey> {};

// A number key of either keyboard launches its row at once, whichever row is selected, also
// while the countdown runs.
TEST_P(ChooserNumberKey, LaunchesItsRow) {
    const NumberKey& number = GetParam();
    StartOver(std::string("number-") + number.name, *number.shells, 30);
    EXPECT_EQ(SendMessageW(List, CB_GETCURSEL, 0, 0), number.shells->selected);
    e2e::TapKey(number.key);
    EXPECT_EQ(Chosen(), number.chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ChooserNumberKey,
    ::testing::Values(NumberKey{"one_of_one", &OneShell, '1', "Solo"},
                      NumberKey{"keypad_one_of_one", &OneShell, VK_NUMPAD1, "Solo"},
                      NumberKey{"one_of_three", &ThreeShells, '1', "9 Lives"},
                      NumberKey{"two_of_three", &ThreeShells, '2', "Alpha"},
                      NumberKey{"three_of_three", &ThreeShells, '3', "beta"},
                      NumberKey{"keypad_one_of_three", &ThreeShells, VK_NUMPAD1, "9 Lives"},
                      NumberKey{"keypad_two_of_three", &ThreeShells, VK_NUMPAD2, "Alpha"},
                      NumberKey{"keypad_three_of_three", &ThreeShells, VK_NUMPAD3, "beta"},
                      NumberKey{"nine_of_ten", &TenShells, '9', "Shell I"},
                      NumberKey{"keypad_nine_of_ten", &TenShells, VK_NUMPAD9, "Shell I"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ShortList {
    const char* name;
    const ShellNames* shells;
};

class ChooserNumberBeyondTheList : public Chooser, public ::testing::WithParamInterface<ShortList> {};

// Every number beyond the list, on both keyboards: the window stays, the countdown stops for good
// and the selection stays where it was, even where a row's name begins with the digit; Enter then
// launches the row that was selected.
TEST_P(ChooserNumberBeyondTheList, OnlyStopsTheCountdown) {
    const ShellNames& shells = *GetParam().shells;
    StartOver(std::string("number-beyond-") + GetParam().name, shells, 2);
    const int rows = static_cast<int>(shells.names.size());
    for (const WORD one : {WORD{'1'}, WORD{VK_NUMPAD1}}) {
        for (int row = rows; row < 9; ++row) e2e::TapKey(static_cast<WORD>(one + row));
    }
    EXPECT_EQ(e2e::WindowText(Title), "All the Time in the World");
    EXPECT_TRUE(StaysOpen(2500)) << "the countdown went on";
    EXPECT_EQ(SendMessageW(List, CB_GETCURSEL, 0, 0), shells.selected);
    e2e::TapKey(VK_RETURN);
    EXPECT_EQ(Chosen(), shells.defaultShell);
}

INSTANTIATE_TEST_SUITE_P(Lists, ChooserNumberBeyondTheList,
                         ::testing::Values(ShortList{"one", &OneShell}, ShortList{"three", &ThreeShells}),
                         [](const auto& info) { return std::string(info.param.name); });

// Typed letters still move the selection to the first row that begins with them.
TEST_F(Chooser, FirstLettersSelectRows) {
    Start("letters", "DefaultShell=beta\r\n");
    e2e::TapKey('G');
    EXPECT_EQ(SendMessageW(List, CB_GETCURSEL, 0, 0), 2);
    e2e::TapKey('A');
    EXPECT_EQ(SendMessageW(List, CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(StaysOpen(300));
    e2e::TapKey(VK_RETURN);
    EXPECT_EQ(Chosen(), "Alpha");
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

// A change of the system's colours or settings repaints the window in the colours decided again.
// Wine has no high-contrast mode, so they are the scheme's: every pixel as before the change.
TEST_F(Chooser, PaintsAgainAsBeforeWhenTheSystemsSettingsChange) {
    Start("settings-change", "DefaultShell=beta\r\n");
    ASSERT_EQ(ClientPixel(5, 40, RGB(179, 179, 179)), RGB(179, 179, 179));
    Sleep(300); // the list draws itself after the window
    const e2e::Picture before = e2e::CaptureClient(Window);
    for (const UINT message : {UINT{WM_SETTINGCHANGE}, UINT{WM_SYSCOLORCHANGE}}) {
        e2e::PaintOverClient(Window, RGB(255, 0, 0));
        ASSERT_EQ(ClientPixel(5, 40, RGB(255, 0, 0)), RGB(255, 0, 0));
        SendMessageW(Window, message, message == WM_SETTINGCHANGE ? SPI_SETHIGHCONTRAST : 0, 0);
        EXPECT_EQ(ClientPixel(5, 40, RGB(179, 179, 179)), RGB(179, 179, 179)) << message;
        Sleep(300);
        EXPECT_TRUE(e2e::CaptureClient(Window).pixels == before.pixels) << message;
    }
    e2e::TapKey('2');
    EXPECT_EQ(Chosen(), "beta");
}

// The shell remembered for the user, as the launcher keeps it; each test begins without one and
// leaves none behind.
constexpr const char* CorvaneKey = "Software\\Corvane";
constexpr const char* LastShell = "LastShell";

class ChooserRemembering : public Chooser {
protected:
    void SetUp() override { Forget(); }
    void TearDown() override { Forget(); }
    static void Forget() { e2e::registry::DeleteRegValue(HKEY_CURRENT_USER, CorvaneKey, LastShell); }
    static std::optional<std::string> Remembered() {
        return e2e::registry::RegText(HKEY_CURRENT_USER, CorvaneKey, LastShell);
    }
};

// The first logon launches gamma by hand; the next one selects it, names it in the countdown's
// title and starts it when the time runs out.
TEST_F(ChooserRemembering, TheNextLogonOffersAndStartsTheShellOfTheLast) {
    Start("remember-first", "DefaultShell=beta\r\nRememberLastShell=1\r\n");
    EXPECT_EQ(SendMessageW(List, CB_GETCURSEL, 0, 0), 1) << "nothing remembered yet: the default";
    e2e::TapKey(VK_DOWN);
    e2e::TapKey(VK_RETURN);
    EXPECT_EQ(Chosen(), "gamma");
    EXPECT_EQ(Remembered(), "gamma");
    DWORD type = 0;
    e2e::registry::RegText(HKEY_CURRENT_USER, CorvaneKey, LastShell, &type);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    Start("remember-next", "UseTimer=1\r\nTimerLength=2\r\nDefaultShell=beta\r\nRememberLastShell=1\r\n");
    EXPECT_EQ(e2e::WindowText(Title), "Timer Enabled (2 seconds, gamma)");
    EXPECT_EQ(SendMessageW(List, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(Chosen(10000), "gamma");
    EXPECT_EQ(Remembered(), "gamma");
}

// A shell that shells.ini no longer lists is passed over without a word: the default shell is
// selected and started, and then remembered in its place.
TEST_F(ChooserRemembering, AShellNoLongerListedGivesTheDefault) {
    const std::vector<std::string> fewer{"Shell A", "Shell B", "Shell C"};
    StartWith("remember-listed", "DefaultShell=Shell B\r\nRememberLastShell=1\r\n",
              [&](const e2e::ProgramFolder& folder) { return ShellsNamed(folder, TenShells.names); });
    e2e::TapKey('9');
    EXPECT_EQ(Chosen(), "Shell I");
    EXPECT_EQ(Remembered(), "Shell I");

    StartWith("remember-unlisted", "UseTimer=1\r\nTimerLength=1\r\nDefaultShell=Shell B\r\nRememberLastShell=1\r\n",
              [&](const e2e::ProgramFolder& folder) { return ShellsNamed(folder, fewer); });
    EXPECT_EQ(e2e::WindowText(Title), "Timer Enabled (1 seconds, Shell B)");
    EXPECT_EQ(SendMessageW(List, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Chosen(10000), "Shell B") << "no box before the script's own";
    EXPECT_EQ(Remembered(), "Shell B");
}

// Without the key the launcher neither uses nor changes what an earlier logon remembered.
TEST_F(ChooserRemembering, WithoutTheKeyNothingIsRememberedOrUsed) {
    e2e::registry::SetRegText(HKEY_CURRENT_USER, CorvaneKey, LastShell, "gamma");
    Start("remember-absent", "UseTimer=1\r\nTimerLength=1\r\nDefaultShell=beta\r\n");
    EXPECT_EQ(e2e::WindowText(Title), "Timer Enabled (1 seconds, beta)");
    EXPECT_EQ(SendMessageW(List, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Chosen(10000), "beta");
    EXPECT_EQ(Remembered(), "gamma");
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
