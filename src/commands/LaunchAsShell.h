// Starting a program as the system's shell: the shell setting names it while it starts, and
// afterwards holds again what it held before.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "script/scrObjAncestor.h"

namespace corvane {

// The warning of a launch whose program is not there, naming the path.
std::string ShellNotFoundWarning(const std::string& path);

// Warns (through statement) when no file exists at path, takes the machine-wide switch lock,
// starts the guard, remembers the shell setting in previousShell and in the journal, writes
// path as the setting, starts path with parameters, stores value in the variable named
// variableName (if any), waits 3000 ms handling messages, puts back what the switch changed and
// clears the journal. That is put back also when any step after the switch fails; the failure
// then goes on to the caller. True when the system started the program.
bool LaunchAsShell(TscrObjAncestor& statement, std::string& previousShell, const std::string& path,
                   const std::string& parameters, const std::optional<std::string>& variableName,
                   const std::string& value);

// How long the previous setting stays replaced after the launch.
constexpr std::uint32_t LaunchPauseMs = 3000;

// The lock that every launcher of the machine takes for its switch, and how long a launcher
// waits for it while another one's switch runs (which lasts the pause and a little more).
constexpr const char* ShellSwitchLock = "Global\\CorvaneShellSwitch";
constexpr std::uint32_t ShellSwitchLockWaitMs = 15000;

// The command-line option that starts corvane.exe as the guard of a launcher's switch.
constexpr const char* GuardOption = "--guard";

} // namespace corvane
