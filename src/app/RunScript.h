// The run object: its constructor performs the whole run of the launcher script.
#pragma once

#include <memory>

namespace corvane {

class TscrObjAncestor;

class TRunScript {
public:
    TRunScript();

    // Executes each statement, then takes its Next, then frees it, until the list ends.
    static void RunList(std::unique_ptr<TscrObjAncestor> first);
};

} // namespace corvane
