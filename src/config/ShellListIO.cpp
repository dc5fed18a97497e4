#include "config/ShellListIO.h"

namespace corvane {

TShellListIO::TShellListIO(const TIniFile& iniFile) : IniFile(iniFile) {}

TShellList TShellListIO::ReadShellList() const {
    TShellList list;
    for (const std::string& name : IniFile.ReadSection(Section)) {
        auto item = std::make_unique<TShellListItem>(ReadShellEntry(name));
        item->Name = name;
        list.Add(name, std::move(item));
    }
    return list;
}

std::string TShellListIO::ReadShellEntry(const std::string& name) const {
    return IniFile.ReadString(Section, name, "");
}

} // namespace corvane
