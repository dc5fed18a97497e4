// The chooser and the option prompt of corvane.exe on screens of 100 to 200 %: the screen's DPI
// is set before corvane.exe starts, and every design measure must come out as
// MulDiv(measure, dpi, 96): places and sizes, painted pixels, the mouse's areas, and texts that
// lie whole inside their areas.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Harness.h"
#include "Input.h"

namespace {

constexpr const char* LongName = "A Shell With A Rather Long Name Indeed";

// The smallest rectangle holding the pixels of a grey value (0 black, 255 white) inside area.
RECT Extent(const e2e::Picture& picture, const RECT& area, int grey) {
    RECT found{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (picture.pixels[static_cast<std::size_t>(y) * picture.width + x] != grey * 0x010101u) continue;
            found = {std::min<LONG>(found.left, x), std::min<LONG>(found.top, y), std::max<LONG>(found.right, x + 1),
                     std::max<LONG>(found.bottom, y + 1)};
        }
    }
    return found;
}

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// True when inner holds something and lies inside outer without touching its edges.
::testing::AssertionResult WellInside(const RECT& inner, const RECT& outer) {
    if (inner.left < inner.right && inner.left > outer.left && inner.right < outer.right && inner.top > outer.top &&
        inner.bottom < outer.bottom) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << Describe(inner) << " is not inside " << Describe(outer);
}

