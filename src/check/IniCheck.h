// One INI file of the configuration as the checker looks at it: the file's layout as the file
// object reads it, which tells the line of each section and key, and the findings that
// any of the launcher's INI files can have (a section missing or given twice, keys given
// twice, lines without "=", keys that the launcher never reads). The values themselves are
// read through the launcher's own reader (TIniFile), never from this parse.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/CheckReport.h"
#include "config/IniFile.h"
#include "config/ProfileText.h"

namespace corvane {

class TIniCheck {
public:
    // shown is the file as findings name it.
    TIniCheck(const TIniFile& file, std::string shown, TCheckReport& report);

    const std::string& Shown() const { return Shown_; }
    bool Exists() const { return Exists_; }
    // The text could be read and parsed (it exists, opens and decodes).
    bool Parsed() const { return Text_.has_value(); }
    const TProfileText* Text() const { return Text_ ? &*Text_ : nullptr; }

    // The line of the key that the reader takes for these names; 0 when there is none.
    int Line(std::string_view section, std::string_view key) const;
    // The line of the section that the reader searches; 0 when there is none.
    int SectionLine(std::string_view section) const;
    // The text after "=" of that key as it stands in the file (before the reader drops
    // enclosing quotes); nothing when the key or its "=" is missing.
    std::optional<std::string> RawValue(std::string_view section, std::string_view key) const;

    // Reports what keeps keys of section from being read: the section missing (a section of a
    // near name is pointed out), sections of the same name after the first, lines before the
    // first section (only at the first call, since they concern every section), lines without "=", values longer than the reader takes, and when
    // repeatsIgnored, a key given again; with known keys, keys of other names. True when the
    // section is there.
    bool CheckSection(std::string_view section, const std::vector<std::string>& known, bool repeatsIgnored);

    void Error(int line, const std::string& text) { Report_.Error(Shown_, line, text); }
    void Warning(int line, const std::string& text) { Report_.Warning(Shown_, line, text); }

private:
    void CheckEncoding(const TTextFile& text);
    void CheckKeys(const TProfileText::Section& section, const std::vector<std::string>& known,
                   bool repeatsIgnored);

    std::string Shown_;
    TCheckReport& Report_;
    bool Exists_ = false;
    bool LeadChecked_ = false; // the lines before the first section are reported
    std::optional<TProfileText> Text_;
};

// The names of keys, for the checker's lists of known keys.
template <std::size_t N> std::vector<std::string> KeyNames(const std::array<TIniKey, N>& keys) {
    std::vector<std::string> names;
    for (const TIniKey& key : keys) names.emplace_back(key.Name);
    return names;
}

} // namespace corvane
