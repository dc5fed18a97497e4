// The command line of the configuration check, shared by corvane.exe --check and the native
// corvane-check: "[folder] [--user NAME]", the run of the check and its exit code.
#pragma once

#include <optional>
#include <string>

#include "check/CheckContext.h"
#include "text/StringList.h"

namespace corvane {

struct TCheckArguments {
    std::optional<std::string> Folder;
    std::optional<std::string> User;
};

// The usage line of the check's arguments.
constexpr const char* CheckUsage = "[folder] [--user NAME]";

// Reads "[folder] [--user NAME]" in either order; nothing when the arguments do not fit (an
// unknown option, a second folder, --user without a name or given twice).
std::optional<TCheckArguments> ParseCheckArguments(const TStringList& arguments);

// Runs the check with options and adds its report to output, each file named with shownFolder
// in front and separator between folders. Returns 0 without errors, 1 with errors.
int RunCheck(const TCheckOptions& options, const std::string& shownFolder, char separator, std::string& output);

} // namespace corvane
