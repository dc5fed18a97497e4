// The command line of corvane.exe. An option is recognised only as the first argument; without
// one the launcher runs its script as always. Every option first puts back a shell setting that
// an earlier launch left switched (as every start of corvane.exe does), then does its work and
// writes what it did through the platform's output. Exit codes: 0 done, 1 failed (the output
// says why), 2 an unknown option or bad arguments.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/StringList.h"

namespace corvane {

class TCommandLine {
public:
    static constexpr int ExitDone = 0;
    static constexpr int ExitFailed = 1;
    static constexpr int ExitUsage = 2;

    // The options that people give (the launcher's own ones are named where they act).
    static constexpr const char* HelpOption = "--help";
    static constexpr const char* HelpAlias = "/?";
    static constexpr const char* VersionOption = "--version";
    static constexpr const char* InstallOption = "--install";
    static constexpr const char* UninstallOption = "--uninstall";
    static constexpr const char* RecoverOption = "--recover";
    static constexpr const char* CheckOption = "--check";
    // After --install or --uninstall: every user's shell, not the current user's.
    static constexpr const char* AllUsersOption = "--all-users";
    // Given anywhere on the command line, the option reports nothing, neither on a console nor in
    // a box: only its exit code tells how it went.
    static constexpr const char* QuietOption = "--quiet";

    // What an option reports, and whether it is worth a message box when there is neither a
    // redirected standard output nor a console to take it.
    struct TOutput {
        std::string Text;
        bool WorthABox = true;
    };

    struct TOption {
        std::string_view Name; // such as "--install"
        std::string Arguments; // what follows it, for the help
        std::string Help;      // one line
        // Does the work with the arguments after the option; adds what it reports to output
        // and returns the exit code.
        int (*Run)(const TStringList& arguments, TOutput& output);
        // Given by the launcher itself (its guard, a shell's watcher), never by people: it reports
        // nothing, since it runs without a window or a console.
        bool GivenByLauncher = false;
    };

    // True when the first argument asks for an option: it begins with "-", or is "/?".
    static bool IsOption(const TStringList& arguments);
    // True when the arguments ask for an option that only the launcher itself gives (its guard,
    // a shell's watcher).
    static bool IsLaunchersOwn(const TStringList& arguments);
    // Runs the option that the first argument other than QuietOption names, and returns the
    // exit code.
    static int Run(const TStringList& arguments);

    static const std::vector<TOption>& Options();

    // The arguments as the logon record shows them, separated by blanks, each one with blanks
    // (or none at all) in quotes.
    static std::string Shown(const TStringList& arguments);
};

} // namespace corvane
