// Who may change files on Windows: security descriptors read with GetNamedSecurityInfo, accounts
// looked up by their SIDs, and the members of Administrators.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/FileSecurity.h"

namespace corvane::platform::win32 {

class Win32FileSecurity final : public FileSecurity {
public:
    std::optional<std::string> Descriptor(const std::string& path) override;
    std::string CurrentUser() override;
    bool IsAdministrator(const std::string& sid) override;
    std::string AccountName(const std::string& sid) override;
    bool SystemPermissions() override { return true; }

private:
    std::optional<std::string> CurrentUser_;
    bool CurrentUserIsAdministrator_ = false;
    std::map<std::string, bool> Administrators_; // asked before, by SID
};

} // namespace corvane::platform::win32
