// The colour scheme of the chooser window: "schemes\<name>.crs" in the program folder,
// section "Colours". The folder is created when missing; a missing file or key gives the
// defaults. The scheme file is never written.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/IniFile.h"

namespace corvane {

// Whether reading a scheme makes its folder when it is missing (the launcher does; the
// configuration checker leaves the folder as it is).
enum class TSchemesFolder { Create, Leave };

class TColoursIO {
public:
    static constexpr const char* Section = "Colours";
    // The folder of the schemes, in the program folder.
    static constexpr const char* SchemesFolder = "schemes";
    static constexpr TIniKey BaseColourKey{"BaseColour", TIniValueForm::Integer, "0"};
    static constexpr TIniKey ContrastKey{"Contrast", TIniValueForm::Integer, "10"};
    static constexpr TIniKey AlphaValueKey{"AlphaValue", TIniValueForm::Integer, "180"};
    static constexpr TIniKey LogoFontKey{"LogoFont", TIniValueForm::Text, "Trebuchet MS"};
    static constexpr TIniKey LogoFontSizeKey{"LogoFontSize", TIniValueForm::Integer, "48"};
    // Every key of the section, in the order in which they are read.
    static constexpr std::array<TIniKey, 5> Keys{BaseColourKey, ContrastKey, AlphaValueKey, LogoFontKey, LogoFontSizeKey};

    // programFolder ends with "\".
    TColoursIO(const std::string& programFolder, const std::string& schemeName,
               TSchemesFolder folder = TSchemesFolder::Create);

    // The file of the named scheme: "schemes\<name>.crs" in the program folder.
    static std::string SchemeFileOf(const std::string& programFolder, const std::string& schemeName);

    std::string SchemeName;
    std::string SchemeFile;
    TIniFile IniFile;
    // The values as read; each key's default stands in Keys.
    std::int32_t BaseColour = 0;
    std::int32_t Contrast = 0;
    std::int32_t LogoFontSize = 0;
    std::int32_t AlphaValue = 0;
    std::string LogoFont;
};

} // namespace corvane
