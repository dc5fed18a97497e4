// Whether a configuration can be trusted with other people's logons: corvane.exe runs its script
// and starts the programs its files name in every logon whose shell it is, so whoever can change
// one of those files or their folder can run code in those logons. The configuration is the
// program folder, corvane.exe, script.txt, shells.ini, the schemes folder and the scheme in use,
// the user's settings file and each configured shell's program; each that exists is looked at
// (TSecurityDescriptor says who can change it). Its keepers are Administrators, SYSTEM and
// TrustedInstaller, and for a user's own configuration (their own logon, a per-user install) that
// user too.
#pragma once

#include <string>
#include <vector>

namespace corvane {

class TConfigurationTrust {
public:
    // A file or folder that others can change, and the accounts that can.
    struct TFinding {
        std::string Path;
        bool Folder = false;
        std::vector<std::string> Sids;
        std::vector<std::string> Names; // the accounts as people know them
    };

    // programFolder ends with "\"; userName names the user's settings file; usersOwn: the
    // configuration is that user's own, whose account keeps it too.
    TConfigurationTrust(std::string programFolder, std::string userName, bool usersOwn);

    // Every file and folder of the configuration that others can change, in the order above; a
    // descriptor that cannot be read counts as one that nobody else can change.
    std::vector<TFinding> Check() const;

    // "can be changed by Everyone, BUILTIN\Users"
    static std::string ChangedBy(const TFinding& finding);
    // "C:\Corvane\shells.ini can be changed by Everyone, BUILTIN\Users"
    static std::string Described(const TFinding& finding);
    // What to do about it: put Corvane where only administrators may write, or the icacls lines
    // that take the rights away (where the rights are POSIX bits, the chmod that does).
    static std::string HowToMend(const TFinding& finding);
    // What --install --all-users says when it refuses, and the box of every user's logon that
    // runs none of the configuration.
    static std::string InstallRefused(const TFinding& finding);
    static std::string LogonRefused(const TFinding& finding);

private:
    std::string ProgramFolder_;
    std::string UserName_;
    bool UsersOwn_;
};

} // namespace corvane
