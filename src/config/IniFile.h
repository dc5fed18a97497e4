// An INI file of the launcher's own, bound to one path. Every value read goes to the platform's
// profile reader; nothing is cached and nothing is ever written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "config/ProfileText.h"
#include "config/TextFile.h"

namespace corvane {

// The forms in which the launcher reads a value: a boolean is an integer (0 off, any other on).
enum class TIniValueForm { Boolean, Integer, Text };

// A key that the launcher reads, with the form it reads it in and the value it takes when the
// key is missing or its text is not in that form (a boolean's is "0" or "1").
struct TIniKey {
    const char* Name;
    TIniValueForm Form;
    const char* Default;
};

class TIniFile {
public:
    // The buffers in which the profile reader gives a value and the key names of a section:
    // a value of at most LongestValue characters, and names with a NUL after each.
    static constexpr std::size_t StringBufferSize = 2048;
    static constexpr std::size_t LongestValue = StringBufferSize - 1;
    static constexpr std::size_t SectionBufferSize = 16384;

    explicit TIniFile(std::string fileName);

    const std::string& FileName() const { return FileName_; }

    // The text after "=", blanks around it removed and enclosing quotes dropped; at most
    // LongestValue characters; defaultValue when the file, section or key is missing.
    std::string ReadString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // A decimal integer, or hexadecimal after "$" or "0x"/"0X"; any other text gives defaultValue.
    std::int32_t ReadInteger(const std::string& section, const std::string& key,
                             std::int32_t defaultValue) const;
    // An integer: 0 is off, any other integer on; any other text gives defaultValue.
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;
    // The text of key as ReadString gives it; a text key's default when the key is missing.
    std::string ReadText(const std::string& section, const TIniKey& key) const;
    // The text of key as ReadString gives it, or nothing when the reader gives no value of its
    // own for it (the file, the section or the key is missing, or the key's line has no "=").
    std::optional<std::string> FindText(const std::string& section, const TIniKey& key) const;
    // The number that text gives a boolean or integer key: the integer it reads as, or else
    // the key's default.
    static std::int32_t NumberOf(const std::string& text, const TIniKey& key);
    // The key names of section, in file order.
    std::vector<std::string> ReadSection(const std::string& section) const;
    // Whether the file has a section of that name (letter case ignored), with keys or without.
    bool HasSection(const std::string& section) const;

    // The file's text as the profile reader decodes it, for what the values alone do not tell:
    // its encoding, and parsed by the reader's rules (TProfileText), the line of each section
    // and key, keys given twice, lines without "=". Nothing when the file is not there;
    // EFOpenError, EReadError or EEncodingError when it cannot be read.
    std::optional<TTextFile> ReadText() const;

    // Reads text as an integer in the forms that ReadInteger accepts.
    static bool TryParseInteger(const std::string& text, std::int32_t& value);

private:
    std::string FileName_;
};

} // namespace corvane
