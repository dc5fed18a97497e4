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
    // The same, or by the system's full spelling of both paths (an installer may have written the
    // short 8.3 spelling): the program at exePath, whatever spelling command gives it.
    static bool Starts(std::string_view command, const std::string& exePath);
    // The program's path of command: the quoted text when it begins with a quote, else the text
    // up to the first blank.
    static std::string ProgramOf(std::string_view command);
    // True when command starts some corvane.exe, wherever it lies.
    static bool NamesCorvane(std::string_view command);

    static constexpr const char* ProgramName = "corvane.exe";
};

} // namespace corvane
