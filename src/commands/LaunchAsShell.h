// Starting a program as the system's shell: the shell setting names it while it starts, and
// afterwards holds again what it held before.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "config/ShellIO.h"
#include "config/ShellListItem.h"
#include "platform/ShellServices.h"
#include "script/scrObjAncestor.h"

namespace corvane {

// The warning of a launch whose program is not there, naming the path.
std::string ShellNotFoundWarning(const std::string& path);

// The error of a start that the system refused, naming the program and the system's reason.
std::string StartFailedError(const std::string& path, const std::string& reason);

// The logon record's line of a start: what started it, the program and its parameters, and
// whether it started (with its process) or why not:
//     shell start "C:\Alt\alt.exe" -x: started, process 1234
//     exec (line 3) "C:\Tools\tool.exe": failed: The system cannot find the file specified.
std::string ProgramStartEvent(const std::string& starter, const std::string& path, const std::string& parameters,
                              const platform::ProgramStart& start);

// The switch itself: takes the machine-wide switch lock, starts the guard, remembers the shell
// setting in previousShell and in the journal, writes path as the setting and starts path with
// parameters, recording how that start went. When the program started, runs whenStarted (if
// any) with the start and waits 3000 ms handling messages; when it did not, there is nothing to
// wait for. Then puts back what the switch
// changed and clears the journal. That is put back also when any step after the switch fails;
// the failure then goes on to the caller.
platform::ProgramStart StartAsShell(const TShellIO& shellIO, std::string& previousShell, const std::string& path,
                                    const std::string& parameters,
                                    const std::function<void(const platform::ProgramStart&)>& whenStarted);

// The launch of a statement: warns (through statement) when no file exists at path, then
// StartAsShell, storing value in the variable named variableName (if any) once the program has
// started. A start that failed is reported as the statement's error and sets no variable.
// A listed shell (shell, when the launch is one) that is crash protected gets its watcher as
// soon as it has started. True when the program started.
bool LaunchAsShell(TscrObjAncestor& statement, std::string& previousShell, const std::string& path,
                   const std::string& parameters, const std::optional<std::string>& variableName,
                   const std::string& value, const TShellListItem* shell = nullptr);

// How long the previous setting stays replaced after the launch.
constexpr std::uint32_t LaunchPauseMs = 3000;

// The lock that every launcher of the machine takes for its switch, and how long a launcher
// waits for it while another one's switch runs (which lasts the pause and a little more).
constexpr const char* ShellSwitchLock = "Global\\CorvaneShellSwitch";
constexpr std::uint32_t ShellSwitchLockWaitMs = 15000;

// The command-line option that starts corvane.exe as the guard of a launcher's switch.
constexpr const char* GuardOption = "--guard";

} // namespace corvane
