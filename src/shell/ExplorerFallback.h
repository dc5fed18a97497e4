// The way back to a desktop. Run as the logon shell, a launcher that ends without having
// started any program (its chooser cancelled, nothing configured, a failed start, an error that
// ended the run) would leave the user before an empty screen: it starts Explorer as the shell
// instead, through the same switch as any launch.
#pragma once

#include <string>

#include "config/ShellIO.h"
#include "platform/ShellServices.h"

namespace corvane {

class TExplorerFallback {
public:
    // What the box before the fallback says.
    static constexpr const char* NothingStarted = "No shell was started; starting Explorer so that you have a desktop.";
    // Explorer's file in the Windows folder.
    static constexpr const char* ExplorerFile = "explorer.exe";

    explicit TExplorerFallback(const TShellIO& shellIO) : ShellIO_(shellIO) {}

    // True when this run of the launcher is the logon shell: the shell setting starts this
    // very corvane.exe. Asked at the start, before the run changes anything.
    bool IsLogonShell() const;
    // %SystemRoot%\explorer.exe.
    static std::string ExplorerPath();
    // Says why in a box, then starts Explorer as the shell; a start that fails is said with the
    // system's reason. Errors of the switch pass to the caller. True when Explorer started.
    bool Run() const;
    // Starts Explorer as the shell and says nothing. Errors of the switch pass to the caller.
    platform::ProgramStart Start() const;

private:
    const TShellIO& ShellIO_;
};

} // namespace corvane
