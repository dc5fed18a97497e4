#include "app/RunScript.h"

#include "commands/scrObjLoadShell.h"
#include "config/CorvaneInfo.h"
#include "platform/Platform.h"
#include "script/CreateScriptObject.h"
#include "script/ParseScript.h"

namespace corvane {

namespace {
// Run-wide objects: created once and kept until the process ends, since the statements
// built from the script refer to the context, the parser's lists and the factory's variables.
std::unique_ptr<TCorvaneInfo> Info;
std::unique_ptr<TStringList> ScriptLines;
std::unique_ptr<TParseScript> Parser;
std::unique_ptr<TCreateScriptObject> Factory;
// The default statement's arguments and variables, which are its own.
const TStringList NoArguments;
std::unique_ptr<TStringVariables> DefaultVariables;
} // namespace

TRunScript::TRunScript() {
    Info = std::make_unique<TCorvaneInfo>();
    ScriptLines = std::make_unique<TStringList>(Info->ScriptIO.ReadScript());
    Parser = std::make_unique<TParseScript>(*ScriptLines);
    Factory = std::make_unique<TCreateScriptObject>(Parser->Parse(), Info.get());

    std::unique_ptr<TscrObjAncestor> first = Factory->MakeList();
    if (!first) {
        // A script without statements runs "loadshell" without a variable. It is numbered as
        // the second statement, with a variable table of its own.
        DefaultVariables = std::make_unique<TStringVariables>();
        first = std::make_unique<TscrObjLoadShell>(NoArguments, Info.get(), *DefaultVariables, 1);
    }
    RunList(std::move(first));
}

void TRunScript::RunList(std::unique_ptr<TscrObjAncestor> first) {
    std::unique_ptr<TscrObjAncestor> current = std::move(first);
    while (current) {
        current->Execute();
        std::unique_ptr<TscrObjAncestor> next = std::move(current->Next);
        current.reset();
        current = std::move(next);
    }
}

} // namespace corvane
