// The check of the policies (see TPolicyIO and TAllowedShells): lists each policy that gives a
// value and, while any does, where each of the user's settings comes from; reports the values
// that are not in force and why, names of AllowedShells that shells.ini does not list, and a list
// that leaves the chooser empty. Where the check has no registry to read (corvane-check), it says
// once that it cannot see policies.
#pragma once

#include "check/CheckContext.h"
#include "config/AllowedShells.h"
#include "config/CorvaneSettings.h"
#include "config/PolicyIO.h"
#include "config/ShellListIO.h"

namespace corvane {

class TPolicyCheck {
public:
    TPolicyCheck(TCheckContext& context, const TPolicyIO& policies, const TAllowedShells& allowed)
        : Context_(context), Policies_(policies), Allowed_(allowed) {}

    // settings are the user's settings as the launcher reads them; shells the shell list.
    void Run(const TCorvaneSettings& settings, const TShellListIO& shells);

private:
    void ListPolicies();
    void ListSources(const TCorvaneSettings& settings);
    void CheckAllowedShells(const TShellListIO& shells);

    TCheckContext& Context_;
    const TPolicyIO& Policies_;
    const TAllowedShells& Allowed_;
};

} // namespace corvane
