// One configured shell, built from its entry in "shells.ini": four comma-separated fields,
// the program's path, the crash-protected flag, the parameters and the wallpaper file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class TShellListItem {
public:
    // The fields of an entry, in order; fields after the last are ignored.
    static constexpr const char* FieldNames[] = {"program", "crash protected", "parameters", "wallpaper"};

    // Builds the item from an entry. Raises EListError naming the index of the first missing
    // field when the entry has fewer than four, and EConvertError when the second field is
    // not a boolean. Leaves Name empty.
    explicit TShellListItem(std::string_view entry);

    void SetCrashProtected(bool value);

    // Splits an entry into fields: comma-separated, double-quoted fields with "" for a quote,
    // an unquoted field ending at a comma or a blank, blanks around fields dropped.
    static std::vector<std::string> SplitFields(std::string_view entry);
    // A number (nonzero is on) or True or False in any letter case; EConvertError otherwise.
    static bool StrToBool(const std::string& text);

    std::string Name;
    std::string Path;
    std::string Parameters;
    bool CrashProtected = false;
    std::int32_t IconIndex = 0;
    std::string CrashProtectedText = "0";
    std::string CrashProtectedCaption;
    std::string Wallpaper;
};

} // namespace corvane
