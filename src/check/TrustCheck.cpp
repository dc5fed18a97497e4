#include "check/TrustCheck.h"

#include "config/ConfigurationTrust.h"
#include "config/ShellCommand.h"
#include "config/ShellIO.h"
#include "platform/FileSecurity.h"
#include "platform/Platform.h"

namespace corvane {

void TTrustCheck::Run() {
    const TCheckOptions& options = Context_.Options;
    bool everyUser = false;
    if (platform::Security().SystemPermissions()) {
        everyUser = TShellIO().StartsForEveryUser(options.ProgramFolder + TShellCommand::ProgramName);
    } else {
        Context_.Report.Note("who may change the files is read from their POSIX permission bits (write for the group or "
                             "for others); Windows' own permissions are checked by corvane.exe --check on Windows only");
    }
    for (const auto& finding : TConfigurationTrust(options.ProgramFolder, options.UserName, !everyUser).Check()) {
        const std::string text =
            TConfigurationTrust::ChangedBy(finding) +
            (everyUser ? ": this corvane.exe is the shell of every user, so the launcher runs none of its configuration at "
                         "their logons, and --install --all-users refuses it"
                       : ": whoever that is can run their programs at the logon of a user whose own shell this "
                         "corvane.exe is") +
            "; to mend it, " + TConfigurationTrust::HowToMend(finding);
        const std::string file = Context_.Shown(finding.Path);
        if (everyUser) {
            Context_.Report.Error(file, 0, text);
        } else {
            Context_.Report.Warning(file, 0, text);
        }
    }
}

} // namespace corvane
