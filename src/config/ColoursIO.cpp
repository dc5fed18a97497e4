#include "config/ColoursIO.h"

#include "platform/Platform.h"

namespace corvane {

namespace {

// Creates the schemes folder when asked to; when that fails (it exists, or the program folder
// is read-only) the scheme file is looked for all the same.
std::string FindSchemeFile(const std::string& programFolder, const std::string& schemeName, TSchemesFolder folder) {
    if (folder == TSchemesFolder::Create) platform::Files().CreateDirectory(programFolder + TColoursIO::SchemesFolder);
    return TColoursIO::SchemeFileOf(programFolder, schemeName);
}
} // namespace

std::string TColoursIO::SchemeFileOf(const std::string& programFolder, const std::string& schemeName) {
    return programFolder + TColoursIO::SchemesFolder + "\\" + schemeName + ".crs";
}

TColoursIO::TColoursIO(const std::string& programFolder, const std::string& schemeName, TSchemesFolder folder)
    : SchemeName(schemeName), SchemeFile(FindSchemeFile(programFolder, schemeName, folder)), IniFile(SchemeFile) {
    const auto number = [this](const TIniKey& key) { return TIniFile::NumberOf(IniFile.ReadText(Section, key), key); };
    BaseColour = number(BaseColourKey);
    Contrast = number(ContrastKey);
    AlphaValue = number(AlphaValueKey);
    LogoFont = IniFile.ReadText(Section, LogoFontKey);
    LogoFontSize = number(LogoFontSizeKey);
}

} // namespace corvane
