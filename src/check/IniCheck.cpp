#include "check/IniCheck.h"

#include "check/NearestWord.h"
#include "platform/Errors.h"
#include "text/AsciiText.h"
#include "text/Utf.h"

namespace corvane {

namespace {

// A line that only comments: ";" (the INI files' comment mark) or "#" first.
bool IsComment(std::string_view name) { return !name.empty() && (name.front() == ';' || name.front() == '#'); }

} // namespace

TIniCheck::TIniCheck(const TIniFile& file, std::string shown, TCheckReport& report)
    : Shown_(std::move(shown)), Report_(report) {
    try {
        std::optional<TTextFile> text = file.ReadText();
        Exists_ = text.has_value();
        if (!text) return;
        Text_.emplace(text->Text);
        CheckEncoding(*text);
    } catch (const EEncodingError& error) {
        Exists_ = true;
        Warning(0, std::string(error.what()) + ": Windows reads it with that character replaced; save it again as Unicode");
    } catch (const ECorvaneError&) { // it cannot be opened, or read to its end
        Exists_ = true;
        Warning(0, "the file cannot be read: the launcher then takes the default of every value in it");
    }
}

// Windows' profile reader reads a file without a UTF-16 byte order mark in the legacy code
// page of the machine, whatever its bytes are. Notepad of Windows 10 before version 1903 begins
// a file saved as UTF-8 with a byte order mark; the profile reader of Wine (and the checker's)
// takes it, that of Windows does not, so there a section named on the first line reads as no
// section at all, and the rest as legacy text.
void TIniCheck::CheckEncoding(const TTextFile& text) {
    constexpr const char* SaveAsUnicode = "save the file as Unicode (UTF-16 with its byte order mark, Notepad's \"UTF-16 LE\")";
    if (text.Encoding == TTextFile::TEncoding::Utf8WithMark) {
        const std::vector<TProfileText::Section>& sections = Text_->Sections();
        const std::string lost = sections.size() >= 2 && sections[1].line == 1
                                     ? ", so the launcher never finds the section [" + sections[1].name + "] on this line"
                                     : std::string();
        if (lost.empty() && IsAscii(text.Text)) return; // a comment on the first line: nothing is lost
        Warning(1, "the file begins with a UTF-8 byte order mark (the bytes EF BB BF), which Windows' profile reader "
                   "does not recognise: it reads the file in the legacy code page" + lost + "; " + SaveAsUnicode +
                   ", or as ANSI");
    } else if (text.UnmarkedBeyondAscii) {
        Warning(0, "the file has no byte order mark, so Windows reads its characters beyond ASCII in the machine's "
                   "legacy code page (1252 on a Western machine: a name such as \"Ωmega\" saved as UTF-8 reads as "
                   "\"Î©mega\"); to keep every character, " + std::string(SaveAsUnicode));
    }
}

int TIniCheck::Line(std::string_view section, std::string_view key) const {
    const TProfileText::Key* found = Text_ ? Text_->FindKey(section, key) : nullptr;
    return found == nullptr ? 0 : found->line;
}

int TIniCheck::SectionLine(std::string_view section) const {
    const TProfileText::Section* found = Text_ ? Text_->FindSection(section) : nullptr;
    return found == nullptr ? 0 : found->line;
}

std::optional<std::string> TIniCheck::RawValue(std::string_view section, std::string_view key) const {
    const TProfileText::Key* found = Text_ ? Text_->FindKey(section, key) : nullptr;
    return found == nullptr ? std::nullopt : found->value;
}

bool TIniCheck::CheckSection(std::string_view section, const std::vector<std::string>& known, bool repeatsIgnored) {
    if (!Text_) return true;
    const std::vector<TProfileText::Section>& sections = Text_->Sections();
    const TProfileText::Section* first = Text_->FindSection(section);
    const std::string name = std::string("[").append(section).append("]");
    for (const auto& key : sections.front().keys) {
        if (LeadChecked_) break;
        if (!IsComment(key.name)) {
            Warning(key.line, "this line stands before the first section: the launcher reads nothing from it");
            break;
        }
    }
    LeadChecked_ = true;
    for (const auto& other : sections) {
        if (&other == &sections.front() || &other == first) continue;
        if (first != nullptr && SameTextAscii(other.name, first->name)) {
            Warning(other.line, "a second " + name + " section (the first is on line " + std::to_string(first->line) +
                                    "): the launcher never reads the keys of this one");
        } else if (first == nullptr && NearestWord(other.name, {std::string(section)})) {
            Warning(other.line, "[" + other.name + "] is not a section the launcher reads: did you mean " + name + "?");
        }
    }
    if (first == nullptr) return false;
    CheckKeys(*first, known, repeatsIgnored);
    return true;
}

void TIniCheck::CheckKeys(const TProfileText::Section& section, const std::vector<std::string>& known,
                          bool repeatsIgnored) {
    for (std::size_t i = 0; i < section.keys.size(); ++i) {
        const TProfileText::Key& key = section.keys[i];
        if (IsComment(key.name)) continue;
        if (!key.value) {
            Warning(key.line, Quoted(key.name) + " has no \"=\": the launcher reads no value from this line");
            continue;
        }
        if (key.name.empty()) {
            if (!repeatsIgnored) continue; // the shell list says what a nameless key does to it
            Warning(key.line, "this line has no name before \"=\": the launcher never reads it");
            continue;
        }
        if (key.value->size() > TIniFile::LongestValue) {
            Warning(key.line, "the value of " + key.name + " is " + std::to_string(key.value->size()) +
                                  " characters long: the launcher reads only the first " + std::to_string(TIniFile::LongestValue));
        }
        const auto firstOfName = section.firstKeys.find(AsciiLowerCase(key.name));
        if (repeatsIgnored && firstOfName != section.firstKeys.end() && firstOfName->second != i) {
            Warning(key.line, key.name + " is given again (first on line " +
                                  std::to_string(section.keys[firstOfName->second].line) +
                                  "): the launcher reads only the first");
            continue;
        }
        if (known.empty()) continue;
        bool isKnown = false;
        for (const std::string& name : known) isKnown = isKnown || SameTextAscii(name, key.name);
        if (isKnown) continue;
        const std::optional<std::string> meant = NearestWord(key.name, known);
        Warning(key.line, key.name + " is no key of [" + section.name + "]: the launcher never reads it" +
                              (meant ? "; did you mean " + *meant + "?" : ""));
    }
}

} // namespace corvane
