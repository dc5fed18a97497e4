#include "config/CorvaneInfo.h"

#include "platform/Platform.h"

namespace corvane {

namespace {
// A missing file is reported, then created empty once the message is dismissed. When it
// cannot be created (a read-only program folder) the run goes on with the defaults.
std::string EnsureFile(std::string path, const char* messageWhenMissing) {
    if (!platform::Files().FileExists(path)) {
        platform::Messages().ShowMessage(messageWhenMissing);
        platform::Files().CreateEmptyFile(path);
    }
    return path;
}

TShellList ReadSortedShellList(const TShellListIO& io) {
    TShellList list = io.ReadShellList();
    list.Sort();
    return list;
}
} // namespace

TCorvaneInfo::TCorvaneInfo()
    : ProgramFolder(FindProgramFolder()),
      UserName(GetCurrentUserName()),
      UserIni(EnsureFile(UserFile(ProgramFolder, UserName), UserFileMissing)),
      ShellsIni(EnsureFile(ShellsFile(ProgramFolder), ShellsFileMissing)),
      ShellListIO(ShellsIni),
      ShellList(ReadSortedShellList(ShellListIO)),
      ScriptIO(UserIni),
      Settings(UserIni, ShellListIO),
      LastShellIO(Settings.RememberLastShell),
      PreferredShell(Settings, ShellList, LastShellIO.Remembered()),
      ColoursIO(ProgramFolder, Settings.ColourSchemeName),
      FormMetricsIO(UserIni),
      ShellIO() {}

std::string TCorvaneInfo::UserFile(const std::string& programFolder, const std::string& userName) {
    return programFolder + userName + ".ini";
}

std::string TCorvaneInfo::ShellsFile(const std::string& programFolder) { return programFolder + "shells.ini"; }

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
