// The way back to a desktop. Run as the logon shell, a launcher that ends without having
// started any program (its chooser cancelled, nothing configured, a failed start, an error that
// ended the run) would leave the user before an empty screen: it starts Explorer as the shell
// instead, through the same switch as any launch. When that switch fails (a refused registry
// write), the road that just failed is not taken again: Explorer starts without it, as a program,
// which gives at least a window of files.
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

    // How Explorer's start in a shell's place went.
    struct TOutcome {
        platform::ProgramStart Start;
        // The error that stopped the switch before Explorer started, when it was started
        // without it; empty when the switch went as it should.
        std::string SwitchError;
        // The error that stopped the restore of the setting after Explorer had started as the
        // shell (its journal stays for the guard); empty when there was none.
        std::string RestoreError;
    };

    explicit TExplorerFallback(const TShellIO& shellIO) : ShellIO_(shellIO) {}

    // True when this run of the launcher is the logon shell: the shell setting starts this
    // very corvane.exe, and no desktop shell runs yet (a run by hand while a shell runs is not
    // the logon, whatever the setting says). Asked at the start, before the run changes anything.
    bool IsLogonShell() const;
    // %SystemRoot%\explorer.exe.
    static std::string ExplorerPath();
    // Says why in a box, then starts Explorer as the shell, and afterwards says in a box what
    // went wrong on the way, if anything did. True when Explorer started.
    bool Run() const;
    // Starts Explorer as the shell, or without the switch when the switch fails before the
    // start, and says nothing. Errors of the switch go into the outcome.
    TOutcome Start() const;
    // What happened to Explorer, said after what it came instead of:
    //     Explorer was started instead.
    static std::string Instead(const TOutcome& outcome);

private:
    const TShellIO& ShellIO_;
};

} // namespace corvane
