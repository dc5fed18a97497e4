#include "app/RunScript.h"

#include <memory>

#include "config/CorvaneInfo.h"
#include "platform/Platform.h"
#include "script/ParseScript.h"

namespace corvane {

namespace {
// Run-wide objects: created once and kept until the process ends, since the statements
// built from the script refer to the context and to the parser's lists.
std::unique_ptr<TCorvaneInfo> Info;
std::unique_ptr<TStringList> ScriptLines;
std::unique_ptr<TParseScript> Parser;
} // namespace

TRunScript::TRunScript() {
    Info = std::make_unique<TCorvaneInfo>();

    ScriptLines = std::make_unique<TStringList>(Info->ScriptIO.ReadScript());
    Parser = std::make_unique<TParseScript>(*ScriptLines);
    Parser->Parse();
}

} // namespace corvane
