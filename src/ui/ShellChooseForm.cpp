#include "ui/ShellChooseForm.h"

#include <algorithm>

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
constexpr int WindowFontSize = 8;

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
    : Window_(platform::Windows().CreatePopupListWindow(Design, *this)), lblTitle(*Window_), lstShells(*Window_),
      tmrLoadShell(*Window_) {
    lblTitle.SetCaption(DesignTitle);
    imgSystem.Loaded();
}

TfrmShellChoose::~TfrmShellChoose() = default;

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
    Window_->SetColours(textColour, ListColour);
}

void TfrmShellChoose::StartCountdown(std::int32_t seconds, const std::string& defaultShell) {
    tmrLoadShell.SetInterval(CountdownInterval(seconds));
    tmrLoadShell.SetEnabled(true);
    lblTitle.SetCaption(CountdownCaption(seconds, defaultShell));
}

ModalResult TfrmShellChoose::ShowModal() {
    ModalResult_ = ModalResult::None;
    Window_->ShowModal();
    return ModalResult_;
}

// The item of the selected entry, found by its index in the context's shell list; none when
// no entry is selected (an empty list).
void TfrmShellChoose::LaunchShell() {
    const int index = lstShells.ItemIndex();
    const TShellList& shells = Info->ShellList;
    SelectedShell = index >= 0 && static_cast<std::size_t>(index) < shells.Count()
                        ? &shells.Item(static_cast<std::size_t>(index))
                        : nullptr;
    ModalResult_ = ModalResult::Ok;
}

void TfrmShellChoose::btnCancelClick() { ModalResult_ = ModalResult::Cancel; }

void TfrmShellChoose::tmrLoadShellTimer() {
    SelectedShell = Info->Settings.DefaultShellItem.get();
    ModalResult_ = ModalResult::Ok;
}

void TfrmShellChoose::FormShow() {
    if (lstShells.Count() > 0) lstShells.SetItemIndex(0);
    lstShells.SetFocus();
    const int defaultIndex = lstShells.FindStringExact(Info->Settings.DefaultShell);
    if (defaultIndex >= 0) lstShells.SetItemIndex(defaultIndex);
    LaunchRect = LaunchButton;
    CancelRect = CancelButton;
}

// Every key released in the window ends the countdown for good.
void TfrmShellChoose::FormKeyUp(std::uint16_t key, platform::TShiftState) {
    tmrLoadShell.SetEnabled(false);
    lblTitle.SetCaption(NoCountdownTitle);
    if (key == KeyEscape) btnCancelClick();
    if (key == KeyReturn) LaunchShell();
}

void TfrmShellChoose::FormMouseDown(platform::TMouseButton, platform::TShiftState, int x, int y) {
    if (StrictlyInside(LaunchRect, x, y)) {
        LaunchShell();
    } else if (StrictlyInside(CancelRect, x, y)) {
        btnCancelClick();
    }
}

void TfrmShellChoose::FormMouseMove(platform::TShiftState, int x, int y) {
    const bool overButton = StrictlyInside(LaunchRect, x, y) || StrictlyInside(CancelRect, x, y);
    Window_->SetCursor(overButton ? platform::TCursorKind::HandPoint : platform::TCursorKind::Default);
}

void TfrmShellChoose::FormCloseQuery() {
    if (ModalResult_ == ModalResult::None) ModalResult_ = ModalResult::Cancel;
}

// The title text stands in for a caption bar: the left button drags the window.
void TfrmShellChoose::lblTitleMouseDown(platform::TMouseButton button, platform::TShiftState, int, int) {
    if (button != platform::TMouseButton::Left) return;
    Window_->DragWindow();
    Window_->Repaint(); // the background shows the desktop beneath the window's new place
}

void TfrmShellChoose::lstShellsKeyPress(char key) {
    if (key == '\r') LaunchShell();
}

// The desktop beneath the window, tinted: the body with the base colour, the title strip and
// the two buttons with the title colour; then the button captions and the logo.
void TfrmShellChoose::FormPaint(Canvas& canvas) {
    canvas.PaintDesktop();
    canvas.FrameRect({0, 0, ClientWidth, ClientHeight}, clBlack);
    TintArea(canvas, {0, TitleHeight, ClientWidth, ClientHeight}, BaseColour, AlphaValue);
    TintArea(canvas, {0, 0, ClientWidth, TitleHeight}, TitleColour, AlphaValue);
    PaintButton(canvas, LaunchRect, "Launch");
    PaintButton(canvas, CancelRect, "Cancel");
    PaintLogo(canvas);
}

void TfrmShellChoose::PaintButton(Canvas& canvas, const TRect& rect, const std::string& caption) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return; // not laid out before the window shows
    TintArea(canvas, rect, TitleColour, AlphaValue);
    canvas.FrameRect(rect, clBlack);
    canvas.TextOut(rect.Left + 10, rect.Top + 3, caption);
}

// "Corvane" in black with a one-pixel silver edge to its left and below, and a half-size "3"
// aligned to the top of the big letters.
void TfrmShellChoose::PaintLogo(Canvas& canvas) {
    const std::string windowFontName = canvas.Font().Name;
    TFont font{LogoFont, LogoFontSize, true, clSilver};
    canvas.SetFont(font);
    const int width = canvas.TextWidth("Corvane");
    const int x = ClientWidth / 2 - width / 2;
    const int halfSize = LogoFontSize / 2;

    canvas.TextOut(x, 64, "Corvane");
    font.Size = halfSize;
    canvas.SetFont(font);
    canvas.TextOut(x + width, 64, "3");

    font = {LogoFont, LogoFontSize, true, clBlack};
    canvas.SetFont(font);
    canvas.TextOut(x + 1, 63, "Corvane");
    font.Size = halfSize;
    canvas.SetFont(font);
    canvas.TextOut(x + 1 + width, 63, "3");

    canvas.SetFont({windowFontName, WindowFontSize, false, clBlack});
}

// One row: the strip behind the icon (unselected rows only), the crash-protection caption, the
// name (bold and marked when it is the default shell), the command line, the icon and a
// separator under the row.
void TfrmShellChoose::lstShellsDrawItem(Canvas& canvas, int index, const TRect& rect,
                                        platform::TOwnerDrawState state) {
    if (Info == nullptr) return;
    const TShellList& shells = Info->ShellList;
    if (index < 0 || static_cast<std::size_t>(index) >= shells.Count()) return;
    const TShellListItem& item = shells.Item(static_cast<std::size_t>(index));
    const int left = rect.Left;
    const int top = rect.Top;

    if (!state.Selected) canvas.FillRect({left, top, left + 36, rect.Bottom}, ItemColour);
    canvas.TextOut(rect.Right - 90, top + 4, item.CrashProtectedCaption);
    if (SameTextAscii(item.Name, Info->Settings.DefaultShell)) {
        TFont font = canvas.Font();
        font.Bold = true;
        canvas.SetFont(font);
        canvas.TextOut(left + 40, top + 4, item.Name + " (Default)");
        font.Bold = false;
        canvas.SetFont(font);
    } else {
        canvas.TextOut(left + 40, top + 4, item.Name);
    }
    canvas.TextOut(left + 40, top + 20, item.Path + " " + item.Parameters);
    imgSystem.Draw(canvas.Handle(), left + 2, top + 2, item.IconIndex);
    canvas.Line({left + 2, rect.Bottom - 1}, {rect.Right - 2, rect.Bottom - 1}, clSilver);
}

} // namespace corvane
