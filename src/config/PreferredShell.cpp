#include "config/PreferredShell.h"

#include "platform/Platform.h"

namespace corvane {

// A remembered default shell stays the default, named as the settings write it, so that a user
// who keeps starting it sees no change at all.
TPreferredShell::TPreferredShell(const TCorvaneSettings& settings, const TShellList& shells,
                                 const std::string& remembered, const TAllowedShells& allowed) {
    if (allowed.Allows(settings.DefaultShell)) {
        Name = settings.DefaultShell;
        Item = settings.DefaultShellItem.get();
    }
    platform::SystemInfo& system = platform::System();
    if (remembered.empty() || system.CompareText(remembered, settings.DefaultShell) == 0) return;
    for (const TShellList::Entry& entry : shells) {
        if (system.CompareText(entry.Name, remembered) != 0) continue;
        Name = entry.Name;
        Item = entry.Item.get();
        return;
    }
}

} // namespace corvane
