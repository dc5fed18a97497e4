#include "script/CommandTable.h"

#include <algorithm>

namespace corvane {

const TCommandInfo* TCommandTable::Find(std::string_view word) const {
    const auto found = std::find_if(Commands_.begin(), Commands_.end(),
                                    [word](const TCommandInfo& command) { return command.Keyword == word; });
    return found == Commands_.end() ? nullptr : &*found;
}

} // namespace corvane
