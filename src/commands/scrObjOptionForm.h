// The option prompt: a prompt above a list of values, with Ok and Cancel. This class holds
// the dialog's design, its contents and its handlers; the platform builds the real window.
#pragma once

#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace corvane {

class TTscrObjOptionForm final : public platform::OptionDialog {
public:
    using Design = platform::OptionDialogDesign;

    std::string Caption() const override { return Design::Caption; }
    std::string Prompt() const override { return lblPromptCaption; }
    const std::vector<std::string>& Entries() const override { return lstOptionsItems; }

    // Carriage return confirms; any other character does nothing.
    void lstOptionsKeyPress(char key) override;
    void lstOptionsDblClick() override;

    platform::ModalResult GetModalResult() const override { return ModalResult_; }
    void SetModalResult(platform::ModalResult result) override { ModalResult_ = result; }
    void SetItemIndex(int index) override { ItemIndex = index; }

    // Splits values into entries at "|", with "'" quoting an entry that holds blanks or bars.
    static std::vector<std::string> SplitValues(const std::string& values);

    std::string lblPromptCaption = "lblPrompt";
    std::vector<std::string> lstOptionsItems;
    int ItemIndex = -1;

private:
    platform::ModalResult ModalResult_ = platform::ModalResult::None;
};

} // namespace corvane
