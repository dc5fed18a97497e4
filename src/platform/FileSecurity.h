// Who may change the files of the running system: their security descriptors, the accounts they
// name, and who administers the machine.
#pragma once

#include <optional>
#include <string>

namespace corvane::platform {

class FileSecurity {
public:
    virtual ~FileSecurity() = default;

    // The owner and the access list of the file or folder at path in the system's string form
    // (SDDL: "O:<owner>D:<entries>"); nothing when they cannot be read.
    virtual std::optional<std::string> Descriptor(const std::string& path) = 0;
    // The account (its SID) of the user this program runs for.
    virtual std::string CurrentUser() = 0;
    // True when the account is a member of the machine's Administrators, directly or not.
    virtual bool IsAdministrator(const std::string& sid) = 0;
    // The account's name as people know it ("Everyone", "BUILTIN\Users", "CORP\alice"); the SID
    // itself when the system knows no name for it.
    virtual std::string AccountName(const std::string& sid) = 0;
    // False where the descriptors are made up from POSIX permission bits (corvane-check): the
    // system's own permissions are then not what is checked.
    virtual bool SystemPermissions() = 0;
};

} // namespace corvane::platform
