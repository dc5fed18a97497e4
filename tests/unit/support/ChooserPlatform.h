// The fakes that the shell chooser reaches: the configuration's, a window system whose chooser
// windows tests read and drive, and a desktop that records the icons drawn.
#pragma once

#include "support/ConfigPlatform.h"
#include "support/FakeDesktop.h"
#include "support/FakeWindowSystem.h"

namespace corvane::testing {

class ChooserPlatform : public ConfigPlatform {
public:
    ChooserPlatform() {
        services.windows = &windows;
        services.desktop = &desktop;
        Reinstall();
    }

    FakeWindowSystem windows;
    FakeDesktop desktop;
};

} // namespace corvane::testing
