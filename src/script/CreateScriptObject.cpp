#include "script/CreateScriptObject.h"

#include <vector>

#include "platform/Errors.h"
#include "script/scrObjBlock.h"

namespace corvane {

TCreateScriptObject::TCreateScriptObject(const TStatementList& statements, TCorvaneInfo* info,
                                         const TCommandTable& commands)
    : Statements(statements), Info(info), Commands(commands) {}

std::unique_ptr<TscrObjAncestor> TCreateScriptObject::Create(const std::string& keyword, const TStringList& args,
                                                             int index) {
    const TCommandInfo* command = Commands.Find(keyword);
    return command != nullptr ? command->Create(args, Info, Variables_, index) : nullptr;
}

// Blocks pair like parentheses: a closing statement closes the nearest block still open.
std::unique_ptr<TscrObjAncestor> TCreateScriptObject::MakeList() {
    std::vector<TscrObjBlock*> openBlocks;
    std::unique_ptr<TscrObjAncestor> head;
    TscrObjAncestor* last = nullptr;
    for (std::size_t i = 0; i < Statements.size(); ++i) {
        const TStatementEntry& entry = Statements[i];
        const TCommandInfo* command = Commands.Find(entry.Keyword);
        if (command == nullptr) {
            continue;
        }
        std::unique_ptr<TscrObjAncestor> statement = command->Create(entry.Args, Info, Variables_, static_cast<int>(i));
        if (command->Block == TBlockRole::Opens) {
            openBlocks.push_back(&dynamic_cast<TscrObjBlock&>(*statement));
        } else if (command->Block == TBlockRole::Closes) {
            if (openBlocks.empty()) {
                throw EListError(-1); // an "end" with no "ifeq" to close
            }
            openBlocks.back()->MatchingEnd = statement.get();
            openBlocks.pop_back();
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
