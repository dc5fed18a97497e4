// Tricky INI files and what the profile reader gives for them. The native unit tests run this
// table against the portable profile reader, the Windows test driver against the system's own
// GetPrivateProfileStringW (through the launcher's service, which gives UTF-8): both must give
// these answers. Where the two ever disagree, the
// system's answer is the right one and goes into the table.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace corvane::ini_table {

// One value lookup: section, key and default as the launcher passes them.
struct ValueCheck {
    std::string section;
    std::string key;
    std::string defaultValue;
    std::string expected;
    std::size_t bufferSize = 2048;
};

// One listing of a section's key names.
struct NamesCheck {
    std::string section;
    std::vector<std::string> expected;
    std::size_t bufferSize = 16384;
};

struct IniCase {
    std::string name;                   // also the file's name, without ".ini"
    std::optional<std::string> content; // nothing: the file does not exist
    std::vector<ValueCheck> values;
    std::vector<NamesCheck> names;
};

inline std::string Repeat(char c, std::size_t count) { return std::string(count, c); }

inline std::vector<IniCase> IniCases() {
    using namespace std::string_literals;
    const std::string x2047 = Repeat('x', 2047);
    return {
        {"plain",
         "[Settings]\r\nUseTimer=1\r\nDefaultShell=Explorer\r\n",
         {{"Settings", "UseTimer", "d", "1"},
          {"settings", "USETIMER", "d", "1"},
          {"SETTINGS", "defaultshell", "d", "Explorer"},
          {"Settings", "Missing", "dflt", "dflt"},
          {"Other", "UseTimer", "dflt", "dflt"},
          {" Settings ", " UseTimer\t", "d", "1"}},
         {{"Settings", {"UseTimer", "DefaultShell"}}, {"settings", {"UseTimer", "DefaultShell"}}, {"Other", {}}}},
        {"missing-file", std::nullopt, {{"Settings", "UseTimer", "dflt", "dflt"}}, {{"Settings", {}}}},
        {"empty-file", "", {{"Settings", "UseTimer", "dflt", "dflt"}}, {{"Settings", {}}}},
        {"blanks",
         "  [Settings]  \r\n  Key1  =   value with  inner   \r\n\tKey2\t=\tv2\t\r\nKey3 = \r\nKey4=\x1A" "v4\x1A\r\n",
         {{"Settings", "Key1", "d", "value with  inner"},
          {"Settings", "Key2", "d", "v2"},
          {"Settings", "Key3", "d", ""},
          {"Settings", "Key4", "d", "v4"}},
         {{"Settings", {"Key1", "Key2", "Key3", "Key4"}}}},
        {"quotes",
         "[Q]\r\nA=\"quoted\"\r\nB='single'\r\nC=\"unbalanced\r\nD=\"a\" and \"b\"\r\nE=\"\"\r\nF=\"\r\n"
         "G=  \" spaced \"  \r\nH=\"mixed'\r\nI=\"C:\\Program Files\\Alt\\alt.exe\",1,-quiet,\r\n"
         "J=\"C:\\a b.exe\",0,,\"w.bmp\"\r\n",
         {{"Q", "A", "d", "quoted"},
          {"Q", "B", "d", "single"},
          {"Q", "C", "d", "\"unbalanced"},
          {"Q", "D", "d", "a\" and \"b"},
          {"Q", "E", "d", ""},
          {"Q", "F", "d", "\""},
          {"Q", "G", "d", " spaced "},
          {"Q", "H", "d", "\"mixed'"},
          {"Q", "I", "d", "\"C:\\Program Files\\Alt\\alt.exe\",1,-quiet,"},
          {"Q", "J", "d", "C:\\a b.exe\",0,,\"w.bmp"}},
         {}},
        {"duplicates",
         "[S]\r\nK=first\r\nk=second\r\nOnlyFirst=1\r\n[s]\r\nK=third\r\nOnlySecond=2\r\n",
         {{"S", "K", "d", "first"}, {"S", "OnlyFirst", "d", "1"}, {"S", "OnlySecond", "d", "d"}},
         {{"S", {"K", "k", "OnlyFirst"}}}},
        {"odd-lines",
         "[S]\r\nEmpty=\r\nNoEquals\r\n;Comment=1\r\nValue=a=b\r\n[Broken\r\nAfter=x\r\n",
         {{"S", "Empty", "d", ""},
          {"S", "NoEquals", "d", "d"},
          {"S", "Value", "d", "a=b"},
          {"S", "After", "d", "x"}},
         {{"S", {"Empty", "Value", "After"}}}},
        // A key without a name ends the list of names; in first place it empties it.
        {"nameless-key",
         "[S]\r\nA=1\r\n=nameless\r\nB=2\r\n[T]\r\n=first\r\nC=3\r\n",
         {{"S", "B", "d", "2"}, {"S", "", "d", "nameless"}, {"T", "C", "d", "3"}},
         {{"S", {"A"}}, {"T", {}}}},
        // Comment lines are keys that the list of names leaves out.
        {"comments",
         "; about\r\n[S]\r\n;Comment=1\r\nA=2\r\n",
         {{"S", ";Comment", "d", "1"}, {"S", "A", "d", "2"}},
         {{"S", {"A"}}}},
        // Only the first section of a name counts, even when it is empty.
        {"duplicate-sections",
         "[E]\r\n[e]\r\nX=1\r\n",
         {{"E", "X", "d", "d"}},
         {{"E", {}}}},
        // A file without a byte order mark is in the legacy code page (1252 here); one in UTF-16
        // with its mark reads whole. Letter case is ignored for A to Z only.
        {"legacy-code-page",
         "[\xDC]\r\n\xC9=Caf\xE9\r\n",
         {{"\u00DC", "\u00C9", "d", "Caf\u00E9"}, {"\u00FC", "\u00E9", "d", "d"}},
         {}},
        {"utf16",
         "\xFF\xFE[\0S\0]\0\r\0\n\0\xA9\x03=\0\x09\x54\r\0\n\0"s,
         {{"S", "\u03A9", "d", "\u5409"}, {"s", "\u03C9", "d", "d"}},
         {{"S", {"\u03A9"}}}},
        {"section-headers",
         "K0=before\r\n[ Spaced ]\r\nK1=1\r\n[Trailing] ; note\r\nK2=2\r\n[]\r\nK3=3\r\n",
         {{"Spaced", "K1", "d", "1"}, {"Trailing", "K2", "d", "2"}, {"Spaced", "K0", "d", "d"}, {"", "K0", "d", "before"}},
         {{"Spaced", {"K1"}}, {"Trailing", {"K2"}}, {"", {"K0"}}}},
        {"no-trailing-newline", "[S]\r\nK=last", {{"S", "K", "d", "last"}}, {{"S", {"K"}}}},
        {"lf-only", "[S]\nA=1\nB=2\n", {{"S", "A", "d", "1"}, {"S", "B", "d", "2"}}, {{"S", {"A", "B"}}}},
        {"cr-only", "[S]\rA=1\rB=2\r", {{"S", "A", "d", "1"}, {"S", "B", "d", "2"}}, {{"S", {"A", "B"}}}},
        {"utf8-bom", "\xEF\xBB\xBF[S]\r\nK=v\r\n", {{"S", "K", "d", "v"}}, {{"S", {"K"}}}},
        {"nul-in-value", "[S]\r\nK=ab\0cd\r\nL=2\r\n"s, {{"S", "K", "d", "ab"}, {"S", "L", "d", "2"}}, {}},
        {"long-values",
         "[S]\r\nK2047=" + x2047 + "\r\nK2048=" + Repeat('y', 2048) + "\r\nK3000=" + Repeat('z', 3000) +
             "\r\nQ2046=\"" + Repeat('q', 2046) + "\"\r\nQ2047=\"" + Repeat('r', 2047) + "\"\r\nShort=abcdef\r\n",
         {{"S", "K2047", "d", x2047},
          {"S", "K2048", "d", Repeat('y', 2047)},
          {"S", "K3000", "d", Repeat('z', 2047)},
          {"S", "Q2046", "d", Repeat('q', 2046)},
          {"S", "Q2047", "d", Repeat('r', 2046)},
          {"S", "Short", "d", "abc", 4}},
         {}},
        {"names-buffer",
         "[S]\r\nAlpha=1\r\nBeta=2\r\nGamma=3\r\n",
         {},
         // The last name that does not fit whole keeps as many characters as leave room for
         // its NUL and the list's closing NUL.
         {{"S", {"Alpha", "Beta", "Gamma"}, 18}, {"S", {"Alpha", "Beta", "Gamm"}, 17}, {"S", {"Alpha", "Bet"}, 11},
          {"S", {"Alpha"}, 8}, {"S", {}, 2}}},
        {"defaults",
         "[S]\r\nK=v\r\n",
         {{"S", "Missing", "dflt   ", "dflt"}, {"S", "Missing", "\"q\"", "q"}, {"S", "Missing", "  lead", "  lead"},
          {"S", "Missing", "   ", " "}},
         {}},
    };
}

// The section names of a file as the reader lists them.
struct SectionsCase {
    std::string name; // also the file's name, without ".ini"
    std::optional<std::string> content;
    std::vector<std::string> expected;
    std::size_t bufferSize = 16384;
};

inline std::vector<SectionsCase> SectionsCases() {
    return {
        {"sections-missing-file", std::nullopt, {}},
        {"sections-plain", "[Shells]\r\nA=a.exe,0,,\r\n[settings]\r\n[ Spaced ]\r\nK=1\r\n", {"Shells", "settings", "Spaced"}},
        // The lines before the first section and a section without a name are no section.
        {"sections-unnamed", "K0=before\r\n[]\r\nK=1\r\n[A]\r\n", {"A"}},
        {"sections-repeated", "[E]\r\n[e]\r\nX=1\r\n[E]\r\n", {"E", "e", "E"}},
        {"sections-buffer", "[Alpha]\r\n[Beta]\r\n[Gamma]\r\n", {"Alpha", "Beta", "Gamm"}, 17},
    };
}

} // namespace corvane::ini_table
