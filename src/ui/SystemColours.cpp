#include "ui/SystemColours.h"

#include "platform/Platform.h"

namespace corvane {

namespace {

// The system colours by the indexes that Windows gives them.
constexpr int ColourWindow = 5;
constexpr int ColourWindowText = 8;
constexpr int ColourHighlight = 13;
constexpr int ColourButtonFace = 15;
constexpr int ColourButtonText = 18;

TColor SystemColour(platform::SystemInfo& system, int index) {
    return static_cast<TColor>(system.SysColor(index) & 0xFFFFFFu);
}

} // namespace

std::optional<TSystemColours> HighContrastColours() {
    platform::SystemInfo& system = platform::System();
    if (!system.HighContrast()) return std::nullopt;
    return TSystemColours{SystemColour(system, ColourWindow), SystemColour(system, ColourWindowText),
                          SystemColour(system, ColourHighlight), SystemColour(system, ColourButtonFace),
                          SystemColour(system, ColourButtonText)};
}

} // namespace corvane
