// The text of one profile (INI) file, parsed by the rules of the Windows profile reader as
// Wine implements it, so that the core behaves natively as it does on Windows:
//   - the text is the file's, decoded to UTF-8 as the reader decodes it (TTextFile);
//   - a line ends at any run of CR and LF characters; blanks (tab, LF, VT, FF, CR, space and
//     the DOS end-of-file mark 0x1A) around a line, a section name, a key name and a value
//     are removed;
//   - "[name]" up to the line's last "]" starts a section; the lines before the first one
//     form an unnamed section;
//   - "name=value" (at the first "=") is a key; a line without "=" is a key without a value;
//   - section and key names match ignoring the letter case of A to Z only (the reader's "W"
//     functions too); only the first section of a name is searched, and the first key of a
//     name in it counts;
//   - a value that begins and ends with the same quote (' or ") loses the two;
//   - a NUL character ends a name or a value.
// The text is parsed once; sections and keys are found through an index by name, so that a
// look-up does not depend on the size of the file. Each section and key keeps the line it
// stands on (a line ends at CR, LF or CR LF), for messages about the file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane {

class TProfileText {
public:
    explicit TProfileText(std::string_view text);

    // The value of key in section as the reader returns it into a buffer of bufferSize
    // characters, or defaultValue (trailing spaces removed) when there is no such value.
    std::string GetString(std::string_view section, std::string_view key, std::string_view defaultValue,
                          std::size_t bufferSize) const;
    // The key names of section in file order, as many as a buffer of bufferSize characters
    // holds with a NUL after each and one closing NUL; the last one may be cut short.
    std::vector<std::string> GetKeyNames(std::string_view section, std::size_t bufferSize) const;
    // The names of the sections in file order (a section of a name given again is listed
    // again), as many as GetKeyNames would fit; a section without a name is left out.
    std::vector<std::string> GetSectionNames(std::size_t bufferSize) const;
    // Sets key in section to value (leading blanks removed), adding the key at the end of
    // the section or the section at the end of the file; removes the key when value is
    // nothing. True when the text changed.
    bool SetString(std::string_view section, std::string_view key, const std::optional<std::string>& value);
    // The text as the reader writes a changed file: "[name]" lines and "name=value" lines
    // ending in CR LF, without blank lines.
    std::string Text() const;

    // What the reader does to a text copied into a buffer of bufferSize characters:
    // enclosing quotes dropped, cut to bufferSize - 1 characters.
    static std::string CopyEntry(std::string_view value, std::size_t bufferSize);
    // The default as the reader returns it for a file that exists but cannot be read:
    // trailing spaces removed, quotes kept, cut to bufferSize - 1 characters.
    static std::string UnreadFileDefault(std::string_view defaultValue, std::size_t bufferSize);

    struct Key {
        std::string name;
        std::optional<std::string> value; // the text after "=", blanks around it removed; none without "="
        int line = 0;                     // the line it stands on, from 1; 0 for one that SetString added
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
        int line = 0; // the line of its "[name]"; 0 for the lines before the first section
        // The first key of each name (in lower case) in keys.
        std::unordered_map<std::string, std::size_t> firstKeys;
    };

    // Every section in file order, the unnamed one of the lines before the first "[name]" first.
    const std::vector<Section>& Sections() const { return Sections_; }
    // The section and the key that the reader takes for these names; null when there is none.
    const Section* FindSection(std::string_view name) const;
    const Key* FindKey(std::string_view section, std::string_view key) const;

private:
    void ParseLine(std::string_view line, int lineNumber);
    void AddSection(Section section);
    static void AddKey(Section& section, Key key);
    static void IndexKeys(Section& section);

    std::vector<Section> Sections_;
    std::unordered_map<std::string, std::size_t> FirstSections_; // the first section of each name, in lower case
};

} // namespace corvane
