// Who can change a file or folder, from its security descriptor in the system's string form
// (SDDL, as ConvertSecurityDescriptorToStringSecurityDescriptor writes it): its owner, and its
// discretionary access list of allow and deny entries. A file "can be changed by others" when an
// account other than its keepers may write it, append to it, delete it, change its permissions
// or take its ownership; a folder also when one may add or delete files in it; and either when
// its owner is no keeper and no administrator, since an owner may always change the
// permissions. An entry that is only inherited by what lies below (IO) does not count; a deny
// entry before an allow entry takes its rights away when it names the same account or Everyone.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class TSecurityDescriptor {
public:
    struct TEntry {
        bool Allow = true;
        bool InheritOnly = false;
        std::uint32_t Rights = 0;
        std::string Sid; // "S-1-..."
    };

    // The well-known accounts that keep every configuration: Administrators, SYSTEM and
    // TrustedInstaller.
    static constexpr const char* Administrators = "S-1-5-32-544";
    static constexpr const char* System = "S-1-5-18";
    static constexpr const char* TrustedInstaller = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
    static constexpr const char* Everyone = "S-1-1-0";

    // The owner and the access list of an SDDL text; nothing when it is none (no owner, or a part
    // that does not parse). A text without "D:" has no access list: everyone may do everything.
    static std::optional<TSecurityDescriptor> Parse(std::string_view sddl);

    // The accounts other than the keepers that can change the object, in the order of the
    // entries, the owner first when it is one of them. isKeeper tells whether an account keeps
    // the object (the three above, and the user whose own configuration it is); isAdministrator
    // whether an account that is no keeper is a member of Administrators, who can change
    // anything anyway and so is never named.
    std::vector<std::string> ChangeableBy(bool folder, const std::function<bool(const std::string&)>& isKeeper,
                                          const std::function<bool(const std::string&)>& isAdministrator) const;

    std::string Owner;
    bool HasAccessList = true;
    std::vector<TEntry> Entries;
};

} // namespace corvane
