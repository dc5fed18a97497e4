#include "config/PreferredShell.h"

#include "text/AsciiText.h"

namespace corvane {

// A remembered default shell stays the default, named as the settings write it, so that a user
// who keeps starting it sees no change at all.
TPreferredShell::TPreferredShell(const TCorvaneSettings& settings, const TShellList& shells,
                                 const std::string& remembered)
    : Name(settings.DefaultShell), Item(settings.DefaultShellItem.get()) {
    if (remembered.empty() || SameTextAscii(remembered, settings.DefaultShell)) return;
    for (const TShellList::Entry& entry : shells) {
        if (!SameTextAscii(entry.Name, remembered)) continue;
        Name = entry.Name;
        Item = entry.Item.get();
        return;
    }
}

} // namespace corvane
