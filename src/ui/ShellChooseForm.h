// The shell chooser: a small borderless window, centred on the screen, in which the user picks
// the shell to start. It shows the configured shells with their icons over a tinted picture of
// the desktop, and hands back the chosen shell's item, the item of the shell in the default
// shell's place (see TPreferredShell) when the countdown runs out, or none when the user cancels.
//
// The caller creates it, sets Info, copies the shell list into lstShells, calls SetUpColours,
// starts the countdown if the settings ask for one, calls ShowModal and reads SelectedShell.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "config/CorvaneInfo.h"
#include "platform/PopupListWindow.h"
#include "ui/SystemColours.h"
#include "ui/SystemImageList.h"

namespace corvane {

// The countdown's interval for a length in seconds: negative lengths give 0 (a timer that never
// fires) and lengths beyond the platform's longest timer are cut to it.
std::uint32_t CountdownInterval(std::int32_t seconds);
// The title that announces the countdown: "Timer Enabled (5 seconds, Explorer)".
std::string CountdownCaption(std::int32_t seconds, const std::string& defaultShell);
// The row that a number key launches: 0 for the key 1 (on the main keyboard or the numeric
// keypad) up to 8 for the key 9; -1 for any other key, and for a number key held with Ctrl or
// Alt (Alt with the keypad's digits types a character by its code).
int NumberKeyRow(std::uint16_t key, platform::TShiftState shift);

// The title text control.
class TChooserTitle {
public:
    explicit TChooserTitle(platform::PopupListWindow& window) : Window_(window) {}
    std::string Caption() const { return Window_.LabelText(); }
    void SetCaption(const std::string& caption) { Window_.SetLabelText(caption); }

private:
    platform::PopupListWindow& Window_;
};

// The drop-down list of shell names.
class TChooserShellList {
public:
    explicit TChooserShellList(platform::PopupListWindow& window) : Window_(window) {}
    void AddItem(const std::string& name) { Window_.AddListItem(name); }
    int Count() const { return Window_.ListCount(); }
    std::string Item(int index) const { return Window_.ListItem(index); }
    int ItemIndex() const { return Window_.ListIndex(); }
    void SetItemIndex(int index) { Window_.SetListIndex(index); }
    // The first entry whose whole text equals name, ignoring letter case; -1 for none.
    int FindStringExact(const std::string& name) const { return Window_.FindListItemExact(name); }
    void SetFocus() { Window_.FocusList(); }

private:
    platform::PopupListWindow& Window_;
};

// How the chooser's modal run ended: Enter on the selected row (pressed in the list or released
// anywhere), a mouse press on the Launch area, a number key naming a row, the countdown running
// out, or a cancel (Escape, the Cancel area, or the window closed by other means). None while it
// runs, and before it was shown.
enum class TChooserOutcome { None, Enter, Mouse, NumberKey, Countdown, Cancelled };
// How the logon record tells the outcome: "Enter", "the mouse", "a number key"...
std::string_view ChooserOutcomeName(TChooserOutcome outcome);

// The window timer: it runs while it is enabled with an interval other than 0.
class TChooserTimer {
public:
    explicit TChooserTimer(platform::PopupListWindow& window) : Window_(window) {}
    std::uint32_t Interval() const { return Interval_; }
    void SetInterval(std::uint32_t milliseconds);
    bool Enabled() const { return Enabled_; }
    void SetEnabled(bool enabled);

private:
    void Update();

    platform::PopupListWindow& Window_;
    std::uint32_t Interval_ = 1000;
    bool Enabled_ = false;
};

// The window's design is in pixels at 96 pixels per inch (the names end in 96); every measure is
// scaled to the DPI of the window's screen where it is used, so at 96 nothing changes.
class TfrmShellChoose final : public platform::PopupListEvents {
public:
    static constexpr int ClientWidth96 = 359;
    static constexpr int ClientHeight96 = 245;
    static constexpr int TitleHeight96 = 30;
    static constexpr int RowHeight96 = 40;
    // Borderless, "Trebuchet MS" 8 points (bold and 13 pixels high for the title); the title at
    // (1, 1) of 357 x 30, the list at (8, 184) of 265 x 46 with 40-pixel rows.
    static constexpr platform::PopupListLayout Design96{
        "TfrmShellChoose", "Corvane", ClientWidth96, ClientHeight96, "Trebuchet MS", -11, 8,
        {1, 1, 1 + 357, 1 + TitleHeight96}, -13, {8, 184, 8 + 265, 184 + 46}, RowHeight96, 8};
    static constexpr const char* DesignTitle = "Corvane v3";
    static constexpr const char* NoCountdownTitle = "All the Time in the World";
    static constexpr TRect LaunchButton96{280, 176, 355, 201};
    static constexpr TRect CancelButton96{280, 208, 355, 233};
    // The logo's text starts 64 pixels down; it stays between the window's side edges and
    // above the buttons.
    static constexpr int LogoTop96 = 64;
    // Each row: the strip behind the icon, 36 wide, with the icon's box of 32 inside it at
    // (2, 2); the texts from 40 on, the name 4 and the command line 20 below the row's top; the
    // crash-protection caption 90 from the row's right end.
    static constexpr int IconStripWidth96 = 36;
    static constexpr int IconBox96 = 32;
    static constexpr int IconInset96 = 2;
    static constexpr int RowTextLeft96 = 40;
    static constexpr int NameTop96 = 4;
    static constexpr int CommandLineTop96 = 20;
    static constexpr int CaptionFromRight96 = 90;

