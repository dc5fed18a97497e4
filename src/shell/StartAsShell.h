// Starting a program as the system's shell: the shell setting names it while it starts, and
// afterwards holds again what it held before.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "config/ShellIO.h"
#include "platform/ShellServices.h"

namespace corvane {

// The switch itself: takes the machine-wide switch lock, starts the guard, remembers the shell
// setting in previousShell and in the journal, writes path as the setting and starts path with
// parameters, recording how that start went. When the program started, runs whenStarted (if
// any) with the start and waits 3000 ms handling messages; when it did not, there is nothing to
// wait for. Then puts back what the switch changed and clears the journal. That is put back
// also when any step after the switch fails; the failure then goes on to the caller (after
// whenStarted, when the failure came after the start).
platform::ProgramStart StartAsShell(const TShellIO& shellIO, std::string& previousShell, const std::string& path,
                                    const std::string& parameters,
                                    const std::function<void(const platform::ProgramStart&)>& whenStarted);

// How long the previous setting stays replaced after the launch.
constexpr std::uint32_t LaunchPauseMs = 3000;

// The lock that every launcher of the machine takes for its switch, and how long a launcher
// waits for it while another one's switch runs (which lasts the pause and a little more).
constexpr const char* ShellSwitchLock = "Global\\CorvaneShellSwitch";
constexpr std::uint32_t ShellSwitchLockWaitMs = 15000;

} // namespace corvane
