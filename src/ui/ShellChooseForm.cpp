#include "ui/ShellChooseForm.h"

#include <algorithm>

#include "platform/DesktopServices.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "text/AsciiText.h"
#include "ui/Colours.h"

namespace corvane {

namespace {

using platform::Canvas;
using platform::ModalResult;
using platform::TFont;

constexpr std::int64_t LongestTimerInterval = 0x7FFFFFFF; // the platform's largest timer interval
constexpr std::uint16_t KeyReturn = 13;
constexpr std::uint16_t KeyEscape = 27;
constexpr std::uint16_t KeyOne = '1';          // the main keyboard's 1, whatever character it types
constexpr std::uint16_t KeyNumpadOne = 0x61;   // the numeric keypad's 1 (with Num Lock on)
constexpr int NumberKeys = 9;                  // 1 to 9: the first nine rows
constexpr int WindowFontSize = 8;
constexpr int ButtonTextInset96 = 10;
constexpr int ButtonTextTop96 = 3;
constexpr int LogoEdge96 = 1;         // the silver edge: the black logo lies this far up and right
constexpr int LogoFitTries = 40;      // each try makes the logo smaller; a few are ever needed
constexpr const char* LogoText = "Corvane";
constexpr const char* LogoSuperscript = "3";

// Strictly inside the rectangle: a point on its top or left outline does not count.
bool StrictlyInside(const TRect& rect, int x, int y) {
    return rect.Left < x && x < rect.Right && rect.Top < y && y < rect.Bottom;
}

// Copies an area of the surface into a work bitmap, tints it and puts it back in place.
void TintArea(Canvas& canvas, const TRect& area, TColor colour, std::int32_t weight) {
    if (area.Width() <= 0 || area.Height() <= 0) return;
    auto bitmap = canvas.CopyToBitmap(area);
    TintBitmap(bitmap->Pixels(), colour, weight);
    canvas.CopyFromBitmap(*bitmap, area);
}

} // namespace

std::uint32_t CountdownInterval(std::int32_t seconds) {
    const std::int64_t milliseconds = static_cast<std::int64_t>(seconds) * 1000;
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(milliseconds, 0, LongestTimerInterval));
}

std::string CountdownCaption(std::int32_t seconds, const std::string& defaultShell) {
    return "Timer Enabled (" + std::to_string(seconds) + " seconds, " + defaultShell + ")";
}

int NumberKeyRow(std::uint16_t key, platform::TShiftState shift) {
    if ((shift & (platform::ssCtrl | platform::ssAlt)) != 0) return -1;
    for (const std::uint16_t one : {KeyOne, KeyNumpadOne}) {
        if (key >= one && key < one + NumberKeys) return key - one;
    }
    return -1;
}

void TChooserTimer::SetInterval(std::uint32_t milliseconds) {
    Interval_ = milliseconds;
    Update();
}

void TChooserTimer::SetEnabled(bool enabled) {
    Enabled_ = enabled;
    Update();
}

void TChooserTimer::Update() { Window_.SetTimer(Enabled_ ? Interval_ : 0); }

TfrmShellChoose::TfrmShellChoose()
    : Window_(platform::Windows().CreatePopupListWindow(Design96, *this)), lblTitle(*Window_), lstShells(*Window_),
      tmrLoadShell(*Window_) {
    Dpi_ = Window_->Dpi();
    lblTitle.SetCaption(DesignTitle);
    ChooseIconSize();
    imgSystem.Loaded();
}

// At 100 % the large icons fill the box exactly, and the extra large list is not even asked for.
void TfrmShellChoose::ChooseIconSize() {
    platform::DesktopServices& desktop = platform::Desktop();
    const int box = Scaled(IconBox96);
    const int large = desktop.DescribeImageList(desktop.SystemImageList(platform::IconSize::Large)).height;
    TImageSize size = TImageSize::isLarge;
    if (large < box) {
        const int extraLarge = desktop.DescribeImageList(desktop.SystemImageList(platform::IconSize::ExtraLarge)).height;
        if (extraLarge > large && extraLarge <= box) size = TImageSize::isExtraLarge;
    }
    imgSystem.SetImageSize(size);
}

TfrmShellChoose::~TfrmShellChoose() = default;

