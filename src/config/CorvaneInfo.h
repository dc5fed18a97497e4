// The launcher's context: everything that is configured, read once at start-up from the
// program folder (the executable's folder) and never changed afterwards, and the count of the
// programs that the run started. Created before the script is read; every statement and the
// chooser window are handed it.
#pragma once

#include <string>

#include "config/ColoursIO.h"
#include "config/CorvaneSettings.h"
#include "config/FormMetricsIO.h"
#include "config/IniFile.h"
#include "config/LastShellIO.h"
#include "config/PreferredShell.h"
#include "config/ShellIO.h"
#include "config/ShellList.h"
#include "config/ShellListIO.h"
#include "config/ShellScriptIO.h"

namespace corvane {

class TCorvaneInfo {
public:
    static constexpr const char* UserFileMissing = "User settings file not found, creating new settings file.";
    static constexpr const char* ShellsFileMissing = "Shell settings file not found, creating new settings file.";
    static constexpr const char* UnknownUser = "default";

    // Reads the whole configuration. A missing per-user settings file or shell list file is
    // reported and created empty; errors in the shell list pass to the caller.
    TCorvaneInfo();
    TCorvaneInfo(const TCorvaneInfo&) = delete;
    TCorvaneInfo& operator=(const TCorvaneInfo&) = delete;

    // The files of a program folder (which ends with "\"): the user's settings file and the
    // shell list file.
    static std::string UserFile(const std::string& programFolder, const std::string& userName);
    static std::string ShellsFile(const std::string& programFolder);

    // The log-on name of the current user, or "default" when the system does not give one.
    static std::string GetCurrentUserName();
    // The folder of the running executable, with its trailing "\".
    static std::string FindProgramFolder();

    // The members in the order in which they are built.
    const std::string ProgramFolder;
    const std::string UserName;
    const TIniFile UserIni;   // program folder + user name + ".ini"
    const TIniFile ShellsIni; // program folder + "shells.ini"
    const TShellListIO ShellListIO;
    const TShellList ShellList; // sorted by name
    const TShellScriptIO ScriptIO;
    const TCorvaneSettings Settings;
    const TLastShellIO LastShellIO; // reads the registry only when the settings remember the last shell
    const TPreferredShell PreferredShell; // the remembered shell or the default shell
    const TColoursIO ColoursIO;
    const TFormMetricsIO FormMetricsIO;
    const TShellIO ShellIO;

    // The one thing a run changes: how many programs its statements started (loadshell,
    // execshell and exec count each start that the system took).
    int ProgramsStarted = 0;
};

} // namespace corvane
