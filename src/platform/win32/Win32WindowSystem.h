// Windows' message processing, the modal option prompt and the shell chooser's window.
#pragma once

#include "platform/WindowSystem.h"

namespace corvane::platform::win32 {

class Win32WindowSystem : public WindowSystem {
public:
    void ProcessMessages() override;
    void WaitForMessages(std::uint32_t timeoutMs) override;
    void ShowOptionDialog(OptionDialog& dialog) override;
    std::unique_ptr<ChooserWindow> CreateChooserWindow(ChooserHandlers& handlers) override;
};

} // namespace corvane::platform::win32
