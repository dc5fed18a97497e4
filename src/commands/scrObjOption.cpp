#include "commands/scrObjOption.h"

#include "commands/scrObjOptionForm.h"
#include "platform/Platform.h"
#include "platform/WindowSystem.h"

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

// Execute reads argument 2, then 1 and 0; argument 3 only when the user cancels.
std::vector<TArgumentProblem> TscrObjOption::CheckArguments(const TCommandInfo& command, const TStringList& args) {
    if (args.size() < 3) return {MissingArgument(command, args, 2)};
    if (args.size() == 3) return {MissingArgument(command, args, 3, "when the user cancels the prompt")};
    return {};
}

} // namespace corvane
