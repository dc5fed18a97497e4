#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "support/ChooserPlatform.h"
#include "support/RecordingCanvas.h"
#include "ui/ShellChooseForm.h"

namespace corvane {
namespace {

using platform::ModalResult;
using platform::TMouseButton;
using testing::FakeChooserWindow;

constexpr std::uint16_t KeyReturn = 13;
constexpr std::uint16_t KeyEscape = 27;
constexpr std::uint16_t KeyShift = 16;
constexpr std::uint16_t KeyDown = 40;
constexpr std::uint16_t KeyNumpad0 = 0x60;

TEST(Countdown, IntervalIsTheLengthInMillisecondsWithinTheTimersRange) {
    const std::pair<std::int32_t, std::uint32_t> cases[] = {
        {5, 5000},
        {0, 0},
        {-5, 0},
        {2147483, 2147483000u},
        {2147484, 0x7FFFFFFFu},
        {std::numeric_limits<std::int32_t>::max(), 0x7FFFFFFFu},
        {std::numeric_limits<std::int32_t>::min(), 0},
    };
    for (const auto& [seconds, interval] : cases) EXPECT_EQ(CountdownInterval(seconds), interval) << seconds;
}

TEST(Countdown, CaptionShowsTheLengthAsTheSettingsHoldIt) {
    EXPECT_EQ(CountdownCaption(5, "Explorer"), "Timer Enabled (5 seconds, Explorer)");
    EXPECT_EQ(CountdownCaption(-5, ""), "Timer Enabled (-5 seconds, )");
    EXPECT_EQ(CountdownCaption(2147483647, "x"), "Timer Enabled (2147483647 seconds, x)");
}

// A program folder with three shells (sorted: Alpha, beta, gamma) and the default shell BETA.
class ShellChooseFormTest : public ::testing::Test {
protected:
    ShellChooseFormTest() {
        Fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\r\nDefaultShell=BETA\r\n";
        Fake.files.files["C:\\Launch\\shells.ini"] = "[Shells]\r\n"
                                                     "beta=C:\\b.exe,0,-b,\r\n"
                                                     "Alpha=C:\\a.exe,1,\"-a x\",\r\n"
                                                     "gamma=C:\\g.exe,0,,\r\n";
        Fake.shell.icons["C:\\a.exe"] = 7;
    }

    // The caller's preparation: context, entries, colours.
    void Prepare(TfrmShellChoose& form, const TCorvaneInfo& info) {
        form.Info = &info;
        for (const auto& entry : info.ShellList) form.lstShells.AddItem(entry.Name);
        form.SetUpColours();
    }

    FakeChooserWindow& Window() { return *Fake.windows.choosers.window; }

