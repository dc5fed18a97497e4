// The hourglass for as long as a slow step runs, and then the cursor the caller names, also
// when an error passes through.
#pragma once

#include "platform/DesktopServices.h"
#include "platform/Platform.h"

namespace corvane {

class TBusyCursor {
public:
    explicit TBusyCursor(platform::Cursor after) : After_(after) { platform::Desktop().SetCursor(platform::Cursor::Busy); }
    ~TBusyCursor() {
        try {
            platform::Desktop().SetCursor(After_);
        } catch (...) {
        }
    }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    platform::Cursor After_;
};

} // namespace corvane
