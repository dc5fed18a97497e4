// The chooser and the option prompt of corvane.exe on screens of 100 to 200 %: the screen's DPI
// is set before corvane.exe starts, and every design measure must come out as
// MulDiv(measure, dpi, 96): window sizes and places, painted pixels, the mouse's areas, and the
// texts, which must lie whole inside their areas.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "Harness.h"
#include "Input.h"

namespace {

int S(int measure96, int dpi) { return MulDiv(measure96, dpi, 96); }

// The smallest rectangle holding the pixels of a colour inside area (empty when there is none).
RECT Extent(const e2e::Picture& picture, const RECT& area, COLORREF colour) {
    const std::uint32_t wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    RECT found{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (picture.pixels[static_cast<std::size_t>(y) * picture.width + x] != wanted) continue;
            found = {std::min<LONG>(found.left, x), std::min<LONG>(found.top, y), std::max<LONG>(found.right, x + 1),
                     std::max<LONG>(found.bottom, y + 1)};
        }
    }
    return found;
}

// True when inner is not empty and lies inside outer without touching its edges.
bool WellInside(const RECT& inner, const RECT& outer) {
    return inner.left < inner.right && inner.left > outer.left && inner.right < outer.right && inner.top > outer.top &&
           inner.bottom < outer.bottom;
}

