// The "loadshell (var)" statement: lets the user choose a shell (or takes the default shell),
// applies its wallpaper and starts it as the system's shell.
#pragma once

#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "script/scrObjAncestor.h"

namespace corvane {

class TShellListItem;

// The warning of a launch whose program is not there, naming the path.
std::string ShellNotFoundWarning(const std::string& path);

// Whether the AllowedShells policy refuses the start of shell (of its program at path when
// shell is null); a refusal is reported as the statement's error.
bool RefusedByPolicy(const TscrObjAncestor& statement, const TShellListItem* shell, const std::string& path);

// The launch of loadshell and execshell: starts nothing that the AllowedShells policy refuses
// (the statement's error says so), warns (through statement) when no file exists at path,
// then starts path as the shell, storing value in the variable named variableName (if any) once
// the program has started. A start that failed is reported as the statement's error and sets no
// variable. A listed shell (shell, when the launch is one) that is crash protected gets its
// watcher as soon as it has started. True when the program started.
bool LaunchAsShell(TscrObjAncestor& statement, std::string& previousShell, const std::string& path,
                   const std::string& parameters, const std::optional<std::string>& variableName,
                   const std::string& value, const TShellListItem* shell = nullptr);

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
