#include "config/CorvaneInfo.h"

#include "platform/Platform.h"
#include "record/EventRecord.h"
#include "record/SystemEvent.h"

namespace corvane {

namespace {
// The program folder as messages name it: without its trailing "\".
std::string FolderShown(const std::string& folder) {
    return folder.size() > 1 && folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
}

// A missing file is created empty, then reported once the run knows whether that worked: a
// program folder that the user may only read (Program Files for a standard user) keeps it from
// being created, and the run goes on without it.
std::string EnsureFile(const std::string& folder, std::string path, const char* created,
                       std::string (*uncreatable)(const std::string&, const std::string&)) {
    if (!platform::Files().FileExists(path)) {
        if (platform::Files().CreateEmptyFile(path)) {
            platform::Messages().ShowMessage(created);
        } else {
            ReportProblem(SystemEvent::WarningReported, uncreatable(FolderShown(folder), path.substr(folder.size())));
        }
    }
    return path;
}

// The user's file, when it is missing, is created only where the shell list file gives no settings.
std::string EnsureUserFile(const std::string& folder, const std::string& userName, bool sharedSettings) {
    std::string path = TCorvaneInfo::UserFile(folder, userName);
    if (sharedSettings) return path;
    return EnsureFile(folder, std::move(path), TCorvaneInfo::UserFileMissing, TCorvaneInfo::UserFileUncreatable);
}

// The shells that the user may choose: those that the policy allows, sorted.
TShellList ReadOfferedShells(const TShellListIO& io, const TAllowedShells& allowed) {
    TShellList list = io.ReadShellList();
    list.Retain([&allowed](const std::string& name) { return allowed.Allows(name); });
    list.Sort();
    return list;
}
} // namespace

TCorvaneInfo::TCorvaneInfo()
    : ProgramFolder(FindProgramFolder()),
      UserName(GetCurrentUserName()),
      SharedSettings(HasSharedSettings(TIniFile(ShellsFile(ProgramFolder)))),
      UserIni(EnsureUserFile(ProgramFolder, UserName, SharedSettings)),
      ShellsIni(EnsureFile(ProgramFolder, ShellsFile(ProgramFolder), ShellsFileMissing, ShellsFileUncreatable)),
      ShellListIO(ShellsIni),
      Policies(TCorvaneSettings::Keys),
      AllowedShells(),
      ShellList(ReadOfferedShells(ShellListIO, AllowedShells)),
      ScriptIO(UserIni),
      Settings(UserIni, ShellListIO, Policies),
      LastShellIO(Settings.RememberLastShell),
      PreferredShell(Settings, ShellList, LastShellIO.Remembered(), AllowedShells),
      ColoursIO(ProgramFolder, Settings.ColourSchemeName),
      FormMetricsIO(UserIni),
      ShellIO() {
    for (const auto* rejected : {&Policies.Rejected(), &AllowedShells.Rejected()}) {
        for (const TPolicyIO::TRejected& value : *rejected) {
            const std::string text = value.Place + ": " + TPolicyIO::NotInForce(value);
            RecordEvent("policy not in force: " + text);
            LogEvent(SystemEvent::PolicyNotInForce, text);
        }
    }
}

std::string TCorvaneInfo::UserFile(const std::string& programFolder, const std::string& userName) {
    return programFolder + userName + ".ini";
}

std::string TCorvaneInfo::ShellsFile(const std::string& programFolder) { return programFolder + ShellsFileName; }

std::string TCorvaneInfo::UserFileUncreatable(const std::string& folder, const std::string& fileName) {
    return "User settings file not found, and " + fileName + " cannot be created in " + folder +
           ": the default settings are used.";
}

std::string TCorvaneInfo::ShellsFileUncreatable(const std::string& folder, const std::string& fileName) {
    return "Shell settings file not found, and " + fileName + " cannot be created in " + folder +
           ": no shell is configured.";
}

std::string TCorvaneInfo::GetCurrentUserName() {
    const std::optional<std::string> name = platform::System().UserName();
    return name && !name->empty() ? *name : UnknownUser;
}

std::string TCorvaneInfo::FindProgramFolder() {
    const std::string exe = platform::Files().ExePath();
    const std::size_t cut = exe.find_last_of('\\');
    return cut == std::string::npos ? std::string() : exe.substr(0, cut + 1);
}

} // namespace corvane
