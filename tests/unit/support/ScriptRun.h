// Builds and runs script text the way the launcher does, against the fake platform.
#pragma once

#include <memory>
#include <string>

#include "app/RunScript.h"
#include "commands/editconsts.h"
#include "config/ShellScriptIO.h"
#include "script/CreateScriptObject.h"
#include "script/ParseScript.h"

namespace corvane::testing {

struct ScriptRun {
    explicit ScriptRun(const std::string& text, TCorvaneInfo* info = nullptr)
        : lines(TShellScriptIO::SplitLines(text)), parser(lines, editconsts::Commands()) {
        factory = std::make_unique<TCreateScriptObject>(parser.Parse(), info, editconsts::Commands());
    }
    std::unique_ptr<TscrObjAncestor> MakeList() { return factory->MakeList(); }
    void Run() { TRunScript::RunList(MakeList()); }
    TStringVariables& Vars() { return factory->Variables(); }

    TStringList lines;
    TParseScript parser;
    std::unique_ptr<TCreateScriptObject> factory;
};

} // namespace corvane::testing
