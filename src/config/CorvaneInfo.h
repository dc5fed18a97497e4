// The launcher's context: everything that is configured, read once at start-up from the
// program folder (the executable's folder) and never changed afterwards. Created before the script is read; every statement and the
// chooser window are handed it.
#pragma once

#include <string>

#include "config/AllowedShells.h"
#include "config/ColoursIO.h"
#include "config/CorvaneSettings.h"
#include "config/FormMetricsIO.h"
#include "config/IniFile.h"
#include "config/LastShellIO.h"
#include "config/PolicyIO.h"
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
    static constexpr const char* ShellsFileName = "shells.ini";
    // What is said instead when the missing file cannot be created in folder (a program folder
    // that the user may only read): fileName is the file's name without its folder.
    static std::string UserFileUncreatable(const std::string& folder, const std::string& fileName);
    static std::string ShellsFileUncreatable(const std::string& folder, const std::string& fileName);

    // Reads the whole configuration. A missing shell list file is created empty and reported,
    // and so is a missing per-user settings file unless the shell list file has a [Settings]
    // section, which then gives the settings without a word. A file that cannot be created is
    // reported as such, and the run goes on without it. Errors in the shell list pass to the
    // caller. Policies that are not in force are named in the logon record.
    TCorvaneInfo();
    TCorvaneInfo(const TCorvaneInfo&) = delete;
    TCorvaneInfo& operator=(const TCorvaneInfo&) = delete;

    // The files of a program folder (which ends with "\"): the user's settings file and the
    // shell list file.
    static std::string UserFile(const std::string& programFolder, const std::string& userName);
    static std::string ShellsFile(const std::string& programFolder);
    // Whether the shell list file gives every user's settings: it has a [Settings] section,
    // with keys or without. A user's own file is then created by no one.
    static bool HasSharedSettings(const TIniFile& shellsIni) { return shellsIni.HasSection(TCorvaneSettings::Section); }

    // The log-on name of the current user, or "default" when the system does not give one.
    static std::string GetCurrentUserName();
    // The folder of the running executable, with its trailing "\".
    static std::string FindProgramFolder();

    // The members in the order in which they are built.
    const std::string ProgramFolder;
    const std::string UserName;
    // The shell list file has a [Settings] section: every user's settings, which a user's own
    // file need not be there for.
    const bool SharedSettings;
    const TIniFile UserIni;   // program folder + user name + ".ini"
    const TIniFile ShellsIni; // program folder + "shells.ini"
    const TShellListIO ShellListIO;
    const TPolicyIO Policies; // the settings that Group Policy sets
    const TAllowedShells AllowedShells;
    const TShellList ShellList; // the shells that AllowedShells allows (all without it), sorted by name
    const TShellScriptIO ScriptIO;
    const TCorvaneSettings Settings;
    const TLastShellIO LastShellIO; // reads the registry only when the settings remember the last shell
    const TPreferredShell PreferredShell; // the remembered shell or the default shell
    const TColoursIO ColoursIO;
    const TFormMetricsIO FormMetricsIO;
    const TShellIO ShellIO;
};

} // namespace corvane
