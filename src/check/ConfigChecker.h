// The configuration checker: reads a program folder as the launcher reads it at logon, with
// the launcher's own readers and parsers, and reports every problem it finds with its file and
// line (see TCheckReport). It changes nothing in the folder and shows no window.
#pragma once

#include "check/CheckContext.h"
#include "check/CheckReport.h"

namespace corvane {

class TConfigChecker {
public:
    explicit TConfigChecker(TCheckOptions options);

    // Checks the policies, the user's settings, the shell list, the colour scheme and the script,
    // and lists the shells that the chooser will offer.
    TCheckReport Run() const;

private:
    TCheckOptions Options_;
};

} // namespace corvane
