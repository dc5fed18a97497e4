// The "loadshell (var)" statement: lets the user choose a shell (or takes the default shell),
// applies its wallpaper and starts it as the system's shell.
#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "script/scrObjAncestor.h"

namespace corvane {

class TShellListItem;

class TscrObjLoadShell final : public TscrObjAncestor {
public:
    using TscrObjAncestor::TscrObjAncestor;
    void Execute() override;

    // The name of the wallpaper file that a shell's picture is converted to, in the program
    // folder, or when that cannot be written, in this folder of the user's local application data.
    static constexpr const char* WallpaperFile = "wallpaper.bmp";
    static constexpr const char* UserWallpaperFolder = platform::UserDataFolderName;
    // The wallpaper file in the user's own folder; empty when the system names none.
    static std::string UserWallpaperFile();

    // The shell setting as it was read just before the switch; written back after the pause.
    std::string PreviousShell;

private:
    // The shell the user picks in the chooser window, or none.
    const TShellListItem* ChooseShell();
};

} // namespace corvane
