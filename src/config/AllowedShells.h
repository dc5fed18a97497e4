// The AllowedShells policy: the only shells that the user may start. It is a list of shell
// names under the subkey AllowedShells of a scope's policy key (see TPolicyIO), as the list of a
// Group Policy template writes one: a REG_SZ value per name, named 1, 2, 3... (values of any
// name are read). The machine's list wins over the user's; a list with no name in force (every
// value empty or of another type) is not in force, and Rejected() says why. Names compare as
// shell names do everywhere (letter case ignored, as the system compares texts).
//
// While a list is in force the chooser offers only its shells, loadshell and execshell start no
// other shell (the error names the shell and the policy), and a default or remembered shell that
// it leaves out counts as none. Explorer, which a logon gets when it started nothing, is no
// choice of the user's and is not limited.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "config/PolicyIO.h"
#include "config/ShellList.h"

namespace corvane {

class TAllowedShells {
public:
    // The policy, a subkey of TPolicyIO::Key.
    static constexpr const char* Name = "AllowedShells";

    // Reads both scopes' lists, once; without a registry (corvane-check), none is in force.
    TAllowedShells();

    bool InForce() const { return InForce_.has_value(); }
    // The scope whose list is in force, or nothing.
    std::optional<TPolicyScope> Scope() const { return InForce_; }
    // The names that a scope's list gives, in the registry's order; none when it gives none.
    const std::vector<std::string>& NamesOf(TPolicyScope scope) const;
    const std::vector<TPolicyIO::TRejected>& Rejected() const { return Rejected_; }

    // Whether the shell of that name may start: any while no list is in force.
    bool Allows(const std::string& shell) const;
    // Whether the program at path (letter case ignored) may start as the shell: the program of
    // one of shells, which are those that the list allows.
    bool AllowsProgram(const std::string& path, const TShellList& shells) const;
    // The errors of a start that the list refuses, naming the shell (or program) and the policy.
    std::string ShellRefused(const std::string& shell) const;
    std::string ProgramRefused(const std::string& path) const;
    // "the AllowedShells policy of the machine (Alt, Explorer)"
    std::string Described() const;

private:
    std::array<std::vector<std::string>, PolicyScopes.size()> Names_; // per scope
    std::optional<TPolicyScope> InForce_;
    std::vector<TPolicyIO::TRejected> Rejected_;
};

} // namespace corvane
