// Which shell takes the default shell's place at a logon: the remembered one only while the
// settings ask for it and the shell list still has it, and the registry is read once at most.
#include <gtest/gtest.h>

#include <algorithm>

#include "config/BinaryRecord.h"
#include "config/CorvaneInfo.h"
#include "support/ConfigPlatform.h"

namespace corvane {
namespace {

using platform::RegistryRoot;
constexpr RegistryRoot User = RegistryRoot::CurrentUser;

struct Remembering {
    const char* name;
    const char* settings;   // lines of [Settings] after DefaultShell=alpha
    const char* stored;     // the LastShell value's text; nullptr: no value
    std::uint32_t type;     // its type
    const char* preferred;  // the name in the default shell's place
    int listIndex;          // its item in the sorted list (Alpha, beta, gamma); -1: the settings' own item
    int registryReads;      // reads under Software\Corvane
};

TEST(PreferredShell, IsTheRememberedShellOnlyWhileAskedForAndListed) {
    constexpr std::uint32_t Text = platform::RegString;
    const Remembering cases[] = {
        {"key absent", "", "gamma", Text, "alpha", -1, 0},
        {"off", "RememberLastShell=0\r\n", "gamma", Text, "alpha", -1, 0},
        {"not a number reads as off", "RememberLastShell=yes\r\n", "gamma", Text, "alpha", -1, 0},
        {"on, nothing remembered", "RememberLastShell=1\r\n", nullptr, Text, "alpha", -1, 1},
        {"on", "RememberLastShell=1\r\n", "gamma", Text, "gamma", 2, 1},
        {"other letter case", "RememberLastShell=1\r\n", "GAMMA", Text, "gamma", 2, 1},
        {"no longer listed", "RememberLastShell=1\r\n", "delta", Text, "alpha", -1, 1},
        {"a longer name", "RememberLastShell=1\r\n", "gamma2", Text, "alpha", -1, 1},
        {"the default itself", "RememberLastShell=1\r\n", "ALPHA", Text, "alpha", -1, 1},
        {"empty", "RememberLastShell=1\r\n", "", Text, "alpha", -1, 1},
        {"not text", "RememberLastShell=1\r\n", "gamma", platform::RegBinary, "alpha", -1, 1},
    };
    for (const Remembering& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ConfigPlatform fake;
        fake.files.files["C:\\Launch\\operator.ini"] = std::string("[Settings]\r\nDefaultShell=alpha\r\n") + c.settings;
        fake.files.files["C:\\Launch\\shells.ini"] =
            "[Shells]\r\ngamma=C:\\g.exe,0,,\r\nbeta=C:\\b.exe,0,,\r\nAlpha=C:\\a.exe,0,,\r\n";
        if (c.stored != nullptr) fake.registry.Put(User, CorvaneKey, TLastShellIO::Value, c.stored, c.type);
        const TCorvaneInfo info;
        EXPECT_EQ(info.PreferredShell.Name, c.preferred);
        const TShellListItem* expected = c.listIndex < 0 ? info.Settings.DefaultShellItem.get()
                                                         : &info.ShellList.Item(static_cast<std::size_t>(c.listIndex));
        EXPECT_EQ(info.PreferredShell.Item, expected);
        EXPECT_EQ(std::count(fake.registry.reads.begin(), fake.registry.reads.end(),
                             testing::FakeRegistry::Id(User, CorvaneKey)),
                  c.registryReads);
        EXPECT_TRUE(fake.dialogs.messages.empty()) << "nothing is said about a remembered shell";
    }
}

// Without a default shell, the remembered one is all there is; without either, there is none.
TEST(PreferredShell, StandsInForAMissingDefaultShell) {
    testing::ConfigPlatform fake;
    fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\r\nRememberLastShell=1\r\n";
    fake.files.files["C:\\Launch\\shells.ini"] = "[Shells]\r\nbeta=C:\\b.exe,0,,\r\n";
    {
        const TCorvaneInfo info;
        EXPECT_EQ(info.PreferredShell.Name, "");
        EXPECT_EQ(info.PreferredShell.Item, nullptr);
    }
    fake.registry.Put(User, CorvaneKey, TLastShellIO::Value, "Beta");
    const TCorvaneInfo info;
    EXPECT_EQ(info.PreferredShell.Name, "beta");
    EXPECT_EQ(info.PreferredShell.Item, &info.ShellList.Item(0));
}

} // namespace
} // namespace corvane
