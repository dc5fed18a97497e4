// Who may change the files of the checked folder on a POSIX system: made up from their
// permission bits, as security descriptors that the launcher's rule reads (the owner is the file's
// user; its group and the others get entries when their write bit is set). Windows' own
// permissions are checked on Windows only.
#pragma once

#include <optional>
#include <string>

#include "platform/FileSecurity.h"
#include "platform/native/NativeServices.h"

namespace corvane::platform::native {

class NativeFileSecurity final : public FileSecurity {
public:
    explicit NativeFileSecurity(const NativeFileSystem& files) : Files_(files) {}

    std::optional<std::string> Descriptor(const std::string& path) override;
    std::string CurrentUser() override;
    // root administers the machine.
    bool IsAdministrator(const std::string& sid) override;
    std::string AccountName(const std::string& sid) override;
    bool SystemPermissions() override { return false; }

private:
    const NativeFileSystem& Files_;
};

} // namespace corvane::platform::native
