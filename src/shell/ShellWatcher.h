// The watcher of a crash protected shell: a corvane.exe without a window that waits on the
// shell's process for as long as the session lasts. A shell that ends with an error (a crash,
// an abort) is started again as the shell, through the same switch as any launch; one that
// ends too often within a minute gives way to Explorer, and so does one whose restart fails.
// A clean exit ends the watch. Every start of a crash protected shell gets a watcher of its own,
// which holds that start's process and nothing else of its launcher's.
//
// What it does not watch: shells without the crash protected field, and programs that
// execshell starts by path; a shell started as a document or shortcut (the process is another
// program's, which may run already); the programs that a shell starts in turn; a shell that
// ends with exit code 0 (its own choice) or while the session ends; and itself: a watcher that
// is killed is not replaced.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "config/ShellIO.h"
#include "platform/Processes.h"
#include "platform/ShellServices.h"
#include "shell/ExplorerFallback.h"
#include "text/StringList.h"

namespace corvane {

class TShellWatcher {
public:
    // The command-line option that starts corvane.exe as a shell's watcher, and what follows it.
    static constexpr const char* Option = "--watch";
    static constexpr const char* OptionArguments = "HOLD NAME PROGRAM PARAMETERS";

    struct TShell {
        std::string Name;
        std::string Path;
        std::string Parameters;
    };

    // The box when the shell ended too often, after Explorer's start in its place.
    static std::string EndedTooOften(const std::string& name, int ends, const TExplorerFallback::TOutcome& explorer);
    // The box when the shell's restart failed (what says why), after Explorer's start in its place.
    static std::string RestartFailed(const std::string& name, const std::string& why,
                                     const TExplorerFallback::TOutcome& explorer);
    // True when a start of the program at path gives its own process, which can be watched; a
    // document (or a shortcut) is opened by another program, which may already run.
    static bool CanWatch(const std::string& path);
    // Starts the watcher of this start of shell, which holds the start's process from then on;
    // false when it cannot be (no process of its own, or no watcher started): the shell then runs
    // unwatched, and the logon record says why.
    static bool StartFor(const TShell& shell, const platform::ProgramStart& start);
    // The shell and its process of a watcher's command line (the arguments after the option);
    // nothing when they are not one.
    struct TWatch {
        TShell Shell;
        std::shared_ptr<platform::HeldProcess> Process;
    };
    static std::optional<TWatch> FromArguments(const TStringList& arguments);

    TShellWatcher(const TShellIO& shellIO, TShell shell) : ShellIO_(shellIO), Shell_(std::move(shell)) {}

    // Watches process, restarting the shell as it must, until the shell ends cleanly, Explorer
    // has taken its place or the session ends. Returns the exit code of the watcher: 1 when
    // Explorer could not be started in the shell's place.
    int Run(std::shared_ptr<platform::HeldProcess> process) const;

private:
    // Starts Explorer in the shell's place, then says why (the box's text given Explorer's
    // outcome); the watcher's exit code.
    int GiveExplorer(const std::function<std::string(const TExplorerFallback::TOutcome&)>& say) const;

    const TShellIO& ShellIO_;
    TShell Shell_;
};

} // namespace corvane
