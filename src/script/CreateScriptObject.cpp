#include "script/CreateScriptObject.h"

#include <vector>

#include "platform/Errors.h"
#include "script/scrObjBlock.h"

namespace corvane {

TCreateScriptObject::TCreateScriptObject(TStatementList statements, TCorvaneInfo* info, const TCommandTable& commands)
    : Statements(std::move(statements)), Info(info), Commands(commands) {}

std::unique_ptr<TscrObjAncestor> TCreateScriptObject::Create(const std::string& keyword, const TStringList& args,
                                                             int index) {
    const TCommandInfo* command = Commands.Find(keyword);
    return command != nullptr ? command->Create(args, Info, Variables_, index) : nullptr;
}

// A closing statement closes the nearest block still open.
std::vector<int> TCreateScriptObject::PairBlocks(const TStatementList& statements, const TCommandTable& commands) {
    std::vector<int> partner(statements.size(), -1);
    std::vector<int> openBlocks;
    for (std::size_t i = 0; i < statements.size(); ++i) {
        const TCommandInfo* command = commands.Find(statements[i].Keyword);
        if (command == nullptr) continue;
        if (command->Block == TBlockRole::Opens) {
            openBlocks.push_back(static_cast<int>(i));
        } else if (command->Block == TBlockRole::Closes && !openBlocks.empty()) {
            partner[i] = openBlocks.back();
            partner[static_cast<std::size_t>(openBlocks.back())] = static_cast<int>(i);
            openBlocks.pop_back();
        }
    }
    return partner;
}

// Every block-opening statement learns the statement that closes its block.
std::unique_ptr<TscrObjAncestor> TCreateScriptObject::MakeList() {
    const std::vector<int> partner = PairBlocks(Statements, Commands);
    std::vector<TscrObjBlock*> blocks(Statements.size(), nullptr);
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
            blocks[i] = &dynamic_cast<TscrObjBlock&>(*statement);
        } else if (command->Block == TBlockRole::Closes) {
            if (partner[i] < 0) {
                throw EListError(-1); // an "end" with no "ifeq" to close
            }
            blocks[static_cast<std::size_t>(partner[i])]->MatchingEnd = statement.get();
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