// In high contrast the list's text and background are the system's window colours; the scheme's
// colours are kept all the same, and apply again once the mode is off.
void TfrmShellChoose::SetUpColours() {
    const TColoursIO& scheme = Info->ColoursIO;
    const int twiceContrast = ClampPercent(2LL * scheme.Contrast);
    BaseColour = scheme.BaseColour;
    TitleColour = ContrastColour(BaseColour, twiceContrast);
    const TColor textColour = ContrastColour(TitleColour, 100);
    ListColour = ContrastColour(BaseColour, twiceContrast);
    ItemColour = ContrastColour(BaseColour, ClampPercent(scheme.Contrast));
    AlphaValue = scheme.AlphaValue;
    LogoFont = scheme.LogoFont;
    LogoFontSize = scheme.LogoFontSize;
    SystemColours = HighContrastColours();
    if (SystemColours) {
        Window_->SetColours(SystemColours->WindowText, SystemColours->Window);
    } else {
        Window_->SetColours(textColour, ListColour);
    }
}

std::string_view ChooserOutcomeName(TChooserOutcome outcome) {
    switch (outcome) {
    case TChooserOutcome::None: return "no outcome";
    case TChooserOutcome::Enter: return "Enter";
    case TChooserOutcome::Mouse: return "the mouse";
    case TChooserOutcome::NumberKey: return "a number key";
    case TChooserOutcome::Countdown: return "the countdown";
    case TChooserOutcome::Cancelled: return "a cancel";
    }
    return "no outcome";
}

void TfrmShellChoose::StartCountdown(std::int32_t seconds, const std::string& shellName) {
    tmrLoadShell.SetInterval(CountdownInterval(seconds));
    tmrLoadShell.SetEnabled(true);
    lblTitle.SetCaption(CountdownCaption(seconds, shellName));
}

ModalResult TfrmShellChoose::ShowModal() {
    ModalResult_ = ModalResult::None;
    Outcome_ = TChooserOutcome::None;
    Window_->ShowModal();
    return ModalResult_;
}

// The item of the selected entry, found by its index in the context's shell list; none when
// no entry is selected (an empty list).
void TfrmShellChoose::LaunchShell(TChooserOutcome outcome) {
    const int index = lstShells.ItemIndex();
    const TShellList& shells = Info->ShellList;
    SelectedShell = index >= 0 && static_cast<std::size_t>(index) < shells.Count()
                        ? &shells.Item(static_cast<std::size_t>(index))
                        : nullptr;
    ModalResult_ = ModalResult::Ok;
    Outcome_ = outcome;
}

void TfrmShellChoose::btnCancelClick() {
    ModalResult_ = ModalResult::Cancel;
    Outcome_ = TChooserOutcome::Cancelled;
}

// The countdown starts the shell in the default shell's place: the remembered one, if any.
void TfrmShellChoose::tmrLoadShellTimer() {
    SelectedShell = Info->PreferredShell.Item;
    ModalResult_ = ModalResult::Ok;
    Outcome_ = TChooserOutcome::Countdown;
}

// The first row, or the row of the shell in the default shell's place when the list has it.
void TfrmShellChoose::FormShow() {
    if (lstShells.Count() > 0) lstShells.SetItemIndex(0);
    lstShells.SetFocus();
    const int defaultIndex = lstShells.FindStringExact(Info->PreferredShell.Name);
    if (defaultIndex >= 0) lstShells.SetItemIndex(defaultIndex);
    LaunchRect = Scaled(LaunchButton96);
    CancelRect = Scaled(CancelButton96);
}

void TfrmShellChoose::FormDpiChanged(int dpi) {
    Dpi_ = dpi;
    if (LaunchRect.Width() > 0) { // shown already: the areas follow the new scale
        LaunchRect = Scaled(LaunchButton96);
        CancelRect = Scaled(CancelButton96);
    }
    ChooseIconSize();
}

// Scheme colours that name system colours change with them as well.
void TfrmShellChoose::FormSystemColoursChanged() {
    if (Info != nullptr) SetUpColours();
}

// The number keys launch when they are released, as Enter does; their presses never reach the
// list, whose search by typed characters would otherwise move the selection to a row whose name
// begins with the digit.
bool TfrmShellChoose::FormKeyDown(std::uint16_t key, platform::TShiftState shift) {
    return NumberKeyRow(key, shift) >= 0;
}

// Every key released in the window ends the countdown for good. A number key launches its row
// as Enter would once that row is selected; a number beyond the list launches nothing.
void TfrmShellChoose::FormKeyUp(std::uint16_t key, platform::TShiftState shift) {
    tmrLoadShell.SetEnabled(false);
    lblTitle.SetCaption(NoCountdownTitle);
    if (key == KeyEscape) btnCancelClick();
    if (key == KeyReturn) LaunchShell(TChooserOutcome::Enter);
    const int row = NumberKeyRow(key, shift);
    if (row >= 0 && row < lstShells.Count()) {
        lstShells.SetItemIndex(row);
        LaunchShell(TChooserOutcome::NumberKey);
    }
}

