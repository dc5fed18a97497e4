// How the start of a program is told: the error of a start that the system refused, and the
// logon record's line of every start, whether as the shell or by exec.
#pragma once

#include <string>

#include "platform/ShellServices.h"

namespace corvane {

// The error of a start that the system refused, naming the program and the system's reason.
std::string StartFailedError(const std::string& path, const std::string& reason);

// The logon record's line of a start: what started it, the program and its parameters, and
// whether it started (with its process) or why not:
//     shell start "C:\Alt\alt.exe" -x: started, process 1234
//     exec (line 3) "C:\Tools\tool.exe": failed: The system cannot find the file specified.
std::string ProgramStartEvent(const std::string& starter, const std::string& path, const std::string& parameters,
                              const platform::ProgramStart& start);

} // namespace corvane
