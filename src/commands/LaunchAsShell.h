// Starting a program as the system's shell: the shell setting names it while it starts, and
// afterwards holds again what it held before.
#pragma once

#include <optional>
#include <string>

#include "script/scrObjAncestor.h"

namespace corvane {

// Warns (through statement) when no file exists at path, remembers the shell setting in
// previousShell, writes path as the setting, starts path with parameters, stores value in the
// variable named variableName (if any), waits 3000 ms handling messages, and puts the earlier
// setting back. The earlier setting is put back also when any step after the switch fails;
// the failure then goes on to the caller.
void LaunchAsShell(TscrObjAncestor& statement, std::string& previousShell, const std::string& path,
                   const std::string& parameters, const std::optional<std::string>& variableName,
                   const std::string& value);

// How long the previous setting stays replaced after the launch.
constexpr std::uint32_t LaunchPauseMs = 3000;

} // namespace corvane
