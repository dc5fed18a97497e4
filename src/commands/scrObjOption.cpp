#include "commands/scrObjOption.h"

#include "commands/scrObjOptionForm.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"
#include "text/AsciiText.h"

namespace corvane {

// The values are expanded before they are split; the prompt, the name and the default are
// used as written. Confirming with no entry selected counts as a cancel, so the variable
// always ends up with a value the user could see.
void TscrObjOption::Execute() {
    TTscrObjOptionForm form;
    form.lstOptionsItems = TTscrObjOptionForm::SplitValues(Vars.ParseVars(Arg(2)));
    form.lblPromptCaption = Arg(1);
    platform::Windows().ShowListDialog(form);

    const bool confirmed = form.GetModalResult() == platform::ModalResult::Ok && form.ItemIndex >= 0 &&
                           form.ItemIndex < static_cast<int>(form.lstOptionsItems.size());
    if (confirmed) {
        Vars.AddVar(Arg(0), form.lstOptionsItems[static_cast<std::size_t>(form.ItemIndex)]);
    } else {
        Vars.AddVar(Arg(0), Arg(3));
    }
}

// Execute reads argument 2, then 1 and 0; argument 3 only when the user cancels. A blank ends an
// unquoted value, so "a|b c" offers b and c apart.
std::vector<TArgumentProblem> TscrObjOption::CheckArguments(const TCommandInfo& command, const TStringList& args) {
    if (args.size() < 3) return {MissingArgument(command, args, 2)};
    std::vector<TArgumentProblem> problems;
    const std::string& values = args[2];
    // Values with references are split only once expanded.
    const std::vector<TDelimitedField> fields =
        values.find('$') == std::string::npos ? TTscrObjOptionForm::SplitValueFields(values) : std::vector<TDelimitedField>();
    for (std::size_t i = 0; i + 1 < fields.size(); ++i) {
        const std::size_t end = fields[i].End;
        if (fields[i].Quoted || end >= values.size() || values[end] == '|' || values.find('|', end) < fields[i + 1].Start) {
            continue;
        }
        problems.push_back({false, "the prompt offers " + Quoted(fields[i].Text) + " and " + Quoted(fields[i + 1].Text) +
                                       " as two values: a blank ends a value; put a value that holds blanks in single "
                                       "quotes, as in 'a b'|c"});
        break;
    }
    if (args.size() == 3) problems.push_back(MissingArgument(command, args, 3, "when the user cancels the prompt"));
    return problems;
}

} // namespace corvane
