// A shell setting as a command: the program that Winlogon starts, written as a path, in double
// quotes when it holds a blank, perhaps with arguments after it.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

class TShellCommand {
public:
    // The command that starts the program at exePath: the path, quoted when it has a blank.
    static std::string For(const std::string& exePath);
    // True when command starts the program at exePath: compared without regard to letter case,
    // to quotes around the path and to an argument list after it.
    static bool Names(std::string_view command, std::string_view exePath);
    // True when command starts some corvane.exe, wherever it lies.
    static bool NamesCorvane(std::string_view command);

    static constexpr const char* ProgramName = "corvane.exe";
};

} // namespace corvane
