// Any program folder checks without a crash or a hang, and the report's counts match its
// findings. The input packs the folder's files, separated by the byte 0x1F, in this order: the
// user's settings file, shells.ini, script.txt, schemes\Default.crs and wall.bmp; a file whose
// part is missing does not exist. C:\Windows\explorer.exe exists as well.
#include <cstdlib>
#include <string>

#include "FuzzTarget.h"
#include "check/ConfigChecker.h"
#include "support/ConfigPlatform.h"

namespace {

constexpr const char* Folder = "C:\\Launch\\";
constexpr const char* Files[] = {"operator.ini", "shells.ini", "script.txt", "schemes\\Default.crs", "wall.bmp"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    testing::ConfigPlatform fake;
    fake.files.files["C:\\Windows\\explorer.exe"] = "MZ";
    std::string_view input = fuzzing::Bytes(data, size);
    for (const char* file : Files) {
        if (input.empty()) break;
        const std::size_t end = std::min(input.find('\x1F'), input.size());
        fake.files.files[std::string(Folder) + file] = std::string(input.substr(0, end));
        input.remove_prefix(std::min(end + 1, input.size()));
    }
    const TCheckReport report = TConfigChecker(TCheckOptions{Folder, "operator", true}).Run();
    int errors = 0;
    for (const TFinding& finding : report.Findings()) errors += finding.Severity == TSeverity::Error ? 1 : 0;
    if (errors != report.Errors() || report.Text(Folder, '\\').empty()) std::abort();
    if (!fake.dialogs.messages.empty() || fake.files.files.size() > std::size(Files) + 1) std::abort();
    return 0;
}
