#include "check/CheckCommand.h"

#include "check/ConfigChecker.h"

namespace corvane {

std::optional<TCheckArguments> ParseCheckArguments(const TStringList& arguments) {
    TCheckArguments parsed;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--user") {
            if (parsed.User || i + 1 >= arguments.size() || arguments[i + 1].empty()) return std::nullopt;
            parsed.User = arguments[++i];
        } else if (argument.rfind("--", 0) == 0 || parsed.Folder || argument.empty()) {
            return std::nullopt;
        } else {
            parsed.Folder = argument;
        }
    }
    return parsed;
}

int RunCheck(const TCheckOptions& options, const std::string& shownFolder, char separator, std::string& output) {
    const TCheckReport report = TConfigChecker(options).Run();
    output += report.Text(shownFolder, separator);
    return report.Errors() > 0 ? 1 : 0;
}

} // namespace corvane
