// The AllowedShells policy: which scope's list is in force, the shells it leaves to the chooser,
// and a default or remembered shell that it leaves out.
#include <gtest/gtest.h>

#include "config/BinaryRecord.h"
#include "config/CorvaneInfo.h"
#include "support/ConfigPlatform.h"
#include "text/Utf.h"

namespace corvane {
namespace {

using platform::RegistryRoot;
const std::string ListKey = std::string(TPolicyIO::Key) + "\\" + TAllowedShells::Name;

// One value of a list: its type and text.
struct Item {
    std::uint32_t type;
    std::string text;
};
using List = std::optional<std::vector<Item>>; // nothing: no key

Item Name(const char* text) { return {platform::RegString, text}; }

struct Lists {
    const char* name;
    List machine, user;
    std::vector<std::string> offered; // the chooser's shells
    std::optional<TPolicyScope> scope;
    std::size_t rejected;
};

TEST(AllowedShells, TheMachinesListWinsAndTheChooserOffersOnlyItsShells) {
    const std::vector<std::string> all{"Alpha", "beta", "gamma", "Ωmega"};
    const Lists cases[] = {
        {"no policy", {}, {}, all, {}, 0},
        {"the machine's", std::vector{Name("beta")}, {}, {"beta"}, TPolicyScope::Machine, 0},
        {"the user's", {}, std::vector{Name("gamma"), Name("Alpha")}, {"Alpha", "gamma"}, TPolicyScope::User, 0},
        {"both", std::vector{Name("beta")}, std::vector{Name("gamma")}, {"beta"}, TPolicyScope::Machine, 0},
        {"an empty key is none", std::vector<Item>{}, std::vector{Name("gamma")}, {"gamma"}, TPolicyScope::User, 0},
        {"letter case", std::vector{Name("BETA"), Name("ΩMEGA")}, {}, {"beta", "Ωmega"}, TPolicyScope::Machine, 0},
        {"a name no shell has", std::vector{Name("delta")}, {}, {}, TPolicyScope::Machine, 0},
        {"no name in force", std::vector{Item{platform::RegDword, "\1\0\0\0"}, Name("")}, std::vector{Name("gamma")},
         {"gamma"}, TPolicyScope::User, 3},
        {"a name beside what is none", std::vector{Item{platform::RegExpandString, "beta"}, Name("Alpha")}, {},
         {"Alpha"}, TPolicyScope::Machine, 1},
    };
    for (const Lists& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ConfigPlatform fake;
        fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\r\n";
        // Saved as Unicode, as a name beyond the legacy code page needs.
        fake.files.files["C:\\Launch\\shells.ini"] = Utf8ToUtf16(
            "\xEF\xBB\xBF[Shells]\r\ngamma=C:\\g.exe,0,,\r\nΩmega=C:\\o.exe,0,,\r\nbeta=C:\\b.exe,0,,\r\nAlpha=C:\\a.exe,0,,\r\n",
            false);
        for (const auto& [root, list] : {std::pair{RegistryRoot::LocalMachine, c.machine}, std::pair{RegistryRoot::CurrentUser, c.user}}) {
            if (!list) continue;
            fake.registry.keys[testing::FakeRegistry::Id(root, ListKey)];
            for (std::size_t i = 0; i < list->size(); ++i) {
                fake.registry.Put(root, ListKey, std::to_string(i + 1), (*list)[i].text, (*list)[i].type);
            }
        }
        const TCorvaneInfo info;
        std::vector<std::string> offered;
        for (const auto& entry : info.ShellList) offered.push_back(entry.Name);
        EXPECT_EQ(offered, c.offered);
        EXPECT_EQ(info.AllowedShells.Scope(), c.scope);
        EXPECT_EQ(info.AllowedShells.Rejected().size(), c.rejected);
    }
}

// A default shell that the list leaves out is none, and a remembered one is passed over.
TEST(AllowedShells, ADefaultOrRememberedShellLeftOutCountsAsNone) {
    testing::ConfigPlatform fake;
    fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\r\nDefaultShell=alpha\r\nRememberLastShell=1\r\n";
    fake.files.files["C:\\Launch\\shells.ini"] = "[Shells]\r\nbeta=C:\\b.exe,0,,\r\nAlpha=C:\\a.exe,0,,\r\n";
    fake.registry.Put(RegistryRoot::CurrentUser, ListKey, "1", "beta");
    fake.registry.Put(RegistryRoot::CurrentUser, CorvaneKey, TLastShellIO::Value, "Alpha");
    {
        const TCorvaneInfo info;
        EXPECT_EQ(info.PreferredShell.Name, "");
        EXPECT_EQ(info.PreferredShell.Item, nullptr);
        EXPECT_NE(info.Settings.DefaultShellItem, nullptr) << "the settings still name it";
    }
    fake.registry.Put(RegistryRoot::CurrentUser, ListKey, "2", "ALPHA");
    fake.registry.Put(RegistryRoot::CurrentUser, CorvaneKey, TLastShellIO::Value, "beta");
    const TCorvaneInfo info;
    EXPECT_EQ(info.PreferredShell.Name, "beta");
}

} // namespace
} // namespace corvane
