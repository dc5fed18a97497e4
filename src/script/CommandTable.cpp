#include "script/CommandTable.h"

#include <algorithm>

#include "platform/Errors.h"

namespace corvane {

const TCommandInfo* TCommandTable::Find(std::string_view word) const {
    const auto found = std::find_if(Commands_.begin(), Commands_.end(),
                                    [word](const TCommandInfo& command) { return command.Keyword == word; });
    return found == Commands_.end() ? nullptr : &*found;
}

TArgumentProblem MissingArgument(const TCommandInfo& command, const TStringList& args, int position,
                                 std::string_view when) {
    const auto count = [](std::size_t n) { return std::to_string(n) + (n == 1 ? " argument" : " arguments"); };
    std::string text = std::string(command.Syntax) + " reads " + count(static_cast<std::size_t>(command.Arguments)) +
                       " but this line gives " + count(args.size()) + ": ";
    if (!when.empty()) text += std::string(when) + " ";
    return {true, text + "the run stops here with \"" + EListError(position).what() + "\""};
}

} // namespace corvane
