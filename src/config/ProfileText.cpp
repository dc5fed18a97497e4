#include "config/ProfileText.h"

#include <algorithm>

#include "text/AsciiText.h"

namespace corvane {

namespace {
// White space and the DOS end-of-file mark count as blanks around lines, names and values.
bool IsBlank(char c) { return IsWhiteSpace(c) || c == '\x1A'; }

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view Trim(std::string_view text) { return TrimRight(TrimLeft(text)); }

// Names and values are C strings to the reader: a NUL ends them.
std::string_view CutAtNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// The default loses its trailing spaces, but never its first character.
std::string_view StripTrailingSpaces(std::string_view text) {
    while (text.size() > 1 && text.back() == ' ') text.remove_suffix(1);
    return text;
}
} // namespace

// file: { line ( CR | LF ) { CR | LF } }
TProfileText::TProfileText(std::string_view text) {
    AddSection(Section{});
    int lineNumber = 1;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end);
        if (!line.empty()) ParseLine(line, lineNumber);
        // Every LF, every CR not followed by LF, ends a line of the file as editors count them.
        while (!text.empty() && (text.front() == '\r' || text.front() == '\n')) {
            if (text.front() == '\n' || text.size() == 1 || text[1] != '\n') ++lineNumber;
            text.remove_prefix(1);
        }
    }
}

void TProfileText::AddSection(Section section) {
    FirstSections_.try_emplace(AsciiLowerCase(section.name), Sections_.size());
    Sections_.push_back(std::move(section));
}

void TProfileText::AddKey(Section& section, Key key) {
    section.firstKeys.try_emplace(AsciiLowerCase(key.name), section.keys.size());
    section.keys.push_back(std::move(key));
}

void TProfileText::IndexKeys(Section& section) {
    section.firstKeys.clear();
    for (std::size_t i = 0; i < section.keys.size(); ++i) {
        section.firstKeys.try_emplace(AsciiLowerCase(section.keys[i].name), i);
    }
}

// line: '[' name ']' anything | name '=' value | name
void TProfileText::ParseLine(std::string_view line, int lineNumber) {
    if (line.front() == '[') {
        const std::size_t close = line.rfind(']');
        if (close != std::string_view::npos) {
            AddSection(Section{std::string(CutAtNul(Trim(line.substr(1, close - 1)))), {}, lineNumber, {}});
            return;
        }
    }
    Key key;
    key.line = lineNumber;
    std::string_view name = line;
    if (const std::size_t equals = line.find('='); equals != std::string_view::npos) {
        name = TrimRight(line.substr(0, equals));
        key.value = std::string(CutAtNul(TrimLeft(line.substr(equals + 1))));
    }
    key.name = std::string(CutAtNul(name));
    // Of several nameless keys in a row only the first is kept.
    Section& section = Sections_.back();
    if (!name.empty() || section.keys.empty() || !section.keys.back().name.empty()) {
        AddKey(section, std::move(key));
    }
}

const TProfileText::Section* TProfileText::FindSection(std::string_view name) const {
    const auto found = FirstSections_.find(AsciiLowerCase(name));
    return found == FirstSections_.end() ? nullptr : &Sections_[found->second];
}

// Only the first section of the name is searched; its first key of the name counts.
const TProfileText::Key* TProfileText::FindKey(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(Trim(CutAtNul(section)));
    if (found == nullptr) return nullptr;
    const auto match = found->firstKeys.find(AsciiLowerCase(Trim(CutAtNul(key))));
    return match == found->firstKeys.end() ? nullptr : &found->keys[match->second];
}

std::string TProfileText::CopyEntry(std::string_view value, std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
    if (quoted) value.remove_prefix(1);
    std::string copy(value.substr(0, bufferSize - 1));
    // The closing quote is dropped as the last character copied; when the buffer cuts the
    // text just before that quote, the reader drops the last character of the text instead.
    if (quoted && bufferSize >= value.size() && !copy.empty()) copy.pop_back();
    return copy;
}

std::string TProfileText::UnreadFileDefault(std::string_view defaultValue, std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    return std::string(StripTrailingSpaces(CutAtNul(defaultValue)).substr(0, bufferSize - 1));
}

std::string TProfileText::GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                   std::size_t bufferSize) const {
    const Key* found = FindKey(section, key);
    if (found != nullptr && found->value) return CopyEntry(*found->value, bufferSize);
    return CopyEntry(StripTrailingSpaces(CutAtNul(defaultValue)), bufferSize);
}

// Keys without "=" and comment keys (";" first) are left out; a nameless key ends the list,
// since the names come as NUL-terminated strings.
std::vector<std::string> TProfileText::GetKeyNames(std::string_view section, std::size_t bufferSize) const {
    std::vector<std::string> names;
    const Section* found = FindSection(CutAtNul(section));
    if (found == nullptr) return names;
    std::size_t room = bufferSize;
    for (const Key& key : found->keys) {
        if (room <= 2) break;
        if (!key.value || (!key.name.empty() && key.name.front() == ';')) continue;
        if (key.name.empty()) break;
        names.push_back(key.name.substr(0, room - 2));
        room -= names.back().size() + 1;
        if (room < 2) break;
    }
    return names;
}

// The same room as GetKeyNames, so that a name that does not fit is cut short the same way.
std::vector<std::string> TProfileText::GetSectionNames(std::size_t bufferSize) const {
    std::vector<std::string> names;
    std::size_t room = bufferSize;
    for (const Section& section : Sections_) {
        if (room <= 2) break;
        if (section.name.empty()) continue;
        names.push_back(section.name.substr(0, room - 2));
        room -= names.back().size() + 1;
        if (room < 2) break;
    }
    return names;
}

bool TProfileText::SetString(std::string_view section, std::string_view key, const std::optional<std::string>& value) {
    section = CutAtNul(section);
    key = CutAtNul(key);
    if (!value) {
        for (Section& candidate : Sections_) {
            if (!SameTextAscii(candidate.name, section)) continue;
            auto& keys = candidate.keys;
            const auto match = std::find_if(keys.begin(), keys.end(), [&](const Key& k) { return SameTextAscii(k.name, key); });
            if (match != keys.end()) {
                keys.erase(match);
                IndexKeys(candidate);
                return true;
            }
        }
        return false;
    }
    const std::string text(TrimLeft(CutAtNul(*value)));
    const Section* existing = FindSection(Trim(section));
    if (existing == nullptr) {
        AddSection(Section{std::string(TrimLeft(section)), {}, 0, {}});
        existing = &Sections_.back();
    }
    Section& target = Sections_[static_cast<std::size_t>(existing - Sections_.data())];
    const auto match = target.firstKeys.find(AsciiLowerCase(Trim(key)));
    if (match == target.firstKeys.end()) {
        AddKey(target, Key{std::string(TrimLeft(key)), text, 0});
        return true;
    }
    Key& found = target.keys[match->second];
    if (found.value == text) return false;
    found.value = text;
    return true;
}

std::string TProfileText::Text() const {
    std::string text;
    for (const Section& section : Sections_) {
        if (!section.name.empty()) text += "[" + section.name + "]\r\n";
        for (const Key& key : section.keys) {
            text += key.name;
            if (key.value) text += "=" + *key.value;
            text += "\r\n";
        }
    }
    return text;
}

} // namespace corvane
