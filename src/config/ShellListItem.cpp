#include "config/ShellListItem.h"

#include <cctype>
#include <iterator>

#include "platform/Errors.h"
#include "platform/Platform.h"
#include "platform/ShellServices.h"
#include "text/AsciiText.h"
#include "text/DelimitedText.h"

namespace corvane {

namespace {
constexpr std::size_t FieldCount = std::size(TShellListItem::FieldNames);

void SkipSpaces(std::string_view& text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
}

// number: spaces [ sign ] digits [ '.' digits ] [ ('e'|'E') [ sign ] digits ] spaces,
// with at least one digit before the exponent. Sets isZero when every digit of the mantissa is 0.
bool ReadNumber(std::string_view text, bool& isZero) {
    auto digits = [&text](bool& sawNonZero) {
        std::size_t count = 0;
        while (!text.empty() && std::isdigit(static_cast<unsigned char>(text.front()))) {
            sawNonZero = sawNonZero || text.front() != '0';
            text.remove_prefix(1);
            ++count;
        }
        return count;
    };
    SkipSpaces(text);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
    bool nonZero = false;
    std::size_t mantissa = digits(nonZero);
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        mantissa += digits(nonZero);
    }
    if (mantissa == 0) return false;
    if (!text.empty() && (text.front() == 'e' || text.front() == 'E')) {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
        bool ignored = false;
        if (digits(ignored) == 0) return false;
    }
    SkipSpaces(text);
    isZero = !nonZero;
    return text.empty();
}
} // namespace

TShellListItem::TShellListItem(std::string_view entry) {
    const std::vector<std::string> fields = SplitFields(entry);
    if (fields.size() < FieldCount) {
        throw EListError(static_cast<int>(fields.size()));
    }
    Path = fields[0];
    SetCrashProtected(StrToBool(fields[1]));
    Parameters = fields[2];
    Wallpaper = fields[3];
    IconIndex = platform::Shell().SysIconIndex(Path);
}

void TShellListItem::SetCrashProtected(bool value) {
    static const std::string caption = "Crash Protected";
    CrashProtected = value;
    CrashProtectedText.assign(1, value ? '1' : '0');
    CrashProtectedCaption = value ? caption : std::string();
}

// Fields are separated by commas; double quotes enclose a field that holds blanks or commas.
std::vector<std::string> TShellListItem::SplitFields(std::string_view entry) { return SplitDelimitedText(entry, ',', '"'); }

bool TShellListItem::StrToBool(const std::string& text) {
    bool isZero = false;
    if (ReadNumber(text, isZero)) return !isZero;
    if (SameTextAscii(text, "True")) return true;
    if (SameTextAscii(text, "False")) return false;
    throw EConvertError("'" + text + "' is not a valid boolean value");
}

} // namespace corvane
