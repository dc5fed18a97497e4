#include "platform/native/NativeFileSecurity.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane::platform::native {

namespace {
// The SIDs that stand for POSIX users and groups, as Samba writes them.
constexpr const char* UserSid = "S-1-22-1-";
constexpr const char* GroupSid = "S-1-22-2-";
constexpr const char* Everyone = "S-1-1-0";

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }
} // namespace

// The owner is the file's user; its group, when the group may write, and the others, when they
// may, get entries that let them write.
std::optional<std::string> NativeFileSecurity::Descriptor(const std::string& path) {
    const std::optional<std::filesystem::path> mapped = Files_.Map(path);
    struct stat status {};
    if (!mapped || ::stat(mapped->c_str(), &status) != 0) return std::nullopt;
    std::string sddl = "O:" + std::string(UserSid) + std::to_string(status.st_uid) + "D:";
    if (status.st_mode & S_IWGRP) sddl += "(A;;FW;;;" + std::string(GroupSid) + std::to_string(status.st_gid) + ")";
    if (status.st_mode & S_IWOTH) sddl += "(A;;FW;;;WD)";
    return sddl;
}

std::string NativeFileSecurity::CurrentUser() { return UserSid + std::to_string(::geteuid()); }

bool NativeFileSecurity::IsAdministrator(const std::string& sid) { return sid == std::string(UserSid) + "0"; }

std::string NativeFileSecurity::AccountName(const std::string& sid) {
    if (sid == Everyone) return "others (everyone)";
    const bool user = StartsWith(sid, UserSid);
    if (!user && !StartsWith(sid, GroupSid)) return sid;
    const unsigned long id = std::stoul(sid.substr(9));
    if (user) {
        const passwd* entry = ::getpwuid(static_cast<uid_t>(id));
        return "user " + (entry != nullptr ? std::string(entry->pw_name) : std::to_string(id));
    }
    const group* entry = ::getgrgid(static_cast<gid_t>(id));
    return "group " + (entry != nullptr ? std::string(entry->gr_name) : std::to_string(id));
}

} // namespace corvane::platform::native
