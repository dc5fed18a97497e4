// The check of the script, script.txt, read and parsed as the launcher reads and parses it:
// lines that the parser drops although they look like statements (a first word close to a
// keyword); statements whose keyword has digits after it; argument texts that no ")" ends and
// quotes that are never closed; statements with fewer or more arguments than they read; blocks
// that do not pair; variables that are read but never set, references that are never closed or
// never expanded; programs that are not there. Every finding names the script line and the
// statement number that the launcher's own messages use.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/CheckContext.h"
#include "script/CommandTable.h"
#include "script/ParseScript.h"

namespace corvane {

class TScriptCheck {
public:
    TScriptCheck(TCheckContext& context, std::string scriptFile);
    void Run();

private:
    void CheckText(std::string_view text);
    void CheckDropped(int line, std::string_view text, int nextStatement);
    void CheckStatement(const TStatementEntry& entry, int number, std::string_view text);
    void CheckArgumentText(const TStatementEntry& entry, int number, std::string_view text);
    void CheckBlocks(const TStatementList& statements);
    void CheckVariables(const TStatementList& statements);
    void CheckReads(const TStatementEntry& entry, int number, const TCommandInfo& command,
                    const std::vector<std::string>& setNames);
    void CheckProgram(const TStatementEntry& entry, int number, const TCommandInfo& command);
    // A keyword that word was probably meant to be: a slip of the keyboard, or a keyword that it
    // begins with or that begins with it.
    std::optional<std::string> MeantKeyword(std::string_view word) const;

    void Error(int line, int statement, const std::string& text);
    void Warning(int line, int statement, const std::string& text);

    TCheckContext& Context_;
    std::string File_;
    std::string Shown_;
    const TCommandTable& Commands_;
};

} // namespace corvane
