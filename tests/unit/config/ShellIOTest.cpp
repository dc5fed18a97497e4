#include <gtest/gtest.h>

#include "config/RegistryWrites.h"
#include "config/ShellIO.h"
#include "platform/Errors.h"
#include "support/ConfigPlatform.h"

namespace corvane {
namespace {

using platform::RegistryRoot;
constexpr auto User = RegistryRoot::CurrentUser;
constexpr auto Machine = RegistryRoot::LocalMachine;
// Where the setting lives, spelled out here alone: the other tests take the keys from TShellIO.
const std::string Winlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const std::string Mapping = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\system.ini\\boot";
const std::string SysMapping = TShellIO::MachineMapping;
const std::string UsrMapping = TShellIO::UserMapping;

class ShellIOTest : public ::testing::Test {
protected:
    ShellIOTest() { fake.registry.Put(Machine, Winlogon, "Shell", "explorer.exe"); }

    // The error WriteShell raises, or an empty text when it raises none.
    std::string WriteError(const std::string& text) {
        try {
            io.WriteShell(text);
        } catch (const ERegistryException& error) {
            return error.what();
        }
        return "";
    }

    testing::ConfigPlatform fake;
    TShellIO io;
};

TEST_F(ShellIOTest, ReadShellTakesSystemIniBootShellOrNoneFound) {
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {std::nullopt, "None Found"},
        {"", "None Found"},
        {"[386Enh]\r\nshell=x\r\n", "None Found"},
        {"[boot]\r\nsystem.drv=system.drv\r\n", "None Found"},
        {"[boot]\r\nshell\r\n", "None Found"},
        {"[boot]\r\nshell=\r\n", ""},
        {"[Boot]\r\nSHELL = \"C:\\Alt\\alt.exe\" \r\n", "C:\\Alt\\alt.exe"},
        {"[boot]\r\nshell=" + std::string(3000, 'x') + "\r\n", std::string(2047, 'x')},
    };
    for (const auto& [content, expected] : cases) {
        fake.files.files.erase("C:\\Windows\\system.ini");
        if (content) fake.files.files["C:\\Windows\\system.ini"] = *content;
        EXPECT_EQ(io.ReadShell(), expected) << content.value_or("(no file)");
    }
}

TEST_F(ShellIOTest, FirstFamilyWritesSystemIniOnly) {
    fake.system.platformId = 1;
    io.WriteShell("C:\\Alt\\alt.exe");
    EXPECT_EQ(fake.files.files["C:\\Windows\\system.ini"], "[boot]\r\nshell=C:\\Alt\\alt.exe\r\n");
    EXPECT_EQ(io.ReadShell(), "C:\\Alt\\alt.exe");
    EXPECT_EQ(io.ReadSystemIniShell(), "C:\\Alt\\alt.exe");
    EXPECT_TRUE(fake.registry.writes.empty());
}

TEST_F(ShellIOTest, FirstFamilyIgnoresAFailedWrite) {
    fake.system.platformId = 1;
    fake.files.readOnlyFolders.insert("C:\\Windows\\");
    EXPECT_EQ(WriteError("C:\\Alt\\alt.exe"), "");
    EXPECT_EQ(io.ReadShell(), "None Found");
    EXPECT_EQ(io.ReadSystemIniShell(), std::nullopt);
}

TEST_F(ShellIOTest, OtherFamiliesChangeNothing) {
    for (const int family : {0, 3}) {
        fake.system.platformId = family;
        io.WriteShell("C:\\Alt\\alt.exe");
        EXPECT_TRUE(fake.registry.writes.empty());
        EXPECT_EQ(fake.files.files.count("C:\\Windows\\system.ini"), 0u);
    }
}

// The mapping turns from the machine's key to the user's only from the exact "SYS:" text.
TEST_F(ShellIOTest, NtFamilyWritesBothValuesAndSwitchesTheMappingFromSysOnly) {
    struct Case {
        const char* what;
        std::optional<std::string> mappingBefore; // nothing: no mapping value
        bool mappingKeyExists;
        std::string mappingAfter;
    };
    const Case cases[] = {
        {"SYS: value", SysMapping, true, UsrMapping},
        {"no mapping key", std::nullopt, false, UsrMapping},
        {"no mapping value", std::nullopt, true, UsrMapping},
        {"USR: value", UsrMapping, true, UsrMapping},
        {"SYS: in other letter case", "sys:microsoft\\windows nt\\currentversion\\winlogon", true,
         "sys:microsoft\\windows nt\\currentversion\\winlogon"},
        {"another value", "SYS:Elsewhere", true, "SYS:Elsewhere"},
        {"empty value", "", true, ""},
    };
    for (const Case& c : cases) {
        testing::FakeRegistry& registry = fake.registry;
        registry.keys.clear();
        registry.writes.clear();
        if (c.mappingKeyExists) registry.CreateKey(Machine, Mapping);
        if (c.mappingBefore) registry.Put(Machine, Mapping, "shell", *c.mappingBefore);

        io.WriteShell("C:\\Alt\\alt.exe");
        EXPECT_EQ(registry.Text(User, Winlogon, "shell"), "C:\\Alt\\alt.exe") << c.what;
        EXPECT_EQ(registry.Text(Machine, Winlogon, "shell"), "C:\\Alt\\alt.exe") << c.what;
        EXPECT_EQ(registry.Text(Machine, Mapping, "shell"), c.mappingAfter) << c.what;
        EXPECT_EQ(registry.writes.size(), c.mappingAfter == c.mappingBefore ? 2u : 3u) << c.what;
    }
}

TEST_F(ShellIOTest, TheMappingIsNeverTurnedBack) {
    fake.registry.Put(Machine, Mapping, "shell", SysMapping);
    const std::string previous = ReadRegistryText(Machine, TShellIO::WinlogonKey, "shell", "");
    io.WriteShell("C:\\Alt\\alt.exe");
    io.WriteShell(previous);
    EXPECT_EQ(fake.registry.Text(User, Winlogon, "shell"), "explorer.exe");
    EXPECT_EQ(fake.registry.Text(Machine, Winlogon, "shell"), "explorer.exe");
    EXPECT_EQ(fake.registry.Text(Machine, Mapping, "shell"), UsrMapping);
}

// Each refusal stops the write where it happens; what was written before stays written.
TEST_F(ShellIOTest, RefusalsStopTheWriteAtTheirStep) {
    struct Case {
        const char* what;
        std::set<testing::FakeRegistry::KeyId> testing::FakeRegistry::*refusal;
        RegistryRoot root;
        std::string key;
        std::string error;
        std::vector<std::string> writes;
    };
    const std::string userWrite = "HKCU\\" + Winlogon + "\\shell=C:\\a.exe";
    const std::string machineWrite = "HKLM\\" + Winlogon + "\\shell=C:\\a.exe";
    const std::string mappingWrite = "HKLM\\" + Mapping + "\\shell=" + UsrMapping;
    const Case cases[] = {
        {"user key not created", &testing::FakeRegistry::refuseCreate, User, Winlogon,
         "Failed to create key \\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", {}},
        {"user value not set", &testing::FakeRegistry::refuseSet, User, Winlogon, "Failed to set data for 'shell'", {}},
        {"user key not opened", &testing::FakeRegistry::refuseOpen, User, Winlogon, "", {machineWrite, mappingWrite}},
        {"machine key not created", &testing::FakeRegistry::refuseCreate, Machine, Winlogon,
         "Failed to create key \\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", {userWrite}},
        {"machine value not set", &testing::FakeRegistry::refuseSet, Machine, Winlogon,
         "Failed to set data for 'shell'", {userWrite}},
        {"machine key not opened", &testing::FakeRegistry::refuseOpen, Machine, Winlogon, "", {userWrite, mappingWrite}},
        {"mapping key not created", &testing::FakeRegistry::refuseCreate, Machine, Mapping,
         "Failed to create key \\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\system.ini\\boot",
         {userWrite, machineWrite}},
        {"mapping value not set", &testing::FakeRegistry::refuseSet, Machine, Mapping,
         "Failed to set data for 'shell'", {userWrite, machineWrite}},
    };
    for (const Case& c : cases) {
        fake.registry = testing::FakeRegistry();
        fake.registry.Put(Machine, Mapping, "shell", SysMapping);
        fake.registry.Put(User, Winlogon, "shell", "old.exe");
        (fake.registry.*c.refusal).insert(testing::FakeRegistry::Id(c.root, c.key));
        EXPECT_EQ(WriteError("C:\\a.exe"), c.error) << c.what;
        EXPECT_EQ(fake.registry.writes, c.writes) << c.what;
    }
}

TEST_F(ShellIOTest, ReadsRegistryStringsByTheirTypeAndSize) {
    testing::FakeRegistry& registry = fake.registry;
    registry.Put(Machine, "K", "sz", "text");
    registry.Put(Machine, "K", "expand", "%SystemRoot%\\x.exe", platform::RegExpandString);
    registry.keys[registry.Id(Machine, "K")]["nul"] = {platform::RegistryValue::State::Present, 1, std::string("a\0b", 3)};
    registry.keys[registry.Id(Machine, "K")]["empty"] = {platform::RegistryValue::State::Present, 4, ""};
    registry.keys[registry.Id(Machine, "K")]["dword"] = {platform::RegistryValue::State::Present, 4, "\1\0\0\0"};
    EXPECT_EQ(ReadRegistryText(Machine, "\\K", "sz", "d"), "text");
    EXPECT_EQ(ReadRegistryText(Machine, "\\K", "expand", "d"), "%SystemRoot%\\x.exe");
    EXPECT_EQ(ReadRegistryText(Machine, "\\K", "nul", "d"), "a");
    EXPECT_EQ(ReadRegistryText(Machine, "\\K", "empty", "d"), "");
    EXPECT_EQ(ReadRegistryText(Machine, "\\K", "missing", "d"), "d");
    EXPECT_EQ(ReadRegistryText(Machine, "\\Missing", "sz", "d"), "d");
    EXPECT_THROW(ReadRegistryText(Machine, "\\K", "dword", "d"), ERegistryException);
    try {
        fake.registry.keys[registry.Id(Machine, Mapping)]["shell"] = {platform::RegistryValue::State::Present, 4, "1234"};
        io.WriteShell("C:\\a.exe");
        ADD_FAILURE() << "no error";
    } catch (const ERegistryException& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'shell'");
    }
}

TEST_F(ShellIOTest, WritesTheTextAsAStringWithItsNul) {
    io.WriteShell("C:\\a.exe");
    const platform::RegistryValue value = io.ReadWinlogonShell(User);
    EXPECT_EQ(value.type, platform::RegString);
    EXPECT_EQ(value.data, std::string("C:\\a.exe\0", 9));
    EXPECT_EQ(io.ReadIniFileMapping().data, UsrMapping + '\0');
    EXPECT_EQ(WriteError("None Found"), "");
    EXPECT_EQ(fake.registry.Text(Machine, Winlogon, "shell"), "None Found");
}

// Whether the setting starts a given program: the text that system.ini reads, or the Winlogon
// value that applies (the user's before the machine's), ignoring case, quotes and arguments.
TEST_F(ShellIOTest, StartsComparesTheSettingThatAppliesWithAProgram) {
    struct Case {
        const char* name;
        const char* systemIni; // nullptr: no file
        const char* user;      // nullptr: no value
        const char* machine;
        int family;
        bool starts;
    };
    const Case cases[] = {
        {"user value", nullptr, "C:\\Launch\\corvane.exe", "explorer.exe", 2, true},
        {"case, quotes, arguments", nullptr, "\"c:\\LAUNCH\\Corvane.EXE\" /logon", "explorer.exe", 2, true},
        {"machine value", nullptr, nullptr, "C:\\Launch\\corvane.exe", 2, true},
        {"the user's value applies first", nullptr, "explorer.exe", "C:\\Launch\\corvane.exe", 2, false},
        {"another corvane.exe", nullptr, "D:\\Other\\corvane.exe", "explorer.exe", 2, false},
        {"a longer name", nullptr, "C:\\Launch\\corvane.exe2", "explorer.exe", 2, false},
        {"system.ini's text", "[boot]\r\nshell=C:\\LAUNCH\\corvane.exe\r\n", nullptr, "explorer.exe", 2, true},
        {"first family: system.ini", "[boot]\r\nshell=c:\\launch\\corvane.exe -x\r\n", nullptr, nullptr, 1, true},
        {"first family ignores the registry", nullptr, "C:\\Launch\\corvane.exe", nullptr, 1, false},
        {"nothing set", nullptr, nullptr, nullptr, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake.registry.keys.clear();
        fake.files.files.erase("C:\\Windows\\system.ini");
        if (c.systemIni) fake.files.files["C:\\Windows\\system.ini"] = c.systemIni;
        if (c.user) fake.registry.Put(User, Winlogon, "Shell", c.user);
        if (c.machine) fake.registry.Put(Machine, Winlogon, "Shell", c.machine);
        fake.system.platformId = c.family;
        EXPECT_EQ(io.Starts("C:\\Launch\\corvane.exe"), c.starts);
    }
}

} // namespace
} // namespace corvane
