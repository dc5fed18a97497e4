#include "commands/scrObjOptionForm.h"

#include "text/DelimitedText.h"

namespace corvane {

void TTscrObjOptionForm::lstOptionsKeyPress(char key) {
    if (key == '\r') {
        ModalResult_ = platform::ModalResult::Ok;
    }
}

void TTscrObjOptionForm::lstOptionsDblClick() { ModalResult_ = platform::ModalResult::Ok; }

std::vector<std::string> TTscrObjOptionForm::SplitValues(const std::string& values) {
    return SplitDelimitedText(values, '|', '\'');
}

} // namespace corvane
