#include "check/CheckContext.h"

#include "platform/Platform.h"
#include "text/AsciiText.h"

namespace corvane {

std::string TCheckContext::Shown(const std::string& path) const {
    const std::string& folder = Options.ProgramFolder;
    return path.compare(0, folder.size(), folder) == 0 ? path.substr(folder.size()) : path;
}

TNamedFile TCheckContext::Locate(const std::string& path) const {
    TNamedFile file;
    file.Relative = !(path.size() >= 2 && path[1] == ':') && !(!path.empty() && (path[0] == '\\' || path[0] == '/'));
    platform::FileSystem& files = platform::Files();
    if (file.Relative) {
        if (files.FileExists(Options.ProgramFolder + path)) file.Here = Options.ProgramFolder + path;
        return file;
    }
    if (!Options.SystemFiles) {
        Report.Note("programs and pictures named by full paths (C:\\...) are not looked for: this check runs "
                    "without the Windows machine they are on; corvane.exe --check looks for them there");
        return file;
    }
    file.Known = true;
    file.Exists = files.FileExists(path);
    if (file.Exists) file.Here = path;
    return file;
}

std::string TCheckContext::MissingFile(const std::string& said, const std::string& then) {
    return "the file is missing: at logon the launcher says " + Quoted(said) + then;
}

std::string TCheckContext::RelativeWarning(const std::string& what, const std::string& path) {
    return what + " " + Quoted(path) +
           " is a relative path: the launcher looks for it in the folder it runs in, which at logon is not "
           "the program folder; write the full path";
}

} // namespace corvane
