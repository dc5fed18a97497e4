#include "config/ShellListItem.h"

#include <cctype>

#include "platform/Errors.h"
#include "platform/Platform.h"
#include "platform/ShellServices.h"

namespace corvane {

namespace {
constexpr char Delimiter = ',';
constexpr char Quote = '"';
constexpr std::size_t FieldCount = 4;

// Characters with codes 1 to 32 separate fields; a NUL ends the entry.
bool IsSeparatorBlank(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

void SkipBlanks(std::string_view& text) {
    while (!text.empty() && IsSeparatorBlank(text.front())) text.remove_prefix(1);
}

// quoted-field: '"' { character | '""' } [ '"' ]   (an unclosed field takes the rest)
std::string TakeQuoted(std::string_view& text) {
    std::string field;
    text.remove_prefix(1);
    while (!text.empty()) {
        const char c = text.front();
        text.remove_prefix(1);
        if (c != Quote) {
            field += c;
        } else if (!text.empty() && text.front() == Quote) {
            field += Quote;
            text.remove_prefix(1);
        } else {
            break;
        }
    }
    return field;
}

// plain-field: { character other than ',' and codes 0 to 32 }
std::string TakePlain(std::string_view& text) {
    std::size_t length = 0;
    while (length < text.size() && text[length] != Delimiter && static_cast<unsigned char>(text[length]) > 32) {
        ++length;
    }
    std::string field(text.substr(0, length));
    text.remove_prefix(length);
    return field;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

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

// entry: blanks { field blanks [ ',' blanks ] }   -- a ',' at the very end adds an empty field
std::vector<std::string> TShellListItem::SplitFields(std::string_view entry) {
    entry = entry.substr(0, entry.find('\0'));
    std::vector<std::string> fields;
    SkipBlanks(entry);
    while (!entry.empty()) {
        fields.push_back(entry.front() == Quote ? TakeQuoted(entry) : TakePlain(entry));
        SkipBlanks(entry);
        if (!entry.empty() && entry.front() == Delimiter) {
            entry.remove_prefix(1);
            if (entry.empty()) fields.emplace_back();
            SkipBlanks(entry);
        }
    }
    return fields;
}

bool TShellListItem::StrToBool(const std::string& text) {
    bool isZero = false;
    if (ReadNumber(text, isZero)) return !isZero;
    if (SameTextAscii(text, "True")) return true;
    if (SameTextAscii(text, "False")) return false;
    throw EConvertError("'" + text + "' is not a valid boolean value");
}

} // namespace corvane
