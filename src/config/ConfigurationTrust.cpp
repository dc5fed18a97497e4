#include "config/ConfigurationTrust.h"

#include <algorithm>
#include <optional>

#include "config/ColoursIO.h"
#include "config/CorvaneInfo.h"
#include "config/CorvaneSettings.h"
#include "config/SecurityDescriptor.h"
#include "config/ShellListIO.h"
#include "config/ShellScriptIO.h"
#include "platform/Errors.h"
#include "platform/FileSecurity.h"
#include "platform/Platform.h"
#include "text/DelimitedText.h"

namespace corvane {

TConfigurationTrust::TConfigurationTrust(std::string programFolder, std::string userName, bool usersOwn)
    : ProgramFolder_(std::move(programFolder)), UserName_(std::move(userName)), UsersOwn_(usersOwn) {}

namespace {
struct TPlace {
    std::string Path;
    bool Folder;
};

// Every program that shells.ini names, as far as the list can be read.
std::vector<std::string> ShellPrograms(const TIniFile& shellsIni) {
    std::vector<std::string> programs;
    try {
        for (const auto& entry : TShellListIO(shellsIni).ReadShellList()) programs.push_back(entry.Item->Path);
    } catch (const ECorvaneError&) {
        // a list that cannot be read starts no program
    }
    return programs;
}
} // namespace

std::vector<TConfigurationTrust::TFinding> TConfigurationTrust::Check() const {
    platform::FileSystem& files = platform::Files();
    platform::FileSecurity& security = platform::Security();
    const TIniFile userIni(TCorvaneInfo::UserFile(ProgramFolder_, UserName_));
    const TIniFile shellsIni(TCorvaneInfo::ShellsFile(ProgramFolder_));
    const TCorvaneSettings settings(userIni, shellsIni, TPolicyIO(TCorvaneSettings::Keys));
    std::vector<TPlace> places{{ProgramFolder_, true},
                               {files.ExePath(), false},
                               {TShellScriptIO(userIni).ScriptFile, false},
                               {shellsIni.FileName(), false},
                               {ProgramFolder_ + TColoursIO::SchemesFolder, true},
                               {userIni.FileName(), false},
                               {TColoursIO::SchemeFileOf(ProgramFolder_, settings.ColourSchemeName), false}};
    for (const std::string& program : ShellPrograms(shellsIni)) places.push_back({program, false});

    const std::string user = security.CurrentUser();
    const auto isKeeper = [&](const std::string& sid) {
        return sid == TSecurityDescriptor::Administrators || sid == TSecurityDescriptor::System ||
               sid == TSecurityDescriptor::TrustedInstaller || (UsersOwn_ && sid == user);
    };
    const auto isAdministrator = [&security](const std::string& sid) { return security.IsAdministrator(sid); };
    std::vector<TFinding> findings;
    std::vector<std::string> seen;
    for (const TPlace& place : places) {
        const bool there = place.Folder ? files.FolderExists(place.Path) : files.FileExists(place.Path);
        if (!there || std::find(seen.begin(), seen.end(), place.Path) != seen.end()) continue;
        seen.push_back(place.Path);
        const std::optional<std::string> sddl = security.Descriptor(place.Path);
        const std::optional<TSecurityDescriptor> descriptor = sddl ? TSecurityDescriptor::Parse(*sddl) : std::nullopt;
        if (!descriptor) continue;
        TFinding finding{place.Path, place.Folder, descriptor->ChangeableBy(place.Folder, isKeeper, isAdministrator), {}};
        if (finding.Sids.empty()) continue;
        for (const std::string& sid : finding.Sids) finding.Names.push_back(security.AccountName(sid));
        findings.push_back(std::move(finding));
    }
    return findings;
}

namespace {
// A folder is named without its closing "\", as icacls takes it (a drive's root keeps it).
std::string ShownPath(const TConfigurationTrust::TFinding& finding) {
    std::string path = finding.Path;
    if (finding.Folder && path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}
} // namespace

std::string TConfigurationTrust::ChangedBy(const TFinding& finding) {
    return "can be changed by " + JoinedText(finding.Names, ", ");
}

std::string TConfigurationTrust::Described(const TFinding& finding) { return ShownPath(finding) + " " + ChangedBy(finding); }

std::string TConfigurationTrust::InstallRefused(const TFinding& finding) {
    return "Corvane does not become the shell of every user of this machine, since others could then run their "
           "programs in every logon: " + Described(finding) + ". Nothing changed. To mend it, " + HowToMend(finding);
}

std::string TConfigurationTrust::LogonRefused(const TFinding& finding) {
    return "Corvane runs none of its configuration at this logon: " + Described(finding) +
           ", and Corvane is the shell of every user. An administrator can mend it: " + HowToMend(finding);
}

std::string TConfigurationTrust::HowToMend(const TFinding& finding) {
    const std::string path = ShownPath(finding);
    if (!platform::Security().SystemPermissions()) {
        return "take the write rights of the group and of others away: chmod go-w \"" + (path.empty() ? "." : path) + "\"";
    }
    std::string mend = "put Corvane in a folder that only administrators can change (such as C:\\Program Files\\Corvane), "
                       "or take those rights away:";
    for (const std::string& sid : finding.Sids) {
        mend += "\n  icacls \"" + path + "\" /inheritance:d /remove:g *" + sid;
    }
    return mend;
}

} // namespace corvane
