// Corvane as the logon shell: a Winlogon "Shell" value names corvane.exe, the current user's own
// (for that user) or the machine's (for every user of the machine). Installing remembers what the
// value held before, under CorvaneKey of the same root, so that uninstalling puts back exactly
// that, type included, and removes what installing added.
#pragma once

#include <string>

#include "config/ShellIO.h"
#include "platform/RegistryAccess.h"

namespace corvane {

class TShellInstall {
public:
    static constexpr const char* Value = "InstalledOver";
    // The refusal of a change of every user's shell by a user without the rights to it.
    static constexpr const char* AdministratorRightsNeeded =
        "Administrator rights are needed to change the shell of every user of this machine; nothing changed. "
        "Run corvane.exe from an elevated command prompt.";

    // root: the current user's (their own shell) or the machine's (the shell of every user).
    TShellInstall(const TShellIO& shellIO, platform::RegistryRoot root) : ShellIO_(shellIO), Root_(root) {}

    // Makes exePath the shell and says what changed. Installing again keeps the value remembered
    // the first time. A remembered value that cannot be read is remembered anew from the shell
    // as it is, unless that is Corvane already (what was there before is then unknown): that is
    // refused. Raises ERegistryException when a value cannot be written or the install is refused;
    // a user without the rights to the keys gets AdministratorRightsNeeded. Whatever way the
    // shell's write fails, nothing changed: a record written for it goes again.
    std::string Install(const std::string& exePath) const;
    // Puts back the shell as it was before the install of exePath and says what changed; without
    // an install it says so and changes nothing (installed is false then). A shell that no longer
    // names exePath was changed since by someone else (an administrator): it stays as it is, and
    // only the remembered value goes. Without a readable remembered value, a shell that is
    // Corvane is removed (for the machine: set to explorer.exe, the system's own), so that
    // Corvane never stays the shell. Refused as Install is, with nothing changed, for a user
    // without the rights to the keys.
    std::string Uninstall(const std::string& exePath, bool& installed) const;

    // What stands in for a shell of Corvane's that has nothing readable to go back to: no value
    // of the user's own (the machine's applies), or the system's explorer.exe for the machine.
    platform::RegistryValue NoCorvane() const;

private:
    // Whose shell this is, for the reports.
    std::string Whose() const;

    const TShellIO& ShellIO_;
    const platform::RegistryRoot Root_;
};

} // namespace corvane
