// The run object: its constructor performs the whole run of the launcher script.
#pragma once

namespace corvane {

class TRunScript {
public:
    TRunScript();
};

} // namespace corvane
