#include "config/ShellList.h"

#include <algorithm>

#include "platform/Platform.h"

namespace corvane {

void TShellList::Add(std::string name, std::unique_ptr<TShellListItem> item) {
    Entries_.push_back(Entry{std::move(name), std::move(item)});
}

void TShellList::Sort() {
    platform::SystemInfo& system = platform::System();
    std::stable_sort(Entries_.begin(), Entries_.end(),
                     [&system](const Entry& a, const Entry& b) { return system.CompareText(a.Name, b.Name) < 0; });
}

void TShellList::Retain(const std::function<bool(const std::string&)>& keep) {
    std::erase_if(Entries_, [&keep](const Entry& entry) { return !keep(entry.Name); });
}

} // namespace corvane
