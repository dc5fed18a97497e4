#include "commands/LaunchAsShell.h"

#include "commands/Pause.h"
#include "config/CorvaneInfo.h"
#include "platform/Platform.h"
#include "platform/ShellServices.h"

namespace corvane {

void LaunchAsShell(TscrObjAncestor& statement, std::string& previousShell, const std::string& path,
                   const std::string& parameters, const std::optional<std::string>& variableName,
                   const std::string& value) {
    if (!platform::Files().FileExists(path)) {
        statement.ReportWarning("Shell not found - " + path + " - attempting load anyway");
    }
    const TShellIO& shellIO = statement.Info->ShellIO;
    const TSavedShellSetting saved = shellIO.SaveSetting();
    previousShell = saved.ReadText;
    try {
        shellIO.WriteShell(path);
        platform::Shell().Execute(path, parameters, "");
        if (variableName) {
            statement.Vars.AddVar(*variableName, value);
        }
        Pause(LaunchPauseMs);
    } catch (...) {
        // The setting must not stay switched; the error that stopped the launch is the one to report.
        try {
            shellIO.RestoreSetting(saved);
        } catch (...) {
        }
        throw;
    }
    shellIO.RestoreSetting(saved);
}

} // namespace corvane