// The place of a child window in its parent's client area.
RECT PlaceOf(HWND parent, const char* className, const char* text = "") {
    RECT place{};
    GetWindowRect(e2e::FindChild(parent, className, text), &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    return place;
}
std::string Place(HWND parent, const char* className, const char* text = "") {
    return Describe(PlaceOf(parent, className, text));
}

class Dpi : public ::testing::TestWithParam<int> {
protected:
    int S(int measure96) const { return MulDiv(measure96, GetParam(), 96); }
    std::string Scaled(int left, int top, int width, int height) const {
        return Describe({S(left), S(top), S(left) + S(width), S(top) + S(height)});
    }

    // Starts corvane.exe on a screen of the test's DPI and waits for its window of the class.
    HWND Start(const std::string& name, const std::string& script, const std::string& settings, const char* windowClass,
               const std::string& scheme = "") {
        Folder.emplace("dpi-" + name + "-" + std::to_string(GetParam()));
        const std::string standIn = Folder->Path() + "standin.exe";
        CopyFileA((e2e::DriverFolder() + "standin_shell.exe").c_str(), standIn.c_str(), FALSE);
        Folder->Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\n" + settings);
        Folder->Write("shells.ini", "[Shells]\r\nAlpha=" + standIn + ",1,,\r\nbeta=" + standIn + ",0,-b,\r\n" +
                                        LongName + "=" + standIn + ",0,,\r\n");
        Folder->Write("script.txt", script);
        CreateDirectoryA((Folder->Path() + "schemes").c_str(), nullptr);
        Folder->Write("schemes\\Default.crs", "[Colours]\r\n" + scheme);
        Screen.emplace(static_cast<DWORD>(GetParam()));
        Run.emplace(*Folder);
        HWND window = Run->WaitForWindow(windowClass);
        if (window != nullptr) e2e::BringToFront(window);
        return window;
    }

    // The text of the box that the script shows next; the launcher must then end normally.
    std::string Shown() {
        const std::optional<e2e::BoxInfo> box = Run->WaitForBox();
        if (!box) return Run->Running() ? "(still open)" : "(no message)";
        Run->PressOk(box->window);
        EXPECT_EQ(Run->WaitForExit().value_or(99), 0u) << box->text;
        return box->text;
    }

    // The chooser's client area once it has painted (the body shows the tinted white desktop).
    e2e::Picture Painted(HWND window) {
        POINT body{S(5), S(40)};
        ClientToScreen(window, &body);
        for (int i = 0; i < 50 && e2e::ScreenPixel(body.x, body.y) != RGB(179, 179, 179); ++i) Sleep(100);
        Sleep(200); // the list draws itself after the window
        return e2e::CaptureClient(window);
    }

    // The logo (black) between the frame and the buttons and the title (black) in its strip lie
    // whole inside their areas.
    void ExpectLogoAndTitleInside(const e2e::Picture& picture) {
        const RECT logoArea{1, S(30), S(359) - 1, S(176)};
        EXPECT_TRUE(WellInside(Extent(picture, logoArea, 0), {1, S(30), S(359) - 2, S(176)}));
        const RECT titleArea{1, 1, S(359) - 1, S(30)};
        EXPECT_TRUE(WellInside(Extent(picture, titleArea, 0), {1, 0, S(359) - 2, S(30)}));
    }

    std::optional<e2e::ScreenDpi> Screen; // ends after the run, so that corvane.exe keeps its DPI
    std::optional<e2e::ProgramFolder> Folder;
    std::optional<e2e::Launcher> Run;
};

constexpr const char* ChooserScript = "loadshell (shell)\r\nshowmessage (chosen=$shell$)\r\n";

TEST_P(Dpi, ChooserIsLaidOutPaintedAndHitAtTheScale) {
    HWND window = Start("chooser", ChooserScript, "ShowLauncher=1\r\nDefaultShell=beta\r\n", "TfrmShellChoose");
    ASSERT_NE(window, nullptr);
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(Describe(frame), Describe({(GetSystemMetrics(SM_CXSCREEN) - S(359)) / 2,
                                         (GetSystemMetrics(SM_CYSCREEN) - S(245)) / 2,
                                         (GetSystemMetrics(SM_CXSCREEN) - S(359)) / 2 + S(359),
                                         (GetSystemMetrics(SM_CYSCREEN) - S(245)) / 2 + S(245)}));
    EXPECT_EQ(Place(window, "Static"), Scaled(1, 1, 357, 30));
    const RECT list = PlaceOf(window, "ComboBox"); // its height is the system's: the row and a border
    EXPECT_EQ(Describe({list.left, list.top, list.right, 0}), Describe({S(8), S(184), S(8) + S(265), 0}));
    EXPECT_EQ(SendMessageW(e2e::FindChild(window, "ComboBox"), CB_GETITEMHEIGHT, 0, 0), S(40));

    // Over the white desktop the default scheme gives 179 in the body, 194 in the title strip,
    // 140 in the buttons and 0 on the frame.
    const e2e::Picture picture = Painted(window);
    const std::tuple<int, int, int> probes[] = {{S(5), S(40), 179},   {S(350), S(150), 179}, {S(5), S(15), 194},
                                                {S(352), S(5), 194},  {S(350), S(197), 140}, {S(350), S(230), 140},
                                                {0, S(100), 0},       {S(359) - 1, S(244), 0}, {S(279), S(190), 179},
                                                {S(300), S(204), 179}};
    for (const auto& [x, y, grey] : probes) {
        EXPECT_EQ(picture.pixels[static_cast<std::size_t>(y) * picture.width + x], grey * 0x010101u) << x << "," << y;
    }
    ExpectLogoAndTitleInside(picture);
    const RECT launch{S(280), S(176), S(280) + S(75), S(176) + S(25)};
    const RECT cancel{S(280), S(208), S(280) + S(75), S(208) + S(25)};
    EXPECT_TRUE(WellInside(Extent(picture, launch, 255), launch)) << "the caption, white";
    EXPECT_TRUE(WellInside(Extent(picture, cancel, 255), cancel));
    if (GetParam() == 144) e2e::SaveScreenshot(e2e::Config().artifacts + "\\chooser-144.bmp");

    // A press on the Launch button's left outline does nothing, one inside its far corner launches.
    e2e::ClickClient(window, S(280), S(190));
    Sleep(400);
    EXPECT_TRUE(IsWindowVisible(window)) << "a press on the outline closed the chooser";
    e2e::ClickClient(window, launch.right - 1, launch.bottom - 1);
    EXPECT_EQ(Shown(), "chosen=beta");
}

// A long countdown notice and a logo font far too large for the window: both shrink to fit.
TEST_P(Dpi, ChooserShrinksTextsThatWouldNotFit) {
    HWND window = Start("fit", ChooserScript,
                        std::string("ShowLauncher=1\r\nUseTimer=1\r\nTimerLength=600\r\nDefaultShell=") + LongName + "\r\n",
                        "TfrmShellChoose", "LogoFontSize=150\r\n");
    ASSERT_NE(window, nullptr);
    ExpectLogoAndTitleInside(Painted(window));
    e2e::TapKey(VK_ESCAPE);
    EXPECT_EQ(Shown(), "chosen=nil");
}

TEST_P(Dpi, PromptIsLaidOutAndHitAtTheScale) {
    // Too wide for the dialog in its font except at 144, where the screenshot shows the design.
    const std::string prompt = GetParam() == 144 ? "Pick one" : "Which desktop would you like to start this time, please?";
    HWND dialog = Start("prompt", "option (answer, \"" + prompt + "\", \"Alpha|Beta|Gamma\", none)\r\nshowmessage (answer=$answer$)\r\n",
                        "ShowLauncher=0\r\n", "CorvaneOptionForm");
    ASSERT_NE(dialog, nullptr);
    RECT frame{};
    GetWindowRect(dialog, &frame);
    EXPECT_EQ(Describe(frame), Scaled(192, 112, 275, 286));
    EXPECT_EQ(Place(dialog, "ListBox"), Scaled(8, 32, 161, 225));
    EXPECT_EQ(Place(dialog, "Button", "Ok"), Scaled(184, 40, 75, 25));
    EXPECT_EQ(Place(dialog, "Button", "Cancel"), Scaled(184, 72, 75, 25));
    HWND list = e2e::FindChild(dialog, "ListBox");
    EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), S(16));
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_TRUE(WellInside(PlaceOf(dialog, "Static"), {S(8) - 1, 0, client.right - S(8) + 1, S(32)}))
        << "the prompt, shrunk where needed";
    if (GetParam() == 144) {
        Sleep(300);
        e2e::SaveScreenshot(e2e::Config().artifacts + "\\prompt-144.bmp");
    }

    // A click in the second row's scaled band selects it; the Ok button's far corner confirms.
    e2e::ClickClient(list, S(20), S(16) + S(8));
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
    e2e::ClickClient(e2e::FindChild(dialog, "Button", "Ok"), S(75) - 3, S(25) - 3);
    EXPECT_EQ(Shown(), "answer=Beta");
}

INSTANTIATE_TEST_SUITE_P(Scales, Dpi, ::testing::Values(96, 120, 144, 192),
                         [](const auto& info) { return "dpi" + std::to_string(info.param); });

// Moved onto a screen of 192 dpi, the chooser's window takes the suggested place, the layout at
// 192 and tells the chooser (the window probe makes the window and sends it WM_DPICHANGED).
TEST(DpiChange, TheWindowTakesTheSuggestedPlaceAndTheNewLayout) {
    const auto run = e2e::RunConsoleProgram(e2e::DriverFolder() + "window_probe.exe", {});
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->output, "reported 192 client 718 490 at 100 50 label 2 2 716 62 list 16 368 530 item 80\n");
}

// An error raised while the list dialog handles a message (here std::bad_alloc from its
// double-click) ends its modal run and reaches the caller, not the system's frames.
TEST(ListDialog, AnErrorInAMessageHandlerReachesTheCaller) {
    const auto run = e2e::RunConsoleProgram(e2e::DriverFolder() + "window_probe.exe", {"list-error"});
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->exitCode, 0u);
    EXPECT_EQ(run->output, "raised by the dialog: std::bad_alloc\n");
}

} // namespace
