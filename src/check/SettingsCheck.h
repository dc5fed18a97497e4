// The check of the settings: the user's settings file, <user name>.ini, and the [Settings]
// section of shells.ini, which gives every user's settings where the user's file does not give
// a key. Each file's own text is checked on its own: keys the launcher never reads, values it
// rejects and reads as their default, a DefaultShell that names no shell or whose entry fails,
// a scheme name without its file. The settings as the launcher puts them together for the user
// are checked for a countdown that cannot work. Every finding names the file (and its line)
// that the value at fault comes from.
#pragma once

#include <optional>
#include <string>

#include "check/CheckContext.h"
#include "check/IniCheck.h"
#include "config/CorvaneSettings.h"
#include "config/ShellListIO.h"

namespace corvane {

class TSettingsCheck {
public:
    // user and shared are the checker's looks at the user's file and at shells.ini.
    TSettingsCheck(TCheckContext& context, const TIniFile& userIni, TIniCheck& user, const TShellListIO& shells,
                   TIniCheck& shared);

    // Checks both files. settings are the user's settings as the launcher reads them.
    void Run(const TCorvaneSettings& settings);

    // Whether the scheme file of the settings is there to be checked, after Run.
    bool SchemeExists = false;

private:
    // One file that settings come from, with the checker's look at it.
    struct TSource {
        const TIniFile& File;
        TIniCheck& Check;
    };

    void CheckUserFile(bool shared);
    void CheckForms(const TSource& source);
    void CheckCountdown(const TCorvaneSettings& settings);
    void CheckDefaultShell(const TSource& source);
    void CheckScheme(const TSource& source);
    // The file that settings took the value of key from; the user's file for a key that
    // neither file gives.
    TSource SourceOf(const TCorvaneSettings& settings, const TIniKey& key);
    // The line of key in the file; for a key that is not there, the line of the section.
    static int Line(const TSource& source, const TIniKey& key);
    // The text that the file gives key, as the launcher's reader gives it.
    static std::optional<std::string> Given(const TSource& source, const TIniKey& key);
    // For a finding on a value of shells.ini that the user's file gives a value of its own:
    // the words that say whom it concerns; empty otherwise.
    std::string OverriddenNote(const TSource& source, const TIniKey& key) const;

    TCheckContext& Context_;
    const TShellListIO& Shells_;
    const TSource User_;
    const TSource Shared_;
};

} // namespace corvane
