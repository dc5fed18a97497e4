// Windows' message processing and the modal option prompt.
#pragma once

#include "platform/WindowSystem.h"

namespace corvane::platform::win32 {

class Win32WindowSystem : public WindowSystem {
public:
    void ProcessMessages() override;
    void WaitForMessages(std::uint32_t timeoutMs) override;
    void ShowOptionDialog(OptionDialog& dialog) override;
};

} // namespace corvane::platform::win32