    // Creates the window, hidden, with its controls; raises EOSError when the platform cannot.
    TfrmShellChoose();
    ~TfrmShellChoose() override;
    TfrmShellChoose(const TfrmShellChoose&) = delete;
    TfrmShellChoose& operator=(const TfrmShellChoose&) = delete;

private:
    std::unique_ptr<platform::PopupListWindow> Window_; // first: the controls below live in it

public:
    // The shared context; set by the caller before any other call.
    const TCorvaneInfo* Info = nullptr;
    // The result: an item of Info's shell list, the preferred shell's item, or none.
    const TShellListItem* SelectedShell = nullptr;

    TColor BaseColour = 0;
    TColor TitleColour = 0;
    TColor ListColour = 0;
    TColor ItemColour = 0;
    std::int32_t AlphaValue = 0;
    std::int32_t LogoFontSize = 0;
    std::string LogoFont;
    TRect LaunchRect{};
    TRect CancelRect{};
    // The system's colours while its high-contrast mode is on: the window then paints with them
    // on plain backgrounds instead of tinting the desktop with the colours above.
    std::optional<TSystemColours> SystemColours;

    TChooserTitle lblTitle;
    TChooserShellList lstShells;
    TChooserTimer tmrLoadShell;
    TSystemImageList imgSystem;

    // Takes the colours and the logo font from the colour scheme, and the system's colours when
    // its high-contrast mode is on.
    void SetUpColours();
    // The countdown: the timer set to the length in seconds and enabled, its notice in the title
    // naming the shell that it starts.
    void StartCountdown(std::int32_t seconds, const std::string& shellName);
    // Shows the window and returns once one of the ways of leaving it has been taken.
    platform::ModalResult ShowModal();
    // How the last modal run ended.
    TChooserOutcome Outcome() const { return Outcome_; }

    // The DPI at which the window is laid out and painted (96 is 100 %).
    int Dpi() const { return Dpi_; }
    // A design measure at that DPI.
    int Scaled(int measure96) const { return DpiScale(measure96, Dpi_); }
    TRect Scaled(const TRect& rect96) const { return DpiScale(rect96, Dpi_); }

    // Hands back the selected entry's item; outcome says which way of leaving took it.
    void LaunchShell(TChooserOutcome outcome);
    void btnCancelClick();

    void FormShow();
    // True for the keys that the window takes for itself, so that the list never sees them.
    bool FormKeyDown(std::uint16_t key, platform::TShiftState shift);
    void FormKeyUp(std::uint16_t key, platform::TShiftState shift);
    void FormMouseDown(platform::TMouseButton button, platform::TShiftState shift, int x, int y);
    void FormMouseMove(platform::TShiftState shift, int x, int y);
    void FormPaint(platform::Canvas& canvas);
    void FormCloseQuery();
    void lblTitleMouseDown(platform::TMouseButton button, platform::TShiftState shift, int x, int y);
    void lstShellsKeyPress(char key);
    void lstShellsDrawItem(platform::Canvas& canvas, int index, const TRect& rect, platform::TOwnerDrawState state);
    void tmrLoadShellTimer();
    // The window has moved to a screen of another DPI: the button areas and the icons follow.
    void FormDpiChanged(int dpi);
    // The system's colours or settings have changed while the window is open (high contrast
    // switched on or off, say): the colours are set up again for the repaint that follows.
    void FormSystemColoursChanged();
    platform::ModalResult GetModalResult() const override { return ModalResult_; }

private:
    // The window's events, handed to the handlers of the controls they belong to.
    void OnShow() override { FormShow(); }
    bool OnKeyDown(std::uint16_t key, platform::TShiftState shift) override { return FormKeyDown(key, shift); }
    void OnKeyUp(std::uint16_t key, platform::TShiftState shift) override { FormKeyUp(key, shift); }
    void OnMouseDown(platform::TMouseButton button, platform::TShiftState shift, int x, int y) override {
        FormMouseDown(button, shift, x, y);
    }
    void OnMouseMove(platform::TShiftState shift, int x, int y) override { FormMouseMove(shift, x, y); }
    void OnPaint(platform::Canvas& canvas) override { FormPaint(canvas); }
    void OnCloseQuery() override { FormCloseQuery(); }
    void OnLabelMouseDown(platform::TMouseButton button, platform::TShiftState shift, int x, int y) override {
        lblTitleMouseDown(button, shift, x, y);
    }
    void OnListKeyPress(char key) override { lstShellsKeyPress(key); }
    void OnDrawListItem(platform::Canvas& canvas, int index, const TRect& rect,
                        platform::TOwnerDrawState state) override {
        lstShellsDrawItem(canvas, index, rect, state);
    }
    void OnTimer() override { tmrLoadShellTimer(); }
    void OnDpiChanged(int dpi) override { FormDpiChanged(dpi); }
    void OnSystemColoursChanged() override { FormSystemColoursChanged(); }

    // The body and the title strip in the system's colours, without the desktop.
    void PaintInSystemColours(platform::Canvas& canvas, const TSystemColours& colours);
    void PaintButton(platform::Canvas& canvas, const TRect& rect, const std::string& caption);
    // The logo in face, over a copy in edge one pixel down and left (none: no such copy).
    void PaintLogo(platform::Canvas& canvas, std::optional<TColor> edge, TColor face);
    // The logo's size in points: the scheme's, or smaller where the logo would not fit.
    int FittingLogoSize(platform::Canvas& canvas) const;
    // The icons of the size that fills the rows' icon box best: extra large where its icons fit
    // the box and the large ones are smaller than it.
    void ChooseIconSize();

    platform::ModalResult ModalResult_ = platform::ModalResult::None;
    TChooserOutcome Outcome_ = TChooserOutcome::None;
    int Dpi_ = DesignDpi;
};

} // namespace corvane