    testing::ChooserPlatform Fake;
};

TEST_F(ShellChooseFormTest, StartsWithItsDesignAndIsDestroyedWithTheForm) {
    {
        TfrmShellChoose form;
        EXPECT_EQ(form.lblTitle.Caption(), "Corvane v3");
        EXPECT_EQ(Window().timer, 0u);
        form.FormKeyUp(KeyShift, platform::ssShift); // with no countdown running, too
        EXPECT_EQ(form.lblTitle.Caption(), "All the Time in the World");
    }
    EXPECT_EQ(Fake.windows.choosers.alive, 0);
}

TEST_F(ShellChooseFormTest, ShowSelectsTheDefaultShellIgnoringCase) {
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    EXPECT_EQ(Window().shells, (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    form.FormShow();
    EXPECT_EQ(form.lstShells.ItemIndex(), 1);
    EXPECT_TRUE(Window().listFocused);
    EXPECT_EQ(form.LaunchRect, (TRect{280, 176, 355, 201}));
    EXPECT_EQ(form.CancelRect, (TRect{280, 208, 355, 233}));
}

TEST_F(ShellChooseFormTest, ShowSelectsTheFirstEntryWhenTheDefaultIsNotListed) {
    Fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\r\n";
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.FormShow();
    EXPECT_EQ(form.lstShells.ItemIndex(), 0);
}

TEST_F(ShellChooseFormTest, EmptyListSelectsNothingAndLaunchesNone) {
    Fake.files.files["C:\\Launch\\shells.ini"] = "";
    Fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\r\n";
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.FormShow();
    EXPECT_EQ(form.lstShells.ItemIndex(), -1);
    form.FormMouseDown(TMouseButton::Left, 0, 300, 190);
    EXPECT_EQ(form.GetModalResult(), ModalResult::Ok);
    EXPECT_EQ(form.SelectedShell, nullptr);
}

struct PressCase {
    int x, y;
    TMouseButton button;
    ModalResult result;
};

TEST_F(ShellChooseFormTest, PressesLaunchOrCancelOnlyStrictlyInsideTheButtons) {
    const TCorvaneInfo info;
    const PressCase cases[] = {
        {281, 177, TMouseButton::Left, ModalResult::Ok},      {354, 200, TMouseButton::Left, ModalResult::Ok},
        {300, 190, TMouseButton::Right, ModalResult::Ok},     {300, 190, TMouseButton::Middle, ModalResult::Ok},
        {300, 220, TMouseButton::Left, ModalResult::Cancel},  {354, 232, TMouseButton::Right, ModalResult::Cancel},
        {280, 190, TMouseButton::Left, ModalResult::None},    {300, 176, TMouseButton::Left, ModalResult::None},
        {300, 201, TMouseButton::Left, ModalResult::None},    {355, 190, TMouseButton::Left, ModalResult::None},
        {300, 208, TMouseButton::Left, ModalResult::None},    {300, 233, TMouseButton::Left, ModalResult::None},
    };
    for (const auto& c : cases) {
        TfrmShellChoose form;
        Prepare(form, info);
        form.FormShow();
        form.FormMouseDown(c.button, 0, c.x, c.y);
        EXPECT_EQ(form.GetModalResult(), c.result) << c.x << "," << c.y;
        EXPECT_EQ(form.SelectedShell, c.result == ModalResult::Ok ? &info.ShellList.Item(1) : nullptr)
            << c.x << "," << c.y;
    }
}

TEST_F(ShellChooseFormTest, HandCursorOnlyOverTheButtons) {
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.FormShow();
    const std::tuple<int, int, platform::TCursorKind> cases[] = {
        {281, 177, platform::TCursorKind::HandPoint}, {300, 220, platform::TCursorKind::HandPoint},
        {280, 177, platform::TCursorKind::Default},   {300, 204, platform::TCursorKind::Default},
        {354, 232, platform::TCursorKind::HandPoint}, {10, 10, platform::TCursorKind::Default},
    };
    for (const auto& [x, y, cursor] : cases) {
        form.FormMouseMove(0, x, y);
        EXPECT_EQ(Window().cursor, cursor) << x << "," << y;
    }
}

TEST_F(ShellChooseFormTest, EnterLaunchesTheSelectedEntryFromTheContextsList) {
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.FormShow();
    form.lstShells.SetItemIndex(2);
    form.lstShellsKeyPress('a');
    EXPECT_EQ(form.GetModalResult(), ModalResult::None);
    form.lstShellsKeyPress('\r');
    EXPECT_EQ(form.GetModalResult(), ModalResult::Ok);
    EXPECT_EQ(form.SelectedShell, &info.ShellList.Item(2));
    EXPECT_EQ(form.SelectedShell->Name, "gamma");
}

TEST(NumberKeys, NameTheFirstNineRowsOnEitherKeyboard) {
    const std::tuple<std::uint16_t, platform::TShiftState, int> cases[] = {
        {'1', 0, 0},
        {'9', 0, 8},
        {'0', 0, -1},
        {'9' + 1, 0, -1},
        {KeyNumpad0 + 1, 0, 0},
        {KeyNumpad0 + 9, 0, 8},
        {KeyNumpad0, 0, -1},
        {KeyNumpad0 + 10, 0, -1}, // the keypad's "*"
        {'A', 0, -1},
        {'1', platform::ssShift, 0}, // the digits of some keyboards need Shift
        {'1', platform::ssCtrl, -1},
        {KeyNumpad0 + 1, platform::ssAlt, -1},
        {'5', platform::ssAlt | platform::ssShift, -1},
    };
    for (const auto& [key, shift, row] : cases) EXPECT_EQ(NumberKeyRow(key, shift), row) << key << " " << static_cast<int>(shift);
}

struct NumberKeyList {
    const char* shells;       // the lines of section Shells
    const char* defaultShell;
    int selected;             // the row that the chooser selects when it shows
};

// Every number key of both keyboards on a list of one and of three rows, each with a row whose
// name begins with a digit: a number within the list launches its row at once, as Enter on that
// row would; one beyond it does what any key release does, and the selection stays where it was.
TEST_F(ShellChooseFormTest, NumberKeysLaunchTheirRowOrOnlyStopTheCountdown) {
    const NumberKeyList lists[] = {
        {"7 Seas=C:\\s.exe,0,,\r\n", "", 0},
        {"beta=C:\\b.exe,0,,\r\n9 Lives=C:\\n.exe,0,,\r\nAlpha=C:\\a.exe,0,,\r\n", "BETA", 2},
    };
    for (const auto& list : lists) {
        Fake.files.files["C:\\Launch\\shells.ini"] = std::string("[Shells]\r\n") + list.shells;
        Fake.files.files["C:\\Launch\\operator.ini"] = std::string("[Settings]\r\nDefaultShell=") + list.defaultShell;
        const TCorvaneInfo info;
        const int rows = static_cast<int>(info.ShellList.Count());
        for (const std::uint16_t one : {std::uint16_t{'1'}, std::uint16_t{KeyNumpad0 + 1}}) {
            for (int row = 0; row < 9; ++row) {
                const auto key = static_cast<std::uint16_t>(one + row);
                TfrmShellChoose form;
                Prepare(form, info);
                form.StartCountdown(5, info.Settings.DefaultShell);
                form.FormShow();
                Window().Type(key);
                const std::string where = std::to_string(rows) + " rows, key " + std::to_string(key);
                EXPECT_EQ(Window().timer, 0u) << where;
                EXPECT_EQ(form.lblTitle.Caption(), "All the Time in the World") << where;
                if (row < rows) {
                    EXPECT_EQ(form.GetModalResult(), ModalResult::Ok) << where;
                    EXPECT_EQ(form.SelectedShell, &info.ShellList.Item(static_cast<std::size_t>(row))) << where;
                    EXPECT_EQ(form.lstShells.ItemIndex(), row) << where;
                    EXPECT_EQ(form.Outcome(), TChooserOutcome::NumberKey) << where;
                } else {
                    EXPECT_EQ(form.GetModalResult(), ModalResult::None) << where;
                    EXPECT_EQ(form.SelectedShell, nullptr) << where;
                    EXPECT_EQ(form.lstShells.ItemIndex(), list.selected) << where;
                    EXPECT_EQ(form.Outcome(), TChooserOutcome::None) << where;
                }
            }
        }
    }
}

struct OutcomeCase {
    const char* way;
    std::function<void(FakeChooserWindow&)> user;
    ModalResult result;
    TChooserOutcome outcome;
};

// Each way of leaving the chooser, and two ways of staying in it, as the modal run reports them.
TEST_F(ShellChooseFormTest, TellsHowTheModalRunEnded) {
    using platform::ssLeft;
    const OutcomeCase cases[] = {
        {"Enter pressed in the list", [](FakeChooserWindow& w) { w.events.OnListKeyPress('\r'); }, ModalResult::Ok,
         TChooserOutcome::Enter},
        {"Enter released", [](FakeChooserWindow& w) { w.events.OnKeyUp(KeyReturn, 0); }, ModalResult::Ok,
         TChooserOutcome::Enter},
        {"Launch area", [](FakeChooserWindow& w) { w.events.OnMouseDown(TMouseButton::Right, 0, 281, 177); },
         ModalResult::Ok, TChooserOutcome::Mouse},
        {"number key", [](FakeChooserWindow& w) { w.Type(KeyNumpad0 + 3); }, ModalResult::Ok, TChooserOutcome::NumberKey},
        {"countdown", [](FakeChooserWindow& w) { w.Tick(); }, ModalResult::Ok, TChooserOutcome::Countdown},
        {"Escape", [](FakeChooserWindow& w) { w.Type(KeyEscape); }, ModalResult::Cancel, TChooserOutcome::Cancelled},
        {"Cancel area", [](FakeChooserWindow& w) { w.events.OnMouseDown(TMouseButton::Left, ssLeft, 300, 220); },
         ModalResult::Cancel, TChooserOutcome::Cancelled},
        {"closed otherwise", [](FakeChooserWindow& w) { w.events.OnCloseQuery(); }, ModalResult::Cancel,
         TChooserOutcome::Cancelled},
        {"Launch outline", [](FakeChooserWindow& w) { w.events.OnMouseDown(TMouseButton::Left, ssLeft, 280, 190); },
         ModalResult::None, TChooserOutcome::None},
        {"number beyond the list", [](FakeChooserWindow& w) { w.Type('4'); }, ModalResult::None, TChooserOutcome::None},
    };
    const TCorvaneInfo info;
    for (const auto& c : cases) {
        TfrmShellChoose form;
        Prepare(form, info);
        form.StartCountdown(5, info.Settings.DefaultShell);
        Window().user = c.user;
        EXPECT_EQ(form.ShowModal(), c.result) << c.way;
        EXPECT_EQ(form.Outcome(), c.outcome) << c.way;
    }
}

TEST_F(ShellChooseFormTest, EachModalRunStartsWithoutAnOutcome) {
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    EXPECT_EQ(form.Outcome(), TChooserOutcome::None);
    Window().user = [](FakeChooserWindow& w) { w.Type(KeyEscape); };
    form.ShowModal();
    EXPECT_EQ(form.Outcome(), TChooserOutcome::Cancelled);
    Window().user = [](FakeChooserWindow& w) { w.Type(KeyShift); };
    form.ShowModal();
    EXPECT_EQ(form.Outcome(), TChooserOutcome::None);
}

// The countdown, then the first key released: the timer stops for good and the title says so.
TEST_F(ShellChooseFormTest, AnyKeyReleasedStopsTheCountdown) {
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.StartCountdown(5, info.Settings.DefaultShell);
    EXPECT_EQ(Window().timer, 5000u);
    EXPECT_EQ(form.lblTitle.Caption(), "Timer Enabled (5 seconds, BETA)");
    form.FormShow();

    form.FormKeyUp(KeyShift, platform::ssShift);
    EXPECT_EQ(Window().timer, 0u);
    EXPECT_FALSE(form.tmrLoadShell.Enabled());
    EXPECT_EQ(form.lblTitle.Caption(), "All the Time in the World");
    EXPECT_EQ(form.GetModalResult(), ModalResult::None);
    Window().Tick();
    EXPECT_EQ(form.GetModalResult(), ModalResult::None);

    form.FormKeyUp(KeyDown, 0);
    EXPECT_EQ(form.GetModalResult(), ModalResult::None);
    form.FormKeyUp(KeyEscape, 0);
    EXPECT_EQ(form.GetModalResult(), ModalResult::Cancel);
    EXPECT_EQ(form.SelectedShell, nullptr);
}

TEST_F(ShellChooseFormTest, TimerHandsBackTheSettingsOwnDefaultItem) {
    Fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\r\nDefaultShell=gAmMa\r\n";
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.StartCountdown(0, info.Settings.DefaultShell);
    EXPECT_EQ(Window().timer, 0u) << "an interval of 0 never fires";
    form.StartCountdown(2, info.Settings.DefaultShell);
    form.FormShow();
    form.lstShells.SetItemIndex(0);
    form.FormMouseDown(TMouseButton::Left, 0, 100, 100); // the mouse does not stop it
    Window().Tick();
    EXPECT_EQ(form.GetModalResult(), ModalResult::Ok);
    ASSERT_NE(form.SelectedShell, nullptr);
    EXPECT_EQ(form.SelectedShell, info.Settings.DefaultShellItem.get());
    EXPECT_EQ(form.SelectedShell->Name, "gAmMa");
}

// The remembered shell is selected and the countdown hands it back; the configured default keeps
// its mark, and the remembered row gets none.
TEST_F(ShellChooseFormTest, TheRememberedShellTakesTheDefaultsPlaceButNotItsMark) {
    Fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\r\nDefaultShell=BETA\r\nRememberLastShell=1\r\n";
    Fake.registry.Put(platform::RegistryRoot::CurrentUser, "Software\\Corvane", "LastShell", "GAMMA");
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.StartCountdown(2, info.PreferredShell.Name);
    form.FormShow();
    EXPECT_EQ(form.lstShells.ItemIndex(), 2);
    Window().Tick();
    EXPECT_EQ(form.SelectedShell, &info.ShellList.Item(2));

    testing::RecordingCanvas canvas{TfrmShellChoose::ClientWidth96, TfrmShellChoose::ClientHeight96,
                                    platform::TFont{"Trebuchet MS", 8, false, clWhite}};
    form.lstShellsDrawItem(canvas, 1, {0, 0, 263, 40}, {false, false});
    form.lstShellsDrawItem(canvas, 2, {0, 40, 263, 80}, {true, true});
    EXPECT_EQ(canvas.CallsStartingWith("Text 40,"),
              (std::vector<std::string>{"Text 40,4 beta (Default)", "Text 40,20 C:\\b.exe -b", "Text 40,44 gamma",
                                        "Text 40,60 C:\\g.exe "}));
}

TEST_F(ShellChooseFormTest, TimerHandsBackNoneWithoutADefaultShell) {
    Fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\r\nUseTimer=1\r\n";
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.tmrLoadShellTimer();
    EXPECT_EQ(form.GetModalResult(), ModalResult::Ok);
    EXPECT_EQ(form.SelectedShell, nullptr);
}

TEST_F(ShellChooseFormTest, OnlyTheLeftButtonDragsTheTitle) {
    TfrmShellChoose form;
    form.lblTitleMouseDown(TMouseButton::Right, 0, 5, 5);
    form.lblTitleMouseDown(TMouseButton::Middle, 0, 5, 5);
    EXPECT_TRUE(Window().actions.empty());
    form.lblTitleMouseDown(TMouseButton::Left, platform::ssLeft, 5, 5);
    EXPECT_EQ(Window().actions, (std::vector<std::string>{"drag", "repaint"}));
    EXPECT_EQ(form.GetModalResult(), ModalResult::None);
}

TEST_F(ShellChooseFormTest, ShowModalRunsUntilAWayOutIsTaken) {
    const TCorvaneInfo info;
    Fake.windows.choosers.user = [](FakeChooserWindow& window) {
        window.events.OnKeyUp(KeyDown, 0);
        window.SetListIndex(0);
        window.events.OnKeyUp(KeyReturn, 0);
    };
    TfrmShellChoose form;
    Prepare(form, info);
    EXPECT_EQ(form.ShowModal(), ModalResult::Ok);
    EXPECT_FALSE(Window().leftOpen);
    EXPECT_EQ(form.SelectedShell, &info.ShellList.Item(0));

    Fake.windows.choosers.window->user = [](FakeChooserWindow& window) { window.events.OnCloseQuery(); };
    EXPECT_EQ(form.ShowModal(), ModalResult::Cancel);
}

struct SchemeCase {
    const char* scheme; // the lines of section Colours
    TColor title, list, item, text;
};

TEST_F(ShellChooseFormTest, ColoursComeFromTheScheme) {
    const SchemeCase cases[] = {
        {"", RgbColour(51, 51, 51), RgbColour(51, 51, 51), RgbColour(26, 26, 26), clWhite},
        {"BaseColour=$FF8000\r\n", RgbColour(0, 102, 204), RgbColour(0, 102, 204), RgbColour(0, 115, 229), clBlack},
        {"BaseColour=$FFFFFF\r\nContrast=30\r\n", RgbColour(102, 102, 102), RgbColour(102, 102, 102),
         RgbColour(178, 178, 178), clWhite},
        {"BaseColour=$C0C0C0\r\nContrast=5\r\n", RgbColour(173, 173, 173), RgbColour(173, 173, 173),
         RgbColour(182, 182, 182), clBlack},
        // Twice the contrast beyond 100 per cent is 100 per cent; negative contrast is none.
        {"Contrast=80\r\n", clWhite, clWhite, RgbColour(204, 204, 204), clBlack},
        {"Contrast=2000000000\r\n", clWhite, clWhite, clWhite, clBlack},
        {"BaseColour=$405060\r\nContrast=-10\r\n", 0x405060, 0x405060, 0x405060, clWhite},
        // A system colour: the fake system colour of index 200 is (200, 200, 200).
        {"BaseColour=$800000C8\r\n", RgbColour(160, 160, 160), RgbColour(160, 160, 160), RgbColour(180, 180, 180),
         clBlack},
    };
    for (const auto& c : cases) {
        Fake.files.files["C:\\Launch\\schemes\\Default.crs"] = std::string("[Colours]\r\n") + c.scheme;
        const TCorvaneInfo info;
        TfrmShellChoose form;
        Prepare(form, info);
        EXPECT_EQ(form.BaseColour, info.ColoursIO.BaseColour) << c.scheme;
        EXPECT_EQ(form.TitleColour, c.title) << c.scheme;
        EXPECT_EQ(form.ListColour, c.list) << c.scheme;
        EXPECT_EQ(form.ItemColour, c.item) << c.scheme;
        EXPECT_EQ(Window().textColour, c.text) << c.scheme;
        EXPECT_EQ(Window().listColour, c.list) << c.scheme;
    }
    Fake.files.files["C:\\Launch\\schemes\\Default.crs"] = "[Colours]\r\nAlphaValue=300\r\nLogoFont=Arial\r\nLogoFontSize=31\r\n";
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    EXPECT_EQ(form.AlphaValue, 300) << "kept as the scheme has it; the tint clamps it";
    EXPECT_EQ(form.LogoFont, "Arial");
    EXPECT_EQ(form.LogoFontSize, 31);
}

// Painting with the default scheme over a white desktop.
class ChooserPaintTest : public ShellChooseFormTest {
protected:
    // A large system icon drawn on the test canvas.
    static std::string IconDrawn(int index, int x, int y) {
        return "draw " + std::to_string(testing::FakeDesktop::LargeList) + " " + std::to_string(index) + " " +
               std::to_string(testing::RecordingCanvas::FakeHandle) + " " + std::to_string(x) + " " + std::to_string(y);
    }

    testing::RecordingCanvas Canvas{TfrmShellChoose::ClientWidth96, TfrmShellChoose::ClientHeight96,
                                    platform::TFont{"Trebuchet MS", 8, false, clWhite}};
};

TEST_F(ChooserPaintTest, TintsBodyTitleAndButtonsInOrder) {
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.FormShow();
    form.FormPaint(Canvas);
    const std::vector<std::string> expected = {
        "PaintDesktop",
        "Frame 0,0-359,245 000000",
        "CopyTo 0,30-359,245",
        "CopyFrom 0,30-359,245",
        "CopyTo 0,0-359,30",
        "CopyFrom 0,0-359,30",
        "CopyTo 280,176-355,201",
        "CopyFrom 280,176-355,201",
        "Frame 280,176-355,201 000000",
        "Text 290,179 Launch",
        "CopyTo 280,208-355,233",
        "CopyFrom 280,208-355,233",
        "Frame 280,208-355,233 000000",
        "Text 290,211 Cancel",
    };
    ASSERT_GE(Canvas.calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(Canvas.calls.begin(), Canvas.calls.begin() + expected.size()), expected);

    const std::tuple<int, int, int> pixels[] = {
        {5, 40, 179},   {180, 170, 179}, {5, 15, 194},  {357, 29, 194}, {300, 190, 140},
        {300, 220, 140}, {0, 100, 0},    {0, 0, 14},    {280, 190, 0},  {300, 176, 0},
        {355, 190, 179}, {358, 244, 0},  {300, 204, 179},
    };
    for (const auto& [x, y, value] : pixels) {
        EXPECT_EQ(Canvas.Pixel(x, y), RgbColour(value, value, value)) << x << "," << y;
    }
}

// "Corvane" in silver, then black one pixel up and right, each followed by a half-size "3";
// the test canvas makes every character as wide as the font's size.
TEST_F(ChooserPaintTest, WritesTheTwoToneLogoAndRestoresTheFont) {
    Fake.files.files["C:\\Launch\\schemes\\Default.crs"] = "[Colours]\r\nLogoFont=Impact\r\nLogoFontSize=25\r\n";
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.FormShow();
    form.FormPaint(Canvas);
    // width 7 * 25 = 175; x = 179 - 87 = 92
    const std::vector<std::string> expected = {
        "Font Impact 25 bold C0C0C0", "Text 92,64 Corvane", "Font Impact 12 bold C0C0C0", "Text 267,64 3",
        "Font Impact 25 bold 000000", "Text 93,63 Corvane", "Font Impact 12 bold 000000", "Text 268,63 3",
        "Font Trebuchet MS 8 regular 000000",
    };
    ASSERT_GE(Canvas.calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(Canvas.calls.end() - static_cast<std::ptrdiff_t>(expected.size()),
                                       Canvas.calls.end()),
              expected);
}

TEST_F(ChooserPaintTest, PaintBeforeShowingLeavesTheButtonsOut) {
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.FormPaint(Canvas);
    EXPECT_TRUE(Canvas.CallsStartingWith("Text 290").empty());
    EXPECT_EQ(Canvas.CallsStartingWith("CopyTo").size(), 2u);
}

TEST_F(ChooserPaintTest, DrawsAnUnselectedDefaultRow) {
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.lstShellsDrawItem(Canvas, 1, {0, 40, 263, 80}, {false, false});
    const std::vector<std::string> expected = {
        "Fill 0,40-36,80 1A1A1A",
        "Text 173,44 ",
        "Font Trebuchet MS 8 bold FFFFFF",
        "Text 40,44 beta (Default)",
        "Font Trebuchet MS 8 regular FFFFFF",
        "Text 40,60 C:\\b.exe -b",
        "Line 2,79-261,79 C0C0C0",
    };
    EXPECT_EQ(Canvas.calls, expected);
    EXPECT_EQ(Fake.desktop.events, (std::vector<std::string>{IconDrawn(0, 2, 42)}));
}

TEST_F(ChooserPaintTest, DrawsASelectedCrashProtectedRowWithoutTheStrip) {
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.lstShellsDrawItem(Canvas, 0, {3, 0, 263, 40}, {true, true});
    const std::vector<std::string> expected = {
        "Text 173,4 Crash Protected",
        "Text 43,4 Alpha",
        "Text 43,20 C:\\a.exe -a x",
        "Line 5,39-261,39 C0C0C0",
    };
    EXPECT_EQ(Canvas.calls, expected);
    EXPECT_EQ(Fake.desktop.events, (std::vector<std::string>{IconDrawn(7, 5, 2)}));
}

TEST_F(ChooserPaintTest, RowsOutsideTheListDrawNothing) {
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.lstShellsDrawItem(Canvas, -1, {0, 0, 263, 40}, {});
    form.lstShellsDrawItem(Canvas, 3, {0, 0, 263, 40}, {});
    EXPECT_TRUE(Canvas.calls.empty());
}

// A scheme's logo font too large for the window: the logo is made smaller until "Corvane" and
// its "3" lie inside the frame, above the buttons (7 x 44 + 22 wide, 88 high on the test canvas).
TEST_F(ChooserPaintTest, ShrinksALogoThatWouldNotFit) {
    Fake.files.files["C:\\Launch\\schemes\\Default.crs"] = "[Colours]\r\nLogoFontSize=100\r\n";
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.FormPaint(Canvas);
    const std::vector<std::string> texts = Canvas.CallsStartingWith("Text ");
    EXPECT_EQ(std::vector<std::string>(texts.end() - 4, texts.end()),
              (std::vector<std::string>{"Text 25,64 Corvane", "Text 333,64 3", "Text 26,63 Corvane", "Text 334,63 3"}));
    EXPECT_EQ(Canvas.CallsStartingWith("Font Trebuchet MS 44 bold").size(), 3u) << "measured once, drawn twice";
}

// In high contrast the fake system's colours are grey by their index: window 5, window text 8,
// highlight 13, button face 15, button text 18.
constexpr TColor HcWindow = 0x050505, HcWindowText = 0x080808, HcButtonFace = 0x0F0F0F, HcButtonText = 0x121212;

// Plain fills in the system's colours, the caption in the button text colour, the logo once in
// the window text colour where its black face lies otherwise; no desktop and no tint.
TEST_F(ChooserPaintTest, PaintsWithTheSystemsColoursInHighContrast) {
    Fake.system.highContrast = true;
    Fake.files.files["C:\\Launch\\schemes\\Default.crs"] = "[Colours]\r\nLogoFont=Impact\r\nLogoFontSize=25\r\n";
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    EXPECT_EQ(Window().textColour, HcWindowText);
    EXPECT_EQ(Window().listColour, HcWindow);
    EXPECT_EQ(form.TitleColour, RgbColour(51, 51, 51)) << "the scheme's colours stay for later";
    form.FormShow();
    testing::RecordingCanvas canvas{TfrmShellChoose::ClientWidth96, TfrmShellChoose::ClientHeight96,
                                    platform::TFont{"Trebuchet MS", 8, false, HcWindowText}};
    form.FormPaint(canvas);
    const std::vector<std::string> expected = {
        "Fill 0,0-359,245 050505",
        "Frame 0,0-359,245 080808",
        "Line 0,29-359,29 080808",
        "Fill 280,176-355,201 0F0F0F",
        "Frame 280,176-355,201 121212",
        "Font Trebuchet MS 8 regular 121212",
        "Text 290,179 Launch",
        "Fill 280,208-355,233 0F0F0F",
        "Frame 280,208-355,233 121212",
        "Font Trebuchet MS 8 regular 121212",
        "Text 290,211 Cancel",
        "Font Impact 12 bold 000000", // measuring the logo
        "Font Impact 25 bold 000000",
        "Font Impact 25 bold 080808",
        "Text 93,63 Corvane",
        "Font Impact 12 bold 080808",
        "Text 268,63 3",
        "Font Trebuchet MS 8 regular 080808",
    };
    EXPECT_EQ(canvas.calls, expected);
    const std::tuple<int, int, TColor> pixels[] = {
        {5, 40, HcWindow},      {5, 15, HcWindow},        {0, 100, HcWindowText}, {358, 244, HcWindowText},
        {300, 190, HcButtonFace}, {280, 190, HcButtonText}, {354, 232, HcButtonText}, {300, 204, HcWindow},
    };
    for (const auto& [x, y, colour] : pixels) EXPECT_EQ(canvas.Pixel(x, y), colour) << x << "," << y;
}

struct HighContrastRow {
    bool selected;
    std::vector<std::string> calls;
};

// The selected row on the highlight colour (0D0D0D), no icon strip, separators in the row's text colour
// (the platform gives a selected row the highlight-text colour).
TEST_F(ChooserPaintTest, DrawsRowsInTheSystemsColoursInHighContrast) {
    Fake.system.highContrast = true;
    const HighContrastRow rows[] = {
        {true, {"Fill 0,40-263,80 0D0D0D", "Text 173,44 ", "Font Trebuchet MS 8 bold FFFFFF",
                "Text 40,44 beta (Default)", "Font Trebuchet MS 8 regular FFFFFF", "Text 40,60 C:\\b.exe -b",
                "Line 2,79-261,79 FFFFFF"}},
        {false, {"Text 173,44 ", "Font Trebuchet MS 8 bold FFFFFF", "Text 40,44 beta (Default)",
                 "Font Trebuchet MS 8 regular FFFFFF", "Text 40,60 C:\\b.exe -b", "Line 2,79-261,79 FFFFFF"}},
    };
    const TCorvaneInfo info;
    for (const auto& row : rows) {
        TfrmShellChoose form;
        Prepare(form, info);
        testing::RecordingCanvas canvas{TfrmShellChoose::ClientWidth96, TfrmShellChoose::ClientHeight96,
                                        platform::TFont{"Trebuchet MS", 8, false, clWhite}};
        form.lstShellsDrawItem(canvas, 1, {0, 40, 263, 80}, {row.selected, false});
        EXPECT_EQ(canvas.calls, row.calls) << (row.selected ? "selected" : "not selected");
    }
}

// The mode switched on and off again while the chooser is open: each change sets the colours up
// again, and once the mode is off every call and every pixel is what it was before.
TEST_F(ChooserPaintTest, FollowsTheModeWhileOpen) {
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    form.FormShow();
    form.FormPaint(Canvas);
    const std::vector<std::string> before = Canvas.calls;

    Fake.system.highContrast = true;
    Window().ChangeSystemColours();
    EXPECT_EQ(Window().textColour, HcWindowText);
    EXPECT_EQ(Window().listColour, HcWindow);
    testing::RecordingCanvas contrast{TfrmShellChoose::ClientWidth96, TfrmShellChoose::ClientHeight96,
                                      platform::TFont{"Trebuchet MS", 8, false, HcWindowText}};
    form.FormPaint(contrast);
    EXPECT_TRUE(contrast.CallsStartingWith("PaintDesktop").empty());
    EXPECT_TRUE(contrast.CallsStartingWith("CopyTo").empty());

    Fake.system.highContrast = false;
    Window().ChangeSystemColours();
    EXPECT_EQ(Window().textColour, clWhite);
    EXPECT_EQ(Window().listColour, RgbColour(51, 51, 51));
    testing::RecordingCanvas after{TfrmShellChoose::ClientWidth96, TfrmShellChoose::ClientHeight96,
                                   platform::TFont{"Trebuchet MS", 8, false, clWhite}};
    form.FormPaint(after);
    EXPECT_EQ(after.calls, before);
    for (int y = 0; y < TfrmShellChoose::ClientHeight96; ++y) {
        for (int x = 0; x < TfrmShellChoose::ClientWidth96; ++x) {
            ASSERT_EQ(after.Pixel(x, y), Canvas.Pixel(x, y)) << x << "," << y;
        }
    }
}

// On a screen of 144 dpi the buttons are (420, 264)-(533, 302) and (420, 312)-(533, 350); their
// outlines, and the places of 100 %, do not count.
TEST_F(ShellChooseFormTest, PressesCountOnlyInsideTheScaledButtons) {
    Fake.windows.choosers.dpi = 144;
    const TCorvaneInfo info;
    const PressCase cases[] = {
        {421, 265, TMouseButton::Left, ModalResult::Ok},     {532, 301, TMouseButton::Right, ModalResult::Ok},
        {450, 349, TMouseButton::Left, ModalResult::Cancel}, {420, 280, TMouseButton::Left, ModalResult::None},
        {450, 302, TMouseButton::Left, ModalResult::None},   {533, 280, TMouseButton::Left, ModalResult::None},
        {281, 177, TMouseButton::Left, ModalResult::None},
    };
    for (const auto& c : cases) {
        TfrmShellChoose form;
        Prepare(form, info);
        form.FormShow();
        form.FormMouseDown(c.button, 0, c.x, c.y);
        EXPECT_EQ(form.GetModalResult(), c.result) << c.x << "," << c.y;
    }
}

struct RowCase {
    int dpi;
    int largeSize; // of the system's large icons
    platform::ImageListHandle list;
    int inset;     // of the icon from the row's corner
    std::vector<std::string> calls;
};

// Rows drawn at the scale, with the icons of the system list that fills the scaled 32-pixel box
// best (extra large: 48), smaller ones centred in it.
TEST_F(ShellChooseFormTest, DrawsRowsAtTheScaleWithIconsThatFitTheirBox) {
    using testing::FakeDesktop;
    const std::vector<std::string> at144 = {"Text 260,6 Crash Protected", "Text 60,6 Alpha", "Text 60,30 C:\\a.exe -a x",
                                            "Line 3,59-392,59 C0C0C0"};
    const RowCase cases[] = {
        {96, 32, FakeDesktop::LargeList, 2, {}},   {120, 32, FakeDesktop::LargeList, 7, {}},
        {144, 32, FakeDesktop::ExtraLargeList, 3, at144}, {144, 48, FakeDesktop::LargeList, 3, at144},
        {192, 32, FakeDesktop::ExtraLargeList, 12, {}},   {192, 64, FakeDesktop::LargeList, 4, {}},
    };
    const TCorvaneInfo info;
    for (const auto& c : cases) {
        Fake.windows.choosers.dpi = c.dpi;
        Fake.desktop.lists[FakeDesktop::LargeList] = {c.largeSize, c.largeSize, 40};
        Fake.desktop.events.clear();
        TfrmShellChoose form;
        Prepare(form, info);
        testing::RecordingCanvas canvas(600, 100, platform::TFont{"Trebuchet MS", 8, false, clWhite});
        form.lstShellsDrawItem(canvas, 0, {0, 0, 395, DpiScale(40, c.dpi)}, {true, false});
        if (!c.calls.empty()) {
            EXPECT_EQ(canvas.calls, c.calls) << c.dpi;
        }
        const std::string at = std::to_string(c.inset) + " " + std::to_string(c.inset);
        EXPECT_EQ(Fake.desktop.events, (std::vector<std::string>{"draw " + std::to_string(c.list) + " 7 " +
                                                                 std::to_string(testing::RecordingCanvas::FakeHandle) +
                                                                 " " + at}))
            << c.dpi << " dpi, large icons of " << c.largeSize;
    }
}

// Moved to a screen of another DPI, the shown window's areas and icons follow it.
TEST_F(ShellChooseFormTest, FollowsAMoveToAScreenOfAnotherDpi) {
    const TCorvaneInfo info;
    TfrmShellChoose form;
    Prepare(form, info);
    Window().MoveToDpi(120); // before showing: only the scale changes
    EXPECT_EQ(form.LaunchRect, TRect{});
    form.FormShow();
    EXPECT_EQ(form.LaunchRect, (TRect{350, 220, 444, 251}));
    Window().MoveToDpi(192);
    EXPECT_EQ(form.CancelRect, (TRect{560, 416, 710, 466}));
    EXPECT_EQ(form.imgSystem.ImageSize(), TImageSize::isExtraLarge);
    form.FormMouseDown(TMouseButton::Left, 0, 600, 440);
    EXPECT_EQ(form.GetModalResult(), ModalResult::Cancel);
}

} // namespace
} // namespace corvane
