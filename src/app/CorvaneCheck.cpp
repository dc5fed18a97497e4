// Program entry of corvane-check, the configuration checker of a system without Windows: checks
// a Corvane program folder kept anywhere (in version control, say) with the checking code of
// corvane.exe --check, through services that see only that folder.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "check/CheckCommand.h"
#include "config/CorvaneInfo.h"
#include "config/PortableProfileFiles.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "platform/native/NativePlatform.h"

namespace {

constexpr const char* Usage =
    "Usage: corvane-check [folder] [--user NAME]\n"
    "Checks the Corvane program folder (default: the current folder) as corvane.exe reads it at logon:\n"
    "the settings file of the user (NAME.ini; default: the user running this), shells.ini, the colour\n"
    "scheme and script.txt. Prints one line per problem, \"file:line: error: text\" or \"file:line:\n"
    "warning: text\", and the counts. Exit codes: 0 no errors, 1 errors, 2 bad arguments or a folder\n"
    "that cannot be read.\n";

bool Readable(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::directory_iterator listing(folder, error);
    return std::filesystem::is_directory(folder, error) && !error;
}

} // namespace

int main(int argc, char** argv) {
    using namespace corvane;
    const TStringList arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::cout << Usage;
        return 0;
    }
    const std::optional<TCheckArguments> parsed = ParseCheckArguments(arguments);
    if (!parsed) {
        std::cerr << Usage;
        return 2;
    }
    const std::filesystem::path folder = parsed->Folder ? std::filesystem::path(*parsed->Folder) : ".";
    if (!Readable(folder)) {
        std::cerr << "corvane-check: cannot read the folder " << folder.string() << "\n";
        return 2;
    }
    try {
        const platform::native::NativePlatform native(folder);
        TPortableProfileFiles profiles(""); // no Windows folder: bare file names stay in the folder checked
        platform::Services services = native.Get();
        services.profiles = &profiles;
        platform::Install(services);
        const TCheckOptions options{"", parsed->User ? *parsed->User : TCorvaneInfo::GetCurrentUserName(), false};
        std::string shown = parsed->Folder ? *parsed->Folder : std::string();
        if (!shown.empty() && shown.back() != '/') shown += '/';
        std::string output;
        const int code = RunCheck(options, shown, '/', output);
        std::cout << output;
        platform::Install({});
        return code;
    } catch (const std::exception& error) {
        std::cerr << "corvane-check: " << ErrorLine(error) << "\n";
        return 2;
    }
}