std::string Describe(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

RECT ChildPlace(HWND parent, HWND child) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

class DpiTest : public ::testing::TestWithParam<int> {
protected:
    static constexpr const char* LongName = "A Shell With A Rather Long Name Indeed";

    int Dpi() const { return GetParam(); }
    int S(int measure96) const { return ::S(measure96, Dpi()); }

    // Starts corvane.exe on a screen of the test's DPI with this script and these settings.
    void Start(const std::string& name, const std::string& script, const std::string& settings,
               const std::string& scheme = "") {
        Folder.emplace("dpi-" + name + "-" + std::to_string(Dpi()));
        const std::string standIn = Folder->Path() + "standin.exe";
        ASSERT_TRUE(CopyFileA((e2e::DriverFolder() + "standin_shell.exe").c_str(), standIn.c_str(), FALSE));
        Folder->Write(e2e::CurrentUserName() + ".ini", "[Settings]\r\n" + settings);
        Folder->Write("shells.ini", "[Shells]\r\nAlpha=" + standIn + ",1,,\r\nbeta=" + standIn + ",0,-b,\r\n" +
                                        LongName + "=" + standIn + ",0,,\r\n");
        Folder->Write("script.txt", script);
        if (!scheme.empty()) {
            CreateDirectoryA((Folder->Path() + "schemes").c_str(), nullptr);
            Folder->Write("schemes\\Default.crs", "[Colours]\r\n" + scheme);
        }
        Screen.emplace(static_cast<DWORD>(Dpi()));
        Run.emplace(*Folder);
    }

    // The text of the box that the script shows last; the launcher must then end normally.
    std::string Shown() {
        const std::optional<e2e::BoxInfo> box = Run->WaitForBox();
        if (!box) return Run->Running() ? "(still open)" : "(no message)";
        Run->PressOk(box->window);
        EXPECT_EQ(Run->WaitForExit().value_or(99), 0u) << box->text;
        return box->text;
    }

    std::optional<e2e::ScreenDpi> Screen; // ends after the run, so corvane.exe keeps its DPI
    std::optional<e2e::ProgramFolder> Folder;
    std::optional<e2e::Launcher> Run;
};

// The chooser ---------------------------------------------------------------------------------

constexpr const char* ChooserScript = "loadshell (shell)\r\nshowmessage (chosen=$shell$)\r\n";

class DpiChooser : public DpiTest {
protected:
    HWND StartChooser(const std::string& name, const std::string& settings = "DefaultShell=beta\r\n",
                      const std::string& scheme = "") {
        Start(name, ChooserScript, "ShowLauncher=1\r\n" + settings, scheme);
        HWND window = Run->WaitForWindow("TfrmShellChoose");
        if (window != nullptr) e2e::BringToFront(window);
        return window;
    }

    // The client area once the window has painted (its body shows the tinted white desktop).
    e2e::Picture Painted(HWND window) {
        POINT body{S(5), S(40)};
        ClientToScreen(window, &body);
        for (int i = 0; i < 50 && e2e::ScreenPixel(body.x, body.y) != RGB(179, 179, 179); ++i) Sleep(100);
        Sleep(200); // the list draws itself after the window
        return e2e::CaptureClient(window);
    }
};

TEST_P(DpiChooser, LaysOutPaintsAndAnswersTheMouseAtTheScreensScale) {
    HWND window = StartChooser("layout");
    ASSERT_NE(window, nullptr);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, S(359));
    EXPECT_EQ(client.bottom, S(245));
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - S(359)) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - S(245)) / 2);
    HWND title = e2e::FindChild(window, "Static");
    HWND list = e2e::FindChild(window, "ComboBox");
    ASSERT_NE(title, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(Describe(ChildPlace(window, title)), Describe({S(1), S(1), S(1) + S(357), S(1) + S(30)}));
    const RECT listPlace = ChildPlace(window, list);
    EXPECT_EQ(listPlace.left, S(8));
    EXPECT_EQ(listPlace.top, S(184));
    EXPECT_EQ(listPlace.right - listPlace.left, S(265));
    EXPECT_EQ(SendMessageW(list, CB_GETITEMHEIGHT, 0, 0), S(40));

    // White desktop under the default scheme: 179 in the body, 194 in the title strip, 140 in
    // the buttons, the black frame on the edge.
    const e2e::Picture picture = Painted(window);
    struct Probe {
        int x, y, value;
    };
    const Probe probes[] = {{S(5), S(40), 179},  {S(350), S(150), 179}, {S(5), S(15), 194}, {S(352), S(5), 194},
                            {S(350), S(197), 140}, {S(350), S(230), 140}, {0, S(100), 0},  {S(359) - 1, S(244), 0},
                            {S(279), S(190), 179}, {S(300), S(204), 179}};
    for (const auto& p : probes) {
        const std::uint32_t grey = static_cast<std::uint32_t>(p.value) * 0x010101u;
        EXPECT_EQ(picture.pixels[static_cast<std::size_t>(p.y) * picture.width + p.x], grey) << "at " << p.x << "," << p.y;
    }

    // The logo (black) between the frame and the buttons, the title (black) inside its strip,
    // the captions (white) inside their buttons: whole, none of them cut at an edge.
    const RECT logo = Extent(picture, {1, S(30), S(359) - 1, S(176)}, RGB(0, 0, 0));
    EXPECT_TRUE(WellInside(logo, {1, S(30), S(359) - 2, S(176)})) << Describe(logo);
    const RECT titleText = Extent(picture, {1, 1, S(359) - 1, S(30)}, RGB(0, 0, 0));
    EXPECT_TRUE(WellInside(titleText, {1, 0, S(359) - 2, S(30)})) << Describe(titleText);
    const RECT launch{S(280), S(176), S(280) + S(75), S(176) + S(25)};
    const RECT launchText = Extent(picture, launch, RGB(255, 255, 255));
    EXPECT_TRUE(WellInside(launchText, launch)) << Describe(launchText);
    const RECT cancel{S(280), S(208), S(280) + S(75), S(208) + S(25)};
    const RECT cancelText = Extent(picture, cancel, RGB(255, 255, 255));
    EXPECT_TRUE(WellInside(cancelText, cancel)) << Describe(cancelText);
    if (Dpi() == 144) e2e::SaveScreenshot(e2e::Config().artifacts + "\\chooser-144.bmp");

    // The areas of the mouse: a press on the Launch button's left outline does nothing, one
    // just inside its far corner launches.
    e2e::ClickClient(window, S(280), S(190));
    Sleep(400);
    EXPECT_TRUE(IsWindowVisible(window)) << "a press on the outline closed the chooser";
    e2e::ClickClient(window, launch.right - 1, launch.bottom - 1);
    EXPECT_EQ(Shown(), "chosen=beta");
}

