#include "config/ShellScriptIO.h"

#include "config/TextFile.h"
#include "platform/Platform.h"
#include "record/SystemEvent.h"

namespace corvane {

const std::array<std::string_view, 7> TShellScriptIO::DefaultScript = {
    "; This script is the most basic that is",
    "; useful, all it does is popup a window",
    "; asking you for your choice of shell.",
    "; See the scripting docs for info on",
    "; how to create more powerful scripts.",
    "",
    "loadshell (shell)",
};

// The script lies in the folder of the settings file: its path up to the last "\" or ":".
TShellScriptIO::TShellScriptIO(const TIniFile& iniFile) {
    const std::string& path = iniFile.FileName();
    const std::size_t cut = path.find_last_of("\\:");
    ScriptFile = (cut == std::string::npos ? std::string() : path.substr(0, cut + 1)) + "script.txt";
}

TStringList TShellScriptIO::SplitLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    TStringList lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(pos));
            break;
        }
        lines.emplace_back(text.substr(pos, end - pos));
        pos = end;
        if (text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
    }
    return lines;
}

TStringList TShellScriptIO::ReadScript() const {
    if (platform::Files().FileExists(ScriptFile)) {
        return SplitLines(TTextFile(platform::Files().ReadFile(ScriptFile), TTextFile::TKind::Script, ScriptFile).Text);
    }
    ReportProblem(SystemEvent::WarningReported, NoScriptMessage);
    return TStringList(DefaultScript.begin(), DefaultScript.end());
}

} // namespace corvane
