#include "config/ColoursIO.h"

#include "platform/Platform.h"

namespace corvane {

namespace {
constexpr const char* SchemesFolder = "schemes";

// Creates the schemes folder when asked to; when that fails (it exists, or the program folder
// is read-only) the scheme file is looked for all the same.
std::string FindSchemeFile(const std::string& programFolder, const std::string& schemeName, TSchemesFolder folder) {
    if (folder == TSchemesFolder::Create) platform::Files().CreateDirectory(programFolder + SchemesFolder);
    return TColoursIO::SchemeFileOf(programFolder, schemeName);
}
} // namespace

std::string TColoursIO::SchemeFileOf(const std::string& programFolder, const std::string& schemeName) {
    return programFolder + SchemesFolder + "\\" + schemeName + ".crs";
}

TColoursIO::TColoursIO(const std::string& programFolder, const std::string& schemeName, TSchemesFolder folder)
    : SchemeName(schemeName), SchemeFile(FindSchemeFile(programFolder, schemeName, folder)), IniFile(SchemeFile) {
    BaseColour = IniFile.ReadInteger(Section, BaseColourKey.Name, 0);
    Contrast = IniFile.ReadInteger(Section, ContrastKey.Name, 10);
    AlphaValue = IniFile.ReadInteger(Section, AlphaValueKey.Name, 180);
    LogoFont = IniFile.ReadString(Section, LogoFontKey.Name, "Trebuchet MS");
    LogoFontSize = IniFile.ReadInteger(Section, LogoFontSizeKey.Name, 48);
}

} // namespace corvane
