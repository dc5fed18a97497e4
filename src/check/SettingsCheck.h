// The check of the settings: the user's settings file, <user name>.ini, and the [Settings]
// section of shells.ini, which gives every user's settings where the user's file does not give
// a key. Each file's own text is checked on its own: keys the launcher never reads, values it
// rejects and reads as their default, a DefaultShell that names no shell or whose entry fails,
// a scheme name without its file. The settings as the launcher puts them together for the user
// are checked for a countdown that cannot work. Every finding names the file (and its line)
// that the value at fault comes from, or the policy; a finding on a file's value that a policy
// overrides says so. A policy's DefaultShell and scheme name are checked at the policy.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "check/CheckContext.h"
#include "check/IniCheck.h"
#include "config/AllowedShells.h"
#include "config/CorvaneSettings.h"
#include "config/ShellListIO.h"

namespace corvane {

class TSettingsCheck {
public:
    // user and shared are the checker's looks at the user's file and at shells.ini.
    TSettingsCheck(TCheckContext& context, const TIniFile& userIni, TIniCheck& user, const TShellListIO& shells,
                   TIniCheck& shared);

    // Checks both files and the policies' values. settings are the user's settings as the
    // launcher reads them; allowed is the AllowedShells policy.
    void Run(const TCorvaneSettings& settings, const TAllowedShells& allowed);

    // Whether the scheme file of the settings is there to be checked, after Run.
    bool SchemeExists = false;

private:
    // One file that settings come from, with the checker's look at it.
    struct TSource {
        const TIniFile& File;
        TIniCheck& Check;
    };

    // Reports a finding where a value lies: a file's line or a policy.
    using TReport = std::function<void(TSeverity, const std::string&)>;

    void CheckUserFile(bool shared);
    void CheckForms(const TSource& source);
    void CheckCountdown(const TCorvaneSettings& settings, const TAllowedShells& allowed);
    // name is DefaultShell's value, note what OverriddenNote says of it.
    void CheckDefaultShell(const std::string& name, const TReport& report, const std::string& note);
    void CheckScheme(const std::string& name, const TReport& report, const std::string& note);
    // Findings on the value that source gives key, at its line.
    TReport At(const TSource& source, const TIniKey& key);
    // Findings on the value of key that settings took: at its policy, or at its file's line (the
    // user's file for a key that nothing gives).
    TReport AtValue(const TCorvaneSettings& settings, const TIniKey& key);
    // The file that settings took the value of key from; the user's file for a key that
    // neither file gives.
    TSource SourceOf(const TCorvaneSettings& settings, const TIniKey& key);
    // The line of key in the file; for a key that is not there, the line of the section.
    static int Line(const TSource& source, const TIniKey& key);
    // The text that the file gives key, as the launcher's reader gives it.
    static std::optional<std::string> Given(const TSource& source, const TIniKey& key);
    // For a finding on a value that a policy overrides, or on a value of shells.ini that the
    // user's file gives a value of its own: the words that say so; empty otherwise.
    std::string OverriddenNote(const TSource& source, const TIniKey& key) const;

    TCheckContext& Context_;
    const TCorvaneSettings* Settings_ = nullptr; // while Run runs
    const TShellListIO& Shells_;
    const TSource User_;
    const TSource Shared_;
};

} // namespace corvane
