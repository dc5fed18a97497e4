// The settings that Group Policy (or a management service such as Intune) sets for Corvane:
// values of HKEY_LOCAL_MACHINE\Software\Policies\Corvane (the machine's policy) and of
// HKEY_CURRENT_USER\Software\Policies\Corvane (the user's). Each setting of [Settings] is a value
// of the key's name in its natural form: a REG_DWORD for a switch (0 off, any other on) or a
// number, a REG_SZ for a name. A value in another form, or a number beyond what the setting
// holds, is not in force: the setting comes from where it would come from without it, and
// Rejected() says why, for --check and the logon record. Both keys are read once.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "config/IniFile.h"
#include "platform/RegistryAccess.h"

namespace corvane {

// Each scope's number is its place in PolicyScopes.
enum class TPolicyScope { Machine = 0, User = 1 };
// The scopes from the strongest: the machine's policy wins over the user's.
constexpr std::array<TPolicyScope, 2> PolicyScopes{TPolicyScope::Machine, TPolicyScope::User};

class TPolicyIO {
public:
    // The key of the policies under each scope's root.
    static constexpr const char* Key = "Software\\Policies\\Corvane";

    // A value of a policy that is not in force.
    struct TRejected {
        TPolicyScope Scope;
        std::string Place;  // the key, as messages name it
        std::string Name;   // the policy
        std::string Reason; // what is wrong with it: "is a REG_SZ value, not a REG_DWORD"
    };

    // Reads the policies of both scopes for the settings keys. A system without a registry
    // (corvane-check) has no policies to read: Visible() is then false and none is in force.
    explicit TPolicyIO(std::span<const TIniKey> keys);

    bool Visible() const { return Visible_; }
    // The text that the scope's policy gives key, as a file would give it ("1" or "0" for a
    // switch, a number in decimal, a name); nothing when the scope sets no value of it in force.
    const std::optional<std::string>& Text(TPolicyScope scope, const TIniKey& key) const;
    const std::vector<TRejected>& Rejected() const { return Rejected_; }
    // Whether a policy gives any value, in force or not.
    bool Any() const;

    // "machine" or "user".
    static const char* ScopeName(TPolicyScope scope);
    // "policy (machine)": where a setting comes from.
    static std::string SourceName(TPolicyScope scope);
    static platform::RegistryRoot RootOf(TPolicyScope scope);
    // The scope's key (with a subkey of it) as messages name it:
    // "HKEY_LOCAL_MACHINE\Software\Policies\Corvane".
    static std::string Shown(TPolicyScope scope, const std::string& subkey = "");
    // What the logon record and --check say of a rejected value: "TimerLength is a REG_SZ value,
    // not a REG_DWORD, so this policy is not in force".
    static std::string NotInForce(const TRejected& rejected);
    // The name of a registry value type: "REG_SZ", or "type 12" for one without a name.
    static std::string TypeName(std::uint32_t type);
    // The first text value of a string's data (up to its first NUL), or why it is none: its
    // type is not REG_SZ. Shared with the list policies, whose items are such values.
    static std::optional<std::string> StringOf(const platform::RegistryValue& value, std::string& reason);

private:
    // The text of one value for key, or why it is not in force.
    static std::optional<std::string> Interpret(const TIniKey& key, const platform::RegistryValue& value,
                                                std::string& reason);

    std::vector<TIniKey> Keys_;
    std::array<std::vector<std::optional<std::string>>, PolicyScopes.size()> Texts_; // per scope, in the order of Keys_
    std::vector<TRejected> Rejected_;
    bool Visible_ = false;
};

} // namespace corvane
