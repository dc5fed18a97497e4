// Reads the shell list file, "shells.ini": section "Shells", one key per shell, its value the
// shell's entry (see TShellListItem).
#pragma once

#include <string>

#include "config/IniFile.h"
#include "config/ShellList.h"

namespace corvane {

class TShellListIO {
public:
    static constexpr const char* Section = "Shells";

    explicit TShellListIO(const TIniFile& iniFile);

    // Every shell of the file in file order, each item built from its entry and named after
    // its key. Errors in an entry (see TShellListItem) pass to the caller.
    TShellList ReadShellList() const;
    // The entry of the named shell (letter case ignored, the first key of the name counts),
    // or the empty string when there is none.
    std::string ReadShellEntry(const std::string& name) const;

    const TIniFile& IniFile; // not owned
};

} // namespace corvane
