// Corvane as the current user's shell: the user's own Winlogon "Shell" value names corvane.exe.
// Installing remembers what that value held before (under the user's "Software\Corvane"), so
// that uninstalling puts back exactly that, type included, and removes what installing added.
#pragma once

#include <string>

#include "config/ShellIO.h"

namespace corvane {

class TShellInstall {
public:
    static constexpr const char* Key = "Software\\Corvane";
    static constexpr const char* Value = "InstalledOver";

    explicit TShellInstall(const TShellIO& shellIO) : ShellIO_(shellIO) {}

    // Makes exePath the current user's shell and says what changed. Installing again keeps the
    // value remembered the first time. Raises ERegistryException when a value cannot be written.
    std::string Install(const std::string& exePath) const;
    // Puts back the user's shell as it was before the install and says what changed; without an
    // install it says so and changes nothing (installed is false then).
    std::string Uninstall(bool& installed) const;

    // The command that the Shell value holds for exePath: quoted when the path has a blank.
    static std::string ShellCommand(const std::string& exePath);

private:
    const TShellIO& ShellIO_;
};

} // namespace corvane