void TfrmShellChoose::FormMouseDown(platform::TMouseButton, platform::TShiftState, int x, int y) {
    if (StrictlyInside(LaunchRect, x, y)) {
        LaunchShell(TChooserOutcome::Mouse);
    } else if (StrictlyInside(CancelRect, x, y)) {
        btnCancelClick();
    }
}

void TfrmShellChoose::FormMouseMove(platform::TShiftState, int x, int y) {
    const bool overButton = StrictlyInside(LaunchRect, x, y) || StrictlyInside(CancelRect, x, y);
    Window_->SetCursor(overButton ? platform::TCursorKind::HandPoint : platform::TCursorKind::Default);
}

void TfrmShellChoose::FormCloseQuery() {
    if (ModalResult_ == ModalResult::None) btnCancelClick();
}

// The title text stands in for a caption bar: the left button drags the window.
void TfrmShellChoose::lblTitleMouseDown(platform::TMouseButton button, platform::TShiftState, int, int) {
    if (button != platform::TMouseButton::Left) return;
    Window_->DragWindow();
    Window_->Repaint(); // the background shows the desktop beneath the window's new place
}

void TfrmShellChoose::lstShellsKeyPress(char key) {
    if (key == '\r') LaunchShell(TChooserOutcome::Enter);
}

// The desktop beneath the window, tinted: the body with the base colour, the title strip and
// the two buttons with the title colour; then the button captions and the logo. In high
// contrast the system's colours instead.
void TfrmShellChoose::FormPaint(Canvas& canvas) {
    const int width = Scaled(ClientWidth96);
    const int height = Scaled(ClientHeight96);
    const int title = Scaled(TitleHeight96);
    if (SystemColours) {
        PaintInSystemColours(canvas, *SystemColours);
    } else {
        canvas.PaintDesktop();
        canvas.FrameRect({0, 0, width, height}, clBlack);
        TintArea(canvas, {0, title, width, height}, BaseColour, AlphaValue);
        TintArea(canvas, {0, 0, width, title}, TitleColour, AlphaValue);
    }
    PaintButton(canvas, LaunchRect, "Launch");
    PaintButton(canvas, CancelRect, "Cancel");
    if (SystemColours) {
        PaintLogo(canvas, std::nullopt, SystemColours->WindowText);
    } else {
        PaintLogo(canvas, clSilver, clBlack);
    }
}

// One plain background with the frame, and a line under the title strip, which the tints would
// set apart from the body.
void TfrmShellChoose::PaintInSystemColours(Canvas& canvas, const TSystemColours& colours) {
    const int width = Scaled(ClientWidth96);
    const int height = Scaled(ClientHeight96);
    const int title = Scaled(TitleHeight96);
    canvas.FillRect({0, 0, width, height}, colours.Window);
    canvas.FrameRect({0, 0, width, height}, colours.WindowText);
    canvas.Line({0, title - 1}, {width, title - 1}, colours.WindowText);
}

// Tinted once more with the title colour and outlined in black, or in high contrast a plain
// button in the system's button colours.
void TfrmShellChoose::PaintButton(Canvas& canvas, const TRect& rect, const std::string& caption) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return; // not laid out before the window shows
    if (SystemColours) {
        canvas.FillRect(rect, SystemColours->ButtonFace);
        canvas.FrameRect(rect, SystemColours->ButtonText);
        TFont font = canvas.Font();
        font.Colour = SystemColours->ButtonText;
        canvas.SetFont(font);
    } else {
        TintArea(canvas, rect, TitleColour, AlphaValue);
        canvas.FrameRect(rect, clBlack);
    }
    canvas.TextOut(rect.Left + Scaled(ButtonTextInset96), rect.Top + Scaled(ButtonTextTop96), caption);
}

// "Corvane" in black with a one-pixel silver edge to its left and below, and a half-size "3"
// aligned to the top of the big letters; in high contrast only the letters, in the text colour.
void TfrmShellChoose::PaintLogo(Canvas& canvas, std::optional<TColor> edge, TColor face) {
    const std::string windowFontName = canvas.Font().Name;
    const int size = FittingLogoSize(canvas);
    TFont font{LogoFont, size, true, edge.value_or(face)};
    canvas.SetFont(font);
    const int width = canvas.TextWidth(LogoText);
    const int x = Scaled(ClientWidth96) / 2 - width / 2;
    const int top = Scaled(LogoTop96);
    const int offset = Scaled(LogoEdge96);
    const int halfSize = size / 2;

    if (edge) {
        canvas.TextOut(x, top, LogoText);
        font.Size = halfSize;
        canvas.SetFont(font);
        canvas.TextOut(x + width, top, LogoSuperscript);
        font = {LogoFont, size, true, face};
        canvas.SetFont(font);
    }
    canvas.TextOut(x + offset, top - offset, LogoText);
    font.Size = halfSize;
    canvas.SetFont(font);
    canvas.TextOut(x + offset + width, top - offset, LogoSuperscript);

    canvas.SetFont({windowFontName, WindowFontSize, false, face});
}

