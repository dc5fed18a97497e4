// The list of configured shells: each shell's name with the item built from its entry. The
// list owns the items.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/ShellListItem.h"

namespace corvane {

class TShellList {
public:
    struct Entry {
        std::string Name;
        std::unique_ptr<TShellListItem> Item;
    };

    void Add(std::string name, std::unique_ptr<TShellListItem> item);
    // Orders the entries by name, ignoring letter case the way the user's locale compares
    // texts; entries whose names compare equal keep their order.
    void Sort();
    // Keeps the entries whose names keep accepts, in their order.
    void Retain(const std::function<bool(const std::string&)>& keep);

    std::size_t Count() const { return Entries_.size(); }
    const std::string& Name(std::size_t index) const { return Entries_.at(index).Name; }
    const TShellListItem& Item(std::size_t index) const { return *Entries_.at(index).Item; }
    std::vector<Entry>::const_iterator begin() const { return Entries_.begin(); }
    std::vector<Entry>::const_iterator end() const { return Entries_.end(); }

private:
    std::vector<Entry> Entries_;
};

} // namespace corvane
