// The check of the shell list file, shells.ini: every entry built as the launcher builds it,
// with the reason an entry fails (a blank that ends an unquoted field, quotes that the INI
// reader drops, too few fields, a crash protected field that is no boolean); shell names that
// differ only in letter case; lines that end the list early; the program and the wallpaper of
// each shell (there, of a kind the launcher converts, and decoding with its decoders).
#pragma once

#include <string>
#include <vector>

#include "check/CheckContext.h"
#include "check/IniCheck.h"
#include "config/ShellList.h"
#include "config/ShellListIO.h"

namespace corvane {

class TShellListCheck {
public:
    // ini is the checker's look at the shell list file, which the check of the settings shares.
    TShellListCheck(TCheckContext& context, const TShellListIO& shells, TIniCheck& ini);

    // Checks the file; afterwards Shells holds every shell whose entry builds, in the
    // chooser's order.
    void Run();

    TShellList Shells;

private:
    // The key of each listed shell, matched in file order to the parse of the file.
    std::vector<const TProfileText::Key*> ListedKeys(const std::vector<std::string>& names) const;
    // Reports keys that the launcher does not list; true when the list's last name is one that
    // the launcher cut short and then finds no entry for (reported here).
    bool CheckUnlisted(const std::vector<std::string>& names, const std::vector<const TProfileText::Key*>& listed);
    void CheckEntry(const std::string& name, int line);
    void CheckItem(const std::string& name, int line, const std::string& entry);
    // False when an unquoted field with blanks, or quotes that the INI reader drops, make the
    // entry read otherwise than it is written (reported with what the launcher then does).
    bool CheckFieldSplit(const std::string& name, int line, const std::string& entry);
    void CheckProgram(const std::string& name, int line, const std::string& path);
    void CheckWallpaper(const std::string& name, int line, const std::string& path);

    TCheckContext& Context_;
    const TShellListIO& Io_;
    TIniCheck& Ini_;
};

} // namespace corvane