// A long countdown notice and a logo font far too large for the window: both shrink to fit.
TEST_P(DpiChooser, ShrinksTextsThatWouldNotFit) {
    HWND window = StartChooser("fit",
                               std::string("UseTimer=1\r\nTimerLength=600\r\nDefaultShell=") + LongName + "\r\n",
                               "LogoFontSize=150\r\n");
    ASSERT_NE(window, nullptr);
    const e2e::Picture picture = Painted(window);
    const RECT logo = Extent(picture, {1, S(30), S(359) - 1, S(176)}, RGB(0, 0, 0));
    EXPECT_TRUE(WellInside(logo, {1, S(30), S(359) - 2, S(176)})) << Describe(logo);
    const RECT titleText = Extent(picture, {1, 1, S(359) - 1, S(30)}, RGB(0, 0, 0));
    EXPECT_TRUE(WellInside(titleText, {1, 0, S(359) - 2, S(30)})) << Describe(titleText);
    e2e::TapKey(VK_ESCAPE);
    EXPECT_EQ(Shown(), "chosen=nil");
}

// Moved onto a screen of 192 dpi, the window takes the suggested place, the layout at 192 and
// tells the chooser (the window probe makes the chooser's window and sends WM_DPICHANGED).
TEST(DpiChange, TheWindowTakesTheSuggestedPlaceAndTheNewLayout) {
    const auto run = e2e::RunConsoleProgram(e2e::DriverFolder() + "window_probe.exe", {});
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->output, "reported 192 client 718 490 at 100 50 label 2 2 716 62 list 16 368 530 item 80\n");
}

INSTANTIATE_TEST_SUITE_P(Scales, DpiChooser, ::testing::Values(96, 120, 144, 192),
                         [](const auto& info) { return "dpi" + std::to_string(info.param); });

// The option prompt ---------------------------------------------------------------------------

class DpiPrompt : public DpiTest {};

TEST_P(DpiPrompt, LaysOutAndAnswersTheMouseAtTheScreensScale) {
    // Too wide for the dialog in its font except at 144, where the screenshot shows the design.
    const std::string prompt = Dpi() == 144 ? "Pick one" : "Which desktop would you like to start this time, please?";
    Start("prompt", "option (answer, \"" + prompt + "\", \"Alpha|Beta|Gamma\", none)\r\nshowmessage (answer=$answer$)\r\n",
          "ShowLauncher=0\r\n");
    HWND dialog = Run->WaitForWindow("CorvaneOptionForm");
    ASSERT_NE(dialog, nullptr);
    e2e::BringToFront(dialog);
    RECT frame{};
    GetWindowRect(dialog, &frame);
    EXPECT_EQ(Describe(frame), Describe({S(192), S(112), S(192) + S(275), S(112) + S(286)}));
    HWND list = e2e::FindChild(dialog, "ListBox");
    HWND ok = e2e::FindChild(dialog, "Button", "Ok");
    HWND cancel = e2e::FindChild(dialog, "Button", "Cancel");
    HWND label = e2e::FindChild(dialog, "Static");
    ASSERT_TRUE(list != nullptr && ok != nullptr && cancel != nullptr && label != nullptr);
    EXPECT_EQ(Describe(ChildPlace(dialog, list)), Describe({S(8), S(32), S(8) + S(161), S(32) + S(225)}));
    EXPECT_EQ(Describe(ChildPlace(dialog, ok)), Describe({S(184), S(40), S(184) + S(75), S(40) + S(25)}));
    EXPECT_EQ(Describe(ChildPlace(dialog, cancel)), Describe({S(184), S(72), S(184) + S(75), S(72) + S(25)}));
    EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), S(16));

    // The prompt, long or short, lies inside the client area, and the list inside the window.
    RECT client{};
    GetClientRect(dialog, &client);
    const RECT labelPlace = ChildPlace(dialog, label);
    EXPECT_EQ(labelPlace.left, S(8));
    EXPECT_LE(labelPlace.right, client.right - S(8)) << Describe(labelPlace);
    EXPECT_GT(labelPlace.right, labelPlace.left);
    EXPECT_LE(ChildPlace(dialog, list).bottom, client.bottom);
    if (Dpi() == 144) {
        Sleep(300);
        e2e::SaveScreenshot(e2e::Config().artifacts + "\\prompt-144.bmp");
    }

    // A click in the second row's scaled band selects it; the Ok button's far corner confirms.
    e2e::ClickClient(list, S(20), S(16) + S(8));
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
    e2e::ClickClient(ok, S(75) - 3, S(25) - 3);
    EXPECT_EQ(Shown(), "answer=Beta");
}

INSTANTIATE_TEST_SUITE_P(Scales, DpiPrompt, ::testing::Values(96, 120, 144, 192),
                         [](const auto& info) { return "dpi" + std::to_string(info.param); });

} // namespace
