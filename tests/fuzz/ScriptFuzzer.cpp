// Any script text, split into lines as the script reader splits them, parses into statements
// that stand on lines of the text in order, and the factory builds their run list or rejects a
// closing statement without its block with EListError.
#include <cstdlib>

#include "FuzzTarget.h"
#include "commands/editconsts.h"
#include "config/ShellScriptIO.h"
#include "platform/Errors.h"
#include "script/CreateScriptObject.h"
#include "script/ParseScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    TStringList lines = TShellScriptIO::SplitLines(fuzzing::Bytes(data, size));
    TParseScript parser(lines, editconsts::Commands());
    const TStatementList& statements = parser.Parse();
    int previous = 0;
    for (const TStatementEntry& entry : statements) {
        if (entry.Line <= previous || entry.Line > static_cast<int>(lines.size())) std::abort();
        previous = entry.Line;
    }
    TCreateScriptObject factory(statements, nullptr, editconsts::Commands());
    try {
        factory.MakeList();
    } catch (const EListError&) {
    }
    return 0;
}
