#include "commands/scrObjOptionForm.h"

#include "text/DelimitedText.h"

namespace corvane {

void TTscrObjOptionForm::lstOptionsKeyPress(char key) {
    if (key == '\r') {
        ModalResult_ = platform::ModalResult::Ok;
    }
}

void TTscrObjOptionForm::lstOptionsDblClick() { ModalResult_ = platform::ModalResult::Ok; }

namespace {
constexpr char ValueDelimiter = '|';
constexpr char ValueQuote = '\'';
} // namespace

std::vector<std::string> TTscrObjOptionForm::SplitValues(const std::string& values) {
    return SplitDelimitedText(values, ValueDelimiter, ValueQuote);
}

std::vector<TDelimitedField> TTscrObjOptionForm::SplitValueFields(const std::string& values) {
    return SplitDelimitedFields(values, ValueDelimiter, ValueQuote);
}

} // namespace corvane
