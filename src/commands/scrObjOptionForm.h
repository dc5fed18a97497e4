// The option prompt: a prompt above a list of values, with Ok and Cancel. This class holds the
// dialog's design, its contents and its handlers; the platform builds the real window.
#pragma once

#include <string>
#include <vector>

#include "platform/WindowSystem.h"
#include "text/DelimitedText.h"

namespace corvane {

class TTscrObjOptionForm final : public platform::ListDialog {
public:
    // The fixed design at 96 pixels per inch, which the platform scales to the DPI of the
    // dialog's screen: 275 x 286 at (192, 112) on the screen, not centred; "Trebuchet MS" 8
    // points; the prompt at (8, 8), the list at (8, 32) of 161 x 225 with 16-pixel rows, the
    // buttons of 75 x 25 at (184, 40) and (184, 72).
    static constexpr platform::ListDialogLayout Design96{
        "Corvane Prompt", {192, 112, 192 + 275, 112 + 286}, "Trebuchet MS", -11, {8, 8}, {8, 32, 8 + 161, 32 + 225}, 16,
        {184, 40, 184 + 75, 40 + 25}, "Ok", {184, 72, 184 + 75, 72 + 25}, "Cancel"};

    const platform::ListDialogLayout& Layout() const override { return Design96; }
    std::string Prompt() const override { return lblPromptCaption; }
    const std::vector<std::string>& Entries() const override { return lstOptionsItems; }

    // Carriage return confirms; any other character does nothing.
    void lstOptionsKeyPress(char key);
    void lstOptionsDblClick();

    platform::ModalResult GetModalResult() const override { return ModalResult_; }
    void SetModalResult(platform::ModalResult result) override { ModalResult_ = result; }
    void SetItemIndex(int index) override { ItemIndex = index; }

    // Splits values into entries at "|", with "'" quoting an entry that holds blanks or bars.
    static std::vector<std::string> SplitValues(const std::string& values);
    // The same entries with where each stood in values.
    static std::vector<TDelimitedField> SplitValueFields(const std::string& values);

    std::string lblPromptCaption = "lblPrompt";
    std::vector<std::string> lstOptionsItems;
    int ItemIndex = -1;

private:
    void OnListKeyPress(char key) override { lstOptionsKeyPress(key); }
    void OnListDoubleClick() override { lstOptionsDblClick(); }

    platform::ModalResult ModalResult_ = platform::ModalResult::None;
};

} // namespace corvane
