// The Windows shell: file icons and program starts.
#pragma once

#include "platform/ShellServices.h"

namespace corvane::platform::win32 {

// Sets up COM on this thread for the shell's calls, once; a call that needs it comes first.
void NeedCom();

class Win32Shell final : public ShellServices {
public:
    int SysIconIndex(const std::string& path) override;
    ProgramStart Execute(const std::string& path, const std::string& parameters, const std::string& directory) override;
};

} // namespace corvane::platform::win32
