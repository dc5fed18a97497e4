// The run object: its constructor reads the configuration and the script, Run runs it. It owns
// what the run's statements refer to (the context, the script's lines and statement list, the
// factory with the shared variables, the default statement's own variables), so all of it
// outlives every statement.
#pragma once

#include <memory>

#include "config/CorvaneInfo.h"
#include "script/CreateScriptObject.h"
#include "script/ParseScript.h"

namespace corvane {

class TRunScript {
public:
    TRunScript();
    TRunScript(const TRunScript&) = delete;
    TRunScript& operator=(const TRunScript&) = delete;

    // Makes the statement list and runs it; errors that leave a statement pass to the caller.
    void Run();
    // How many programs the run's statements started so far, also when an error ended the run.
    int ProgramsStarted() const { return ProgramsStarted_; }

    // Executes each statement, then takes its Next, then frees it, until the list ends. Adds the
    // programs that the statements started to started (if given), also those of a statement
    // that an error left.
    static void RunList(std::unique_ptr<TscrObjAncestor> first, int* started = nullptr);

private:
    // The statement run when the script holds none: "loadshell" without a variable, numbered
    // as the second statement, with a variable table of its own.
    std::unique_ptr<TscrObjAncestor> DefaultStatement();

    std::unique_ptr<TCorvaneInfo> Info_;
    TStringList Lines_;
    std::unique_ptr<TParseScript> Parser_;
    std::unique_ptr<TCreateScriptObject> Factory_;
    const TStringList NoArguments_;
    TStringVariables DefaultVariables_;
    int ProgramsStarted_ = 0;
};

} // namespace corvane
