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
    static constexpr TIniKey BaseColourKey{"BaseColour", TIniValueForm::Integer};
    static constexpr TIniKey ContrastKey{"Contrast", TIniValueForm::Integer};
    static constexpr TIniKey AlphaValueKey{"AlphaValue", TIniValueForm::Integer};
    static constexpr TIniKey LogoFontKey{"LogoFont", TIniValueForm::Text};
    static constexpr TIniKey LogoFontSizeKey{"LogoFontSize", TIniValueForm::Integer};
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
    std::int32_t BaseColour = 0;
    std::int32_t Contrast = 10;
    std::int32_t LogoFontSize = 48;
    std::int32_t AlphaValue = 180;
    std::string LogoFont = "Trebuchet MS";
};

} // namespace corvane
