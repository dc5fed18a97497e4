// The option prompt: a prompt above a list of values, with Ok and Cancel. This class holds
// the dialog's design, its contents and its handlers; the platform builds the real window.
#pragma once

#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace corvane {

class TTscrObjOptionForm final : public platform::OptionDialog {
public:
    // The dialog's fixed design, in pixels at 96 pixels per inch.
    struct Design {
        static constexpr const char* Caption = "Corvane Prompt";
        static constexpr int Left = 192, Top = 112, Width = 275, Height = 286;
        static constexpr const char* FontName = "Trebuchet MS";
        static constexpr int FontHeight = -11;
        static constexpr int PromptLeft = 8, PromptTop = 8;
        static constexpr int ListLeft = 8, ListTop = 32, ListWidth = 161, ListHeight = 225, ListRowHeight = 16;
        static constexpr int OkLeft = 184, OkTop = 40, CancelLeft = 184, CancelTop = 72;
        static constexpr int ButtonWidth = 75, ButtonHeight = 25;
        static constexpr const char* OkCaption = "Ok";
        static constexpr const char* CancelCaption = "Cancel";
    };

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
