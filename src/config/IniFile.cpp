#include "config/IniFile.h"

#include <limits>

#include "platform/Platform.h"
#include "platform/ProfileFiles.h"
#include "text/AsciiText.h"

namespace corvane {

namespace {
int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
} // namespace

TIniFile::TIniFile(std::string fileName) : FileName_(std::move(fileName)) {}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    return platform::Profiles().GetString(FileName_, section, key, defaultValue, StringBufferSize);
}

// integer: [ '+' | '-' ] ( digits | '$' hexdigits | '0' ('x'|'X') hexdigits )
// Decimal values must fit 32 bits; hexadecimal ones may use all 32 bits (so $FFFFFFFF is -1).
bool TIniFile::TryParseInteger(const std::string& text, std::int32_t& value) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        pos += 1;
    } else if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size()) {
        return false;
    }
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull
                                           : static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) + (negative ? 1 : 0);
    std::uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = HexDigit(text[pos]);
        if (digit < 0 || digit >= base) {
            return false;
        }
        magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (magnitude > limit) {
            return false;
        }
    }
    const auto bits = static_cast<std::uint32_t>(negative ? (~magnitude + 1) : magnitude);
    value = static_cast<std::int32_t>(bits);
    return true;
}

std::int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key,
                                   std::int32_t defaultValue) const {
    std::int32_t value = 0;
    return TryParseInteger(ReadString(section, key, ""), value) ? value : defaultValue;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

std::string TIniFile::ReadText(const std::string& section, const TIniKey& key) const {
    return ReadString(section, key.Name, key.Form == TIniValueForm::Text ? key.Default : "");
}

// The reader tells a missing value only by giving the default back: a text that gives both of
// two different defaults back is no value of the file's.
std::optional<std::string> TIniFile::FindText(const std::string& section, const TIniKey& key) const {
    const std::string first = ReadText(section, key);
    const std::string other = first.empty() ? "-" : "";
    if (first != (key.Form == TIniValueForm::Text ? key.Default : "")) return first;
    if (ReadString(section, key.Name, other) == other) return std::nullopt;
    return first;
}

std::int32_t TIniFile::NumberOf(const std::string& text, const TIniKey& key) {
    std::int32_t value = 0;
    if (TryParseInteger(text, value)) return value;
    TryParseInteger(key.Default, value);
    return value;
}

std::optional<TTextFile> TIniFile::ReadText() const {
    if (!platform::Files().FileExists(FileName_)) return std::nullopt;
    return TTextFile(platform::Files().ReadFile(FileName_), TTextFile::TKind::Profile, FileName_);
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
    return platform::Profiles().GetKeyNames(FileName_, section, SectionBufferSize);
}

bool TIniFile::HasSection(const std::string& section) const {
    for (const std::string& name : platform::Profiles().GetSectionNames(FileName_, SectionBufferSize)) {
        if (SameTextAscii(name, section)) return true;
    }
    return false;
}

} // namespace corvane
