// Windows' message processing, machine-wide locks, modal list dialogs and popup list windows.
#pragma once

#include "platform/WindowSystem.h"

namespace corvane::platform::win32 {

class Win32WindowSystem : public WindowSystem {
public:
    void ProcessMessages() override;
    void WaitForMessages(std::uint32_t timeoutMs) override;
    std::unique_ptr<MachineLock> LockMachineWide(const std::string& name, std::uint32_t timeoutMs) override;
    void ShowListDialog(ListDialog& dialog) override;
    std::unique_ptr<PopupListWindow> CreatePopupListWindow(const PopupListLayout& layout,
                                                           PopupListEvents& events) override;
};

} // namespace corvane::platform::win32
