#include "platform/ProfileText.h"

#include <algorithm>

#include "text/AsciiText.h"

namespace corvane::platform {

namespace {
constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

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

// file: [ byte-order-mark ] { line ( CR | LF ) { CR | LF } }
ProfileText::ProfileText(std::string_view text) {
    if (text.substr(0, Utf8ByteOrderMark.size()) == Utf8ByteOrderMark) {
        ByteOrderMark_ = true;
        text.remove_prefix(Utf8ByteOrderMark.size());
    }
    Sections_.push_back(Section{});
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end);
        while (!text.empty() && (text.front() == '\r' || text.front() == '\n')) text.remove_prefix(1);
        if (!line.empty()) ParseLine(line);
    }
}

// line: '[' name ']' anything | name '=' value | name
void ProfileText::ParseLine(std::string_view line) {
    if (line.front() == '[') {
        const std::size_t close = line.rfind(']');
        if (close != std::string_view::npos) {
            Sections_.push_back(Section{std::string(CutAtNul(Trim(line.substr(1, close - 1)))), {}});
            return;
        }
    }
    Key key;
    std::string_view name = line;
    if (const std::size_t equals = line.find('='); equals != std::string_view::npos) {
        name = TrimRight(line.substr(0, equals));
        key.value = std::string(CutAtNul(TrimLeft(line.substr(equals + 1))));
    }
    key.name = std::string(CutAtNul(name));
    // Of several nameless keys in a row only the first is kept.
    std::vector<Key>& keys = Sections_.back().keys;
    if (!name.empty() || keys.empty() || !keys.back().name.empty()) {
        keys.push_back(std::move(key));
    }
}

const ProfileText::Section* ProfileText::FindSection(std::string_view name) const {
    for (const Section& section : Sections_) {
        if (SameTextAscii(section.name, name)) return &section;
    }
    return nullptr;
}

// Only the first section of the name is searched; its first key of the name counts.
const ProfileText::Key* ProfileText::FindKey(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(Trim(CutAtNul(section)));
    if (found == nullptr) return nullptr;
    key = Trim(CutAtNul(key));
    for (const Key& candidate : found->keys) {
        if (SameTextAscii(candidate.name, key)) return &candidate;
    }
    return nullptr;
}

std::string ProfileText::CopyEntry(std::string_view value, std::size_t bufferSize) {
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

std::string ProfileText::UnreadFileDefault(std::string_view defaultValue, std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    return std::string(StripTrailingSpaces(CutAtNul(defaultValue)).substr(0, bufferSize - 1));
}

std::string ProfileText::GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                   std::size_t bufferSize) const {
    const Key* found = FindKey(section, key);
    if (found != nullptr && found->value) return CopyEntry(*found->value, bufferSize);
    return CopyEntry(StripTrailingSpaces(CutAtNul(defaultValue)), bufferSize);
}

// Keys without "=" and comment keys (";" first) are left out; a nameless key ends the list,
// since the names come as NUL-terminated strings.
std::vector<std::string> ProfileText::GetKeyNames(std::string_view section, std::size_t bufferSize) const {
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

bool ProfileText::SetString(std::string_view section, std::string_view key, const std::optional<std::string>& value) {
    section = CutAtNul(section);
    key = CutAtNul(key);
    if (!value) {
        for (Section& candidate : Sections_) {
            if (!SameTextAscii(candidate.name, section)) continue;
            auto& keys = candidate.keys;
            const auto match = std::find_if(keys.begin(), keys.end(), [&](const Key& k) { return SameTextAscii(k.name, key); });
            if (match != keys.end()) {
                keys.erase(match);
                return true;
            }
        }
        return false;
    }
    const std::string text(TrimLeft(CutAtNul(*value)));
    auto target = std::find_if(Sections_.begin(), Sections_.end(),
                               [&](const Section& s) { return SameTextAscii(s.name, Trim(section)); });
    if (target == Sections_.end()) {
        Sections_.push_back(Section{std::string(TrimLeft(section)), {}});
        target = std::prev(Sections_.end());
    }
    auto& keys = target->keys;
    auto match = std::find_if(keys.begin(), keys.end(), [&](const Key& k) { return SameTextAscii(k.name, Trim(key)); });
    if (match == keys.end()) {
        keys.push_back(Key{std::string(TrimLeft(key)), std::nullopt});
        match = std::prev(keys.end());
    }
    if (match->value == text) return false;
    match->value = text;
    return true;
}

std::string ProfileText::Text() const {
    std::string text(ByteOrderMark_ ? Utf8ByteOrderMark : std::string_view());
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

} // namespace corvane::platform
