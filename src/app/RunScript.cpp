#include "app/RunScript.h"

#include "commands/editconsts.h"
#include "commands/scrObjLoadShell.h"

namespace corvane {

TRunScript::TRunScript() {
    Info_ = std::make_unique<TCorvaneInfo>();
    Lines_ = Info_->ScriptIO.ReadScript();
    const TCommandTable& commands = editconsts::Commands();
    Parser_ = std::make_unique<TParseScript>(Lines_, commands);
    Factory_ = std::make_unique<TCreateScriptObject>(Parser_->Parse(), Info_.get(), commands);
}

void TRunScript::Run() {
    std::unique_ptr<TscrObjAncestor> first = Factory_->MakeList();
    RunList(first ? std::move(first) : DefaultStatement(), &ProgramsStarted_);
}

std::unique_ptr<TscrObjAncestor> TRunScript::DefaultStatement() {
    return std::make_unique<TscrObjLoadShell>(NoArguments_, Info_.get(), DefaultVariables_, 1);
}

void TRunScript::RunList(std::unique_ptr<TscrObjAncestor> first, int* started) {
    std::unique_ptr<TscrObjAncestor> current = std::move(first);
    while (current) {
        try {
            current->Execute();
        } catch (...) {
            if (started != nullptr) *started += current->ProgramsStarted;
            throw;
        }
        if (started != nullptr) *started += current->ProgramsStarted;
        std::unique_ptr<TscrObjAncestor> next = std::move(current->Next);
        current.reset();
        current = std::move(next);
    }
}

} // namespace corvane
