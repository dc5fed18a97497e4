#include "config/ColoursIO.h"

#include "platform/Platform.h"

namespace corvane {

namespace {
constexpr const char* ColoursSection = "Colours";

// Creates the schemes folder; when that fails (it exists, or the program folder is read-only)
// the scheme file is looked for all the same.
std::string SchemesFolder(const std::string& programFolder) {
    const std::string folder = programFolder + "schemes\\";
    platform::Files().CreateDirectory(folder.substr(0, folder.size() - 1));
    return folder;
}
} // namespace

TColoursIO::TColoursIO(const std::string& programFolder, const std::string& schemeName)
    : SchemeName(schemeName), SchemeFile(SchemesFolder(programFolder) + schemeName + ".crs"), IniFile(SchemeFile) {
    BaseColour = IniFile.ReadInteger(ColoursSection, "BaseColour", 0);
    Contrast = IniFile.ReadInteger(ColoursSection, "Contrast", 10);
    AlphaValue = IniFile.ReadInteger(ColoursSection, "AlphaValue", 180);
    LogoFont = IniFile.ReadString(ColoursSection, "LogoFont", "Trebuchet MS");
    LogoFontSize = IniFile.ReadInteger(ColoursSection, "LogoFontSize", 48);
}

} // namespace corvane
