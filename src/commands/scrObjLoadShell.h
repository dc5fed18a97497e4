// The "loadshell" statement. Chooses a shell, applies its wallpaper and starts it as the system shell.
#pragma once

#include <string>

#include "script/scrObjAncestor.h"

namespace corvane {

class TscrObjLoadShell final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override;

    // The shell setting as it was read just before the switch; written back after the pause.
    std::string PreviousShell;
};

} // namespace corvane
