// The shell that takes the default shell's place at this logon: the chooser selects it when it
// shows, its countdown names and starts it, and without the chooser it is the one started. It is
// the shell that the last launch remembered (see TLastShellIO) while the shell list still has a
// shell of that name (letter case ignored), and else the configured default shell. The rows of
// the chooser still mark the configured default. A shell that the AllowedShells policy leaves out
// counts as none: shells is the list of those that it allows.
#pragma once

#include <string>

#include "config/AllowedShells.h"
#include "config/CorvaneSettings.h"
#include "config/ShellList.h"

namespace corvane {

class TPreferredShell {
public:
    // remembered is empty when no shell is remembered; a name that the list lacks is passed over
    // without a word.
    TPreferredShell(const TCorvaneSettings& settings, const TShellList& shells, const std::string& remembered,
                    const TAllowedShells& allowed);

    // The shell's name as the countdown's title shows it; the settings' DefaultShell (empty when
    // there is none or the policy leaves it out) unless a remembered shell took its place.
    std::string Name;
    // Not owned: the item of the remembered shell in the shell list, or the settings'
    // DefaultShellItem; none when neither is there (or allowed).
    const TShellListItem* Item = nullptr;
};

} // namespace corvane
