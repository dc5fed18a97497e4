// Any shell list entry builds a shell item or raises EListError or EConvertError, and its
// fields stand where the splitter says they stand.
#include <cstdlib>

#include "FuzzPlatform.h"
#include "FuzzTarget.h"
#include "config/ShellListItem.h"
#include "platform/Errors.h"
#include "text/DelimitedText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    fuzzing::InstallTextServices();
    const std::string entry(fuzzing::Bytes(data, size));
    const std::vector<TDelimitedField> fields = SplitDelimitedFields(entry, ',', '"');
    for (const TDelimitedField& field : fields) {
        if (field.Start > field.End || field.End > entry.size()) std::abort();
    }
    try {
        const TShellListItem item(entry);
        if (item.Path != fields.at(0).Text || item.Wallpaper != fields.at(3).Text) std::abort();
    } catch (const EListError&) {
    } catch (const EConvertError&) {
    }
    return 0;
}
