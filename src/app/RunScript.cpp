#include "app/RunScript.h"

#include <memory>

#include "config/IniFile.h"
#include "config/ShellScriptIO.h"
#include "platform/Platform.h"
#include "script/ParseScript.h"

namespace corvane {

namespace {
// Run-wide objects: created once and kept until the process ends, since the statements
// built from the script refer to the parser's lists.
std::unique_ptr<TStringList> ScriptLines;
std::unique_ptr<TParseScript> Parser;

std::string ProgramFolder() {
    const std::string exe = platform::Files().ExePath();
    const std::size_t cut = exe.find_last_of('\\');
    return cut == std::string::npos ? std::string() : exe.substr(0, cut + 1);
}
} // namespace

TRunScript::TRunScript() {
    const std::string user = platform::System().UserName().value_or("default");
    const TIniFile userIni(ProgramFolder() + user + ".ini");
    const TShellScriptIO scriptIO(userIni);

    ScriptLines = std::make_unique<TStringList>(scriptIO.ReadScript());
    Parser = std::make_unique<TParseScript>(*ScriptLines);
    Parser->Parse();
}

} // namespace corvane
