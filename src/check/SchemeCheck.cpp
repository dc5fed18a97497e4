#include "check/SchemeCheck.h"

#include "config/ColoursIO.h"
#include "ui/Colours.h"

namespace corvane {

namespace {
constexpr std::int64_t LargestColour = 0xFFFFFF;

// A colour as schemes write it: "$" and six hexadecimal digits or more.
std::string Hex(std::int64_t value) {
    constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    for (auto bits = static_cast<std::uint32_t>(value); bits != 0 || text.size() < 6; bits >>= 4) text.insert(text.begin(), Digits[bits & 0xF]);
    return "$" + text;
}
} // namespace

TSchemeCheck::TSchemeCheck(TCheckContext& context, const std::string& schemeName)
    : Context_(context), SchemeName_(schemeName),
      File_(TColoursIO::SchemeFileOf(context.Options.ProgramFolder, schemeName)),
      Ini_(File_, context.Shown(File_.FileName()), context.Report) {}

void TSchemeCheck::Run() {
    if (!Ini_.CheckSection(TColoursIO::Section, KeyNames(TColoursIO::Keys), true) && Ini_.Parsed()) {
        Ini_.Warning(0, std::string("there is no [") + TColoursIO::Section + "] section: the chooser takes the "
                                                                              "default colours");
    }
    const TColoursIO scheme(Context_.Options.ProgramFolder, SchemeName_, TSchemesFolder::Leave);
    const auto line = [this](const TIniKey& key) { return Ini_.Line(TColoursIO::Section, key.Name); };
    for (const TIniKey& key : TColoursIO::Keys) {
        if (key.Form != TIniValueForm::Integer || !Ini_.RawValue(TColoursIO::Section, key.Name)) continue;
        const std::string text = scheme.IniFile.ReadText(TColoursIO::Section, key);
        std::int32_t number = 0;
        if (!TIniFile::TryParseInteger(text, number)) {
            Ini_.Warning(line(key), std::string(key.Name) + "=" + text + " is not a whole number: the launcher reads it "
                                                                         "as " + std::to_string(TIniFile::NumberOf(text, key)) +
                                        ", its default");
        }
    }

    // The title and list colours take twice the contrast, the rows' colour the contrast itself,
    // each as a percentage that the chooser keeps within 0 to 100.
    const std::int64_t contrast = scheme.Contrast;
    const std::string given = "Contrast=" + std::to_string(contrast);
    if (contrast < 0) {
        Ini_.Warning(line(TColoursIO::ContrastKey), given + " is below 0: the chooser uses 0, so its title, list and rows "
                                                            "take the base colour itself");
    } else if (ClampPercent(2 * contrast) != 2 * contrast) {
        Ini_.Warning(line(TColoursIO::ContrastKey),
                     given + ": the title and list colours take twice the contrast, " + std::to_string(2 * contrast) +
                         " per cent, which the chooser cuts to 100" +
                         (ClampPercent(contrast) != contrast ? "; the rows' colour takes " + std::to_string(contrast) +
                                                                   " per cent, also cut to 100"
                                                             : std::string()));
    }
    if (ClampTintWeight(scheme.AlphaValue) != scheme.AlphaValue) {
        Ini_.Warning(line(TColoursIO::AlphaValueKey), "AlphaValue=" + std::to_string(scheme.AlphaValue) +
                                                          " lies outside 0 to 255: the chooser uses " +
                                                          std::to_string(ClampTintWeight(scheme.AlphaValue)));
    }
    if (scheme.BaseColour > LargestColour) {
        Ini_.Warning(line(TColoursIO::BaseColourKey), "BaseColour=" + Hex(scheme.BaseColour) +
                                                          " has bits above the 24 of a colour (red, green, blue): the "
                                                          "chooser ignores them and uses " +
                                                          Hex(scheme.BaseColour & LargestColour));
    }
}

} // namespace corvane
