// The colour scheme of the chooser window: "schemes\<name>.crs" in the program folder,
// section "Colours". The folder is created when missing; a missing file or key gives the
// defaults. The scheme file is never written.
#pragma once

#include <cstdint>
#include <string>

#include "config/IniFile.h"

namespace corvane {

class TColoursIO {
public:
    // programFolder ends with "\".
    TColoursIO(const std::string& programFolder, const std::string& schemeName);

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
