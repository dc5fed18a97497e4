// The watcher of a crash protected shell: a corvane.exe without a window that waits on the
// shell's process for as long as the session lasts. A shell that ends with an error (a crash,
// an abort) is started again as the shell, through the same switch as any launch; one that
// ends too often within a minute gives way to Explorer. A clean exit ends the watch.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "config/ShellIO.h"
#include "platform/Processes.h"
#include "platform/ShellServices.h"
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
    static std::string EndedTooOften(const std::string& name, int ends, const platform::ProgramStart& explorer);
    // True when a start of the program at path gives its own process, which can be watched; a
    // document (or a shortcut) is opened by another program, which may already run.
    static bool CanWatch(const std::string& path);
    // Starts the watcher of shell, which holds process from then on; false when it cannot be
    // started (the shell then runs unwatched).
    static bool StartFor(const TShell& shell, const platform::HeldProcess& process);
    // The shell and its process of a watcher's command line (the arguments after the option);
    // nothing when they are not one.
    struct TWatch {
        TShell Shell;
        std::shared_ptr<platform::HeldProcess> Process;
    };
    static std::optional<TWatch> FromArguments(const TStringList& arguments);

    TShellWatcher(const TShellIO& shellIO, TShell shell) : ShellIO_(shellIO), Shell_(std::move(shell)) {}

    // Watches process, restarting the shell as it must, until the shell ends cleanly, Explorer
    // has taken its place or the session ends. Another watcher of the same shell in this session
    // leaves the watch to that one. Returns the exit code of the watcher.
    int Run(std::shared_ptr<platform::HeldProcess> process) const;

private:
    const TShellIO& ShellIO_;
    TShell Shell_;
};

} // namespace corvane
