#include "config/ShellListIO.h"

namespace corvane {

namespace {
constexpr const char* ShellsSection = "Shells";
}

TShellListIO::TShellListIO(const TIniFile& iniFile) : IniFile(iniFile) {}

TShellList TShellListIO::ReadShellList() const {
    TShellList list;
    for (const std::string& name : IniFile.ReadSection(ShellsSection)) {
        auto item = std::make_unique<TShellListItem>(ReadShellEntry(name));
        item->Name = name;
        list.Add(name, std::move(item));
    }
    return list;
}

std::string TShellListIO::ReadShellEntry(const std::string& name) const {
    return IniFile.ReadString(ShellsSection, name, "");
}

} // namespace corvane
