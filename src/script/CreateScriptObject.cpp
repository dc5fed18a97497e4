#include "script/CreateScriptObject.h"

#include <vector>

#include "commands/scrObjCopy.h"
#include "commands/scrObjEnd.h"
#include "commands/scrObjExec.h"
#include "commands/scrObjExecShell.h"
#include "commands/scrObjIfEq.h"
#include "commands/scrObjLoadShell.h"
#include "commands/scrObjOption.h"
#include "commands/scrObjShowMessage.h"
#include "platform/Errors.h"
#include "script/editconsts.h"

namespace corvane {

namespace {
// The run's shared variable table; like the run list's other run-wide objects it is kept
// until the process ends.
std::unique_ptr<TStringVariables> SharedVariables;

template <typename T>
std::unique_ptr<TscrObjAncestor> Make(const TStringList& args, TCorvaneInfo* info, TStringVariables& vars, int index) {
    return std::make_unique<T>(args, info, vars, index);
}
} // namespace

TCreateScriptObject::TCreateScriptObject(const TStatementList& statements, TCorvaneInfo* info)
    : Statements(statements), Info(info) {
    SharedVariables = std::make_unique<TStringVariables>();
}

TStringVariables& TCreateScriptObject::Variables() { return *SharedVariables; }

std::unique_ptr<TscrObjAncestor> TCreateScriptObject::Create(const std::string& keyword, const TStringList& args,
                                                             TCorvaneInfo* info, TStringVariables& vars, int index) {
    using namespace editconsts;
    using Factory = std::unique_ptr<TscrObjAncestor> (*)(const TStringList&, TCorvaneInfo*, TStringVariables&, int);
    static constexpr Factory factories[KeywordCount] = {
        Make<TscrObjLoadShell>, Make<TscrObjExecShell>, Make<TscrObjIfEq>, Make<TscrObjEnd>,
        Make<TscrObjExec>,      Make<TscrObjOption>,    Make<TscrObjCopy>, Make<TscrObjShowMessage>,
    };
    for (std::size_t i = 0; i < KeywordCount; ++i) {
        if (Keywords[i] == keyword) {
            return factories[i](args, info, vars, index);
        }
    }
    return nullptr;
}

std::unique_ptr<TscrObjAncestor> TCreateScriptObject::MakeList() {
    std::vector<TscrObjIfEq*> openIfEqs;
    std::unique_ptr<TscrObjAncestor> head;
    TscrObjAncestor* last = nullptr;
    for (std::size_t i = 0; i < Statements.size(); ++i) {
        const TStatementEntry& entry = Statements[i];
        std::unique_ptr<TscrObjAncestor> statement =
            Create(entry.Keyword, entry.Args, Info, *SharedVariables, static_cast<int>(i));
        if (!statement) {
            continue;
        }
        if (auto* ifEq = dynamic_cast<TscrObjIfEq*>(statement.get())) {
            openIfEqs.push_back(ifEq);
        } else if (auto* end = dynamic_cast<TscrObjEnd*>(statement.get())) {
            if (openIfEqs.empty()) {
                throw EListError(-1); // an "end" with no "ifeq" to close
            }
            openIfEqs.back()->MatchingEnd = end;
            openIfEqs.pop_back();
        }
        TscrObjAncestor* created = statement.get();
        if (last == nullptr) {
            head = std::move(statement);
        } else {
            last->Next = std::move(statement);
        }
        last = created;
    }
    return head;
}

} // namespace corvane
