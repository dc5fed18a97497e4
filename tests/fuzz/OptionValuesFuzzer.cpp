// Any values text of the option prompt splits into entries, each standing where the splitter
// says it stands.
#include <cstdlib>

#include "FuzzTarget.h"
#include "commands/scrObjOptionForm.h"
#include "text/DelimitedText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace corvane;
    const std::string values(fuzzing::Bytes(data, size));
    const std::vector<TDelimitedField> fields = SplitDelimitedFields(values, '|', '\'');
    std::size_t previousEnd = 0;
    for (const TDelimitedField& field : fields) {
        if (field.Start < previousEnd || field.Start > field.End || field.End > values.size()) std::abort();
        if (!field.Quoted && field.Text != values.substr(field.Start, field.End - field.Start)) std::abort();
        previousEnd = field.End;
    }
    if (TTscrObjOptionForm::SplitValues(values).size() != fields.size()) std::abort();
    return 0;
}
