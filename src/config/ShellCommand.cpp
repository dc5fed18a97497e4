#include "config/ShellCommand.h"

#include "platform/Platform.h"
#include "text/AsciiText.h"

namespace corvane {

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The program of a command: the quoted text when it begins with a quote, else the text up to the
// first blank; a path with blanks and no quotes counts as a whole when it is all of the command.
bool StartsProgram(std::string_view command, std::string_view program) {
    command = Trimmed(command);
    program = Trimmed(program);
    if (program.empty()) return false;
    if (!command.empty() && command.front() == '"') {
        const std::size_t close = command.find('"', 1);
        return SameTextAscii(command.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1),
                             program);
    }
    if (command.size() < program.size() || !SameTextAscii(command.substr(0, program.size()), program)) return false;
    return command.size() == program.size() || IsBlank(command[program.size()]);
}

// The file name of the program that a command starts.
std::string_view ProgramFileName(std::string_view command) {
    command = Trimmed(command);
    std::string_view program = command;
    if (!program.empty() && program.front() == '"') {
        program.remove_prefix(1);
        program = program.substr(0, program.find('"'));
    } else {
        // The first blank after the last folder separator ends the program's file name.
        const std::size_t folder = program.find_last_of("\\/");
        const std::size_t blank = program.find(' ', folder == std::string_view::npos ? 0 : folder);
        program = program.substr(0, blank);
    }
    const std::size_t folder = program.find_last_of("\\/");
    return folder == std::string_view::npos ? program : program.substr(folder + 1);
}

} // namespace

std::string TShellCommand::For(const std::string& exePath) {
    return exePath.find(' ') == std::string::npos ? exePath : Quoted(exePath);
}

bool TShellCommand::Names(std::string_view command, std::string_view exePath) { return StartsProgram(command, exePath); }

bool TShellCommand::Starts(std::string_view command, const std::string& exePath) {
    if (Names(command, exePath)) return true;
    const std::string program = ProgramOf(command);
    platform::FileSystem& files = platform::Files();
    return !program.empty() && Names(files.FullPath(program), files.FullPath(exePath));
}

std::string TShellCommand::ProgramOf(std::string_view command) {
    command = Trimmed(command);
    if (!command.empty() && command.front() == '"') {
        command.remove_prefix(1);
        return std::string(command.substr(0, command.find('"')));
    }
    return std::string(command.substr(0, command.find(' ')));
}

bool TShellCommand::NamesCorvane(std::string_view command) { return SameTextAscii(ProgramFileName(command), ProgramName); }

} // namespace corvane
