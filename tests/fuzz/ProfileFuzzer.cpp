// Any INI text parses; the first key of the last section stands on a line of the text, and when
// its names find it again, the reader returns its value.
#include <algorithm>
#include <cstdlib>

#include "FuzzTarget.h"
#include "config/ProfileText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    const std::string_view bytes = fuzzing::Bytes(data, size);
    const TProfileText text(bytes);
    const auto& section = text.Sections().back();
    if (section.keys.empty()) return 0;
    const auto& key = section.keys.front();
    const int lines = 1 + static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n') +
                                            std::count(bytes.begin(), bytes.end(), '\r'));
    if (key.line < 1 || key.line > lines) std::abort();
    if (text.FindSection(section.name) == &section) {
        const std::string value = text.GetString(section.name, key.name, "\x01", 2048);
        const TProfileText::Key* found = text.FindKey(section.name, key.name);
        if (found == &key && key.value && value != TProfileText::CopyEntry(*key.value, 2048)) std::abort();
    }
    text.GetKeyNames(section.name, 16384);
    return 0;
}
