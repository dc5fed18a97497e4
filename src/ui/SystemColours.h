// The colours of the chooser while the system's high-contrast mode is on: the system's own,
// which the user picked to read the screen by, in place of the colour scheme's tints, and plain
// backgrounds in place of the desktop picture. With the mode off the scheme alone decides.
#pragma once

#include <optional>

#include "platform/Graphics.h"

namespace corvane {

struct TSystemColours {
    TColor Window = 0;     // backgrounds: the window's and the list's
    TColor WindowText = 0; // the texts, the frame and the lines on them
    TColor Highlight = 0;  // the selected row (its texts take the system's highlight-text colour)
    TColor ButtonFace = 0; // the Launch and Cancel buttons
    TColor ButtonText = 0; // their captions and outlines
    friend bool operator==(const TSystemColours&, const TSystemColours&) = default;
};

// The system's colours, as they are now, while the high-contrast mode is on; nothing while it is
// off.
std::optional<TSystemColours> HighContrastColours();

} // namespace corvane
