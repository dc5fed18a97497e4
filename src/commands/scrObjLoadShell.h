// The "loadshell (var)" statement: lets the user choose a shell (or takes the default shell),
// applies its wallpaper and starts it as the system's shell.
#pragma once

#include <string>

#include "script/scrObjAncestor.h"

namespace corvane {

class TShellListItem;

class TscrObjLoadShell final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override;

    // The name of the wallpaper file that a shell's picture is converted to, in the program folder.
    static constexpr const char* WallpaperFile = "wallpaper.bmp";

    // The shell setting as it was read just before the switch; written back after the pause.
    std::string PreviousShell;

private:
    // The shell the user picks in the chooser window, or none.
    const TShellListItem* ChooseShell();
};

} // namespace corvane