// The logo lies inside the window's frame, from its top down to the buttons' top. A size that
// overflows is cut by the share of the room that the logo may have (at least by one point), and
// tried again.
int TfrmShellChoose::FittingLogoSize(Canvas& canvas) const {
    const int clientWidth = Scaled(ClientWidth96);
    const int left = Scaled(LogoEdge96);
    const int right = clientWidth - Scaled(LogoEdge96);
    const int top = Scaled(LogoTop96) - Scaled(LogoEdge96);
    const int bottom = Scaled(LaunchButton96.Top);
    const int edge = Scaled(LogoEdge96);
    int size = LogoFontSize;
    for (int tries = 0; tries < LogoFitTries && size > 1; ++tries) {
        canvas.SetFont({LogoFont, size / 2, true, clBlack});
        const int superscript = canvas.TextWidth(LogoSuperscript);
        canvas.SetFont({LogoFont, size, true, clBlack});
        const int width = canvas.TextWidth(LogoText);
        const int height = canvas.TextHeight();
        const int x = clientWidth / 2 - width / 2;
        if (x >= left && x + edge + width + superscript <= right && top + height <= bottom) break;
        // centred, the logo needs its width and twice what it has beyond "Corvane" on the right
        const double across = static_cast<double>(right - left) / std::max(1, width + 2 * (edge + superscript));
        const double down = static_cast<double>(bottom - top) / std::max(1, height);
        const int shrunk = static_cast<int>(size * std::min(across, down));
        size = std::max(1, std::min(shrunk, size - 1));
    }
    return size;
}

// One row: the strip behind the icon (unselected rows only), the crash-protection caption, the
// name (bold and marked when it is the default shell), the command line, the icon and a
// separator under the row. In high contrast the selected row has the highlight colour behind
// it, no row has the strip, and the separator takes the colour of the row's text.
void TfrmShellChoose::lstShellsDrawItem(Canvas& canvas, int index, const TRect& rect,
                                        platform::TOwnerDrawState state) {
    if (Info == nullptr) return;
    const TShellList& shells = Info->ShellList;
    if (index < 0 || static_cast<std::size_t>(index) >= shells.Count()) return;
    const TShellListItem& item = shells.Item(static_cast<std::size_t>(index));
    const int left = rect.Left;
    const int top = rect.Top;

    const int textLeft = left + Scaled(RowTextLeft96);
    const int nameTop = top + Scaled(NameTop96);
    const int inset = Scaled(IconInset96);

    const TColor textColour = canvas.Font().Colour;
    if (SystemColours) {
        if (state.Selected) canvas.FillRect(rect, SystemColours->Highlight);
    } else if (!state.Selected) {
        canvas.FillRect({left, top, left + Scaled(IconStripWidth96), rect.Bottom}, ItemColour);
    }
    canvas.TextOut(rect.Right - Scaled(CaptionFromRight96), nameTop, item.CrashProtectedCaption);
    if (platform::System().CompareText(item.Name, Info->Settings.DefaultShell) == 0) {
        TFont font = canvas.Font();
        font.Bold = true;
        canvas.SetFont(font);
        canvas.TextOut(textLeft, nameTop, item.Name + " (Default)");
        font.Bold = false;
        canvas.SetFont(font);
    } else {
        canvas.TextOut(textLeft, nameTop, item.Name);
    }
    canvas.TextOut(textLeft, top + Scaled(CommandLineTop96), item.Path + " " + item.Parameters);
    // icons smaller than the box are centred in it
    const int box = Scaled(IconBox96);
    const int iconLeft = left + inset + std::max(0, (box - imgSystem.Width()) / 2);
    const int iconTop = top + inset + std::max(0, (box - imgSystem.Height()) / 2);
    imgSystem.Draw(canvas.Handle(), iconLeft, iconTop, item.IconIndex);
    canvas.Line({left + inset, rect.Bottom - 1}, {rect.Right - inset, rect.Bottom - 1},
                SystemColours ? textColour : clSilver);
}

} // namespace corvane
