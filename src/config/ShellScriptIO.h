// Finds "script.txt" beside the per-user settings file and delivers its lines, or the
// built-in default script (whose one statement is "loadshell (shell)") when there is none.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "config/IniFile.h"
#include "text/StringList.h"

namespace corvane {

class TShellScriptIO {
public:
    // What the launcher says when there is no script file.
    static constexpr const char* NoScriptMessage = "No script found, loading default";

    explicit TShellScriptIO(const TIniFile& iniFile);

    // The lines of the script file, decoded as TTextFile says, or the default script after
    // NoScriptMessage. Raises EFOpenError when the file exists but cannot be opened, EReadError
    // when it cannot be read to its end, EEncodingError when its Unicode text is broken.
    TStringList ReadScript() const;

    // Splits text into lines: a line ends at CR, LF or CR LF; a NUL ends the text; a line
    // break at the very end adds no empty line.
    static TStringList SplitLines(std::string_view text);

    static const std::array<std::string_view, 7> DefaultScript;

    // Full path of the script file.
    std::string ScriptFile;
};

} // namespace corvane
