// The check of the user's settings file, <user name>.ini: values that the launcher rejects and
// reads as their default, keys it never reads, a countdown that cannot work, a DefaultShell
// that names no shell or whose entry fails, and a scheme name without its file.
#pragma once

#include "check/CheckContext.h"
#include "check/IniCheck.h"
#include "config/CorvaneSettings.h"
#include "config/ShellListIO.h"

namespace corvane {

class TSettingsCheck {
public:
    TSettingsCheck(TCheckContext& context, const TIniFile& userIni, const TShellListIO& shells);

    // Checks the file. settings are its values as the launcher reads them.
    void Run(const TCorvaneSettings& settings);

    // Whether the scheme file is there to be checked, after Run.
    bool SchemeExists = false;

private:
    void CheckForms(const TCorvaneSettings& settings);
    void CheckCountdown(const TCorvaneSettings& settings);
    void CheckDefaultShell(const TCorvaneSettings& settings);
    void CheckScheme(const TCorvaneSettings& settings);
    // The line of a key; for a key that is not there, the line of the section.
    int Line(const TIniKey& key) const;
    bool Given(const TIniKey& key) const;

    TCheckContext& Context_;
    const TIniFile& UserIni_;
    const TShellListIO& Shells_;
    TIniCheck Ini_;
};

} // namespace corvane
