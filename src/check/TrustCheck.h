// Who besides its keepers can change the configuration (TConfigurationTrust): an error where
// corvane.exe of the folder is the shell of every user, whose logons would run what others
// wrote, a warning otherwise. Where the check reads POSIX permission bits (corvane-check), it
// says that Windows' own permissions are checked on Windows only.
#pragma once

#include "check/CheckContext.h"

namespace corvane {

class TTrustCheck {
public:
    explicit TTrustCheck(TCheckContext& context) : Context_(context) {}
    void Run();

private:
    TCheckContext& Context_;
};

} // namespace corvane
