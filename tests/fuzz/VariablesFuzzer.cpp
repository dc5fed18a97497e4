// Any text expands within the variable table's bounds, whatever the variables hold: the first
// line of the input is the text, every further line "name=value" one variable.
#include <cstdlib>

#include "FuzzPlatform.h"
#include "FuzzTarget.h"
#include "script/StringVariables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    fuzzing::InstallTextServices();
    const std::string_view input = fuzzing::Bytes(data, size);
    const std::size_t firstEnd = std::min(input.find('\n'), input.size());
    const std::string text(input.substr(0, firstEnd));
    TStringVariables variables;
    for (std::size_t pos = firstEnd + 1; pos < input.size();) {
        const std::size_t end = std::min(input.find('\n', pos), input.size());
        const std::string_view line = input.substr(pos, end - pos);
        const std::size_t equals = std::min(line.find('='), line.size());
        variables.AddVar(std::string(line.substr(0, equals)), std::string(line.substr(std::min(equals + 1, line.size()))));
        pos = end + 1;
    }
    const std::string expanded = variables.ParseVars(text);
    if (expanded.size() > std::max(text.size(), TStringVariables::MaxExpandedLength)) std::abort();
    bool unclosed = false;
    TStringVariables::ReferencedNames(text, unclosed);
    return 0;
}
