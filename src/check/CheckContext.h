// What the checks of the configuration's files share: the options of the check, the report
// that they add to, and how they look at the files that the configuration names.
#pragma once

#include <string>

#include "check/CheckReport.h"

namespace corvane {

struct TCheckOptions {
    std::string ProgramFolder; // as the launcher forms its paths: empty, or ending with "\"
    std::string UserName;      // names the settings file: <user name>.ini
    // The programs and pictures that the configuration names by full paths can be looked at:
    // true where the check runs on Windows itself.
    bool SystemFiles = true;
};

// A file that the configuration names (a shell's program, a wallpaper, a program that the
// script starts), as far as the check can tell.
struct TNamedFile {
    bool Relative = false; // no drive and no root: the launcher takes it from the folder it runs in
    bool Known = false;    // whether the launcher will find it is known: Exists tells
    bool Exists = false;
    std::string Here;      // where the file lies as the check sees it (for a relative path, in the
                           // program folder); empty when the check cannot read it
};

class TCheckContext {
public:
    TCheckContext(const TCheckOptions& options, TCheckReport& report) : Options(options), Report(report) {}

    // A file of the program folder as the findings name it: relative to the folder.
    std::string Shown(const std::string& path) const;
    // Looks the named file up. Without SystemFiles, a full path is not looked at, and the
    // report says so once.
    TNamedFile Locate(const std::string& path) const;
    // The words for a relative path of a program or picture ("program", "wallpaper") in findings.
    static std::string RelativeWarning(const std::string& what, const std::string& path);
    // The finding of a file of the program folder that is missing: what the launcher says at
    // logon, then what it does.
    static std::string MissingFile(const std::string& said, const std::string& then);

    const TCheckOptions& Options;
    TCheckReport& Report;
};

} // namespace corvane
