// Group Policy over the settings: which source gives a value (the machine's policy, the user's,
// the user's file, shells.ini, the default), the forms a policy's value may take, and what a
// value that is not in force leaves behind.
#include <gtest/gtest.h>

#include <optional>

#include "config/CorvaneInfo.h"
#include "support/ConfigPlatform.h"

namespace corvane {
namespace {

using platform::RegistryRoot;
constexpr RegistryRoot Machine = RegistryRoot::LocalMachine;
constexpr RegistryRoot User = RegistryRoot::CurrentUser;

std::string Dword(std::uint32_t n) {
    return {static_cast<char>(n), static_cast<char>(n >> 8), static_cast<char>(n >> 16), static_cast<char>(n >> 24)};
}

struct Precedence {
    const char* name;
    const TIniKey& key;
    std::optional<std::string> machine, user; // the policies' values: a number for a DWORD key
    const char* file;                         // the key's line in the user's file and in shells.ini; "" none
    const char* shared;
    const char* value;  // the text that the settings take
    const char* source; // where from
};

TEST(Policy, TheStrongestSourceThatGivesAValueWins) {
    const TIniKey& timer = TCorvaneSettings::TimerLengthKey;
    const TIniKey& shell = TCorvaneSettings::DefaultShellKey;
    const Precedence cases[] = {
        {"all four", timer, "10", "20", "30", "40", "10", "policy (machine)"},
        {"the user's policy", timer, {}, "20", "30", "40", "20", "policy (user)"},
        {"the user's file", timer, {}, {}, "30", "40", "30", "operator.ini"},
        {"shells.ini", timer, {}, {}, "", "40", "40", "shells.ini"},
        {"the default", timer, {}, {}, "", "", "", "default"},
        {"0 is a value", timer, "0", {}, "30", "", "0", "policy (machine)"},
        {"over a file's value not in its form", timer, {}, "20", "abc", "", "20", "policy (user)"},
        {"an empty name clears the default", shell, "", {}, "Alt", "", "", "policy (machine)"},
        {"a name", shell, {}, "Beta", "Alt", "Gamma", "Beta", "policy (user)"},
    };
    for (const Precedence& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ConfigPlatform fake;
        const auto line = [&](const char* text) {
            return *text ? std::string("[Settings]\r\n") + c.key.Name + "=" + text + "\r\n" : std::string("[Settings]\r\n");
        };
        fake.files.files["C:\\Launch\\operator.ini"] = line(c.file);
        fake.files.files["C:\\Launch\\shells.ini"] = "[Shells]\r\n" + line(c.shared);
        for (const auto& [root, value] : {std::pair{Machine, c.machine}, std::pair{User, c.user}}) {
            if (!value) continue;
            if (c.key.Form == TIniValueForm::Text) {
                fake.registry.Put(root, TPolicyIO::Key, c.key.Name, *value);
            } else {
                fake.registry.PutData(root, TPolicyIO::Key, c.key.Name, platform::RegDword, Dword(std::stoul(*value)));
            }
        }
        const TIniFile userIni("C:\\Launch\\operator.ini"), sharedIni("C:\\Launch\\shells.ini");
        const TCorvaneSettings settings(userIni, sharedIni, TPolicyIO(TCorvaneSettings::Keys));
        EXPECT_EQ(settings.TextOf(c.key), c.value);
        const std::optional<TPolicyScope> policy = settings.PolicyOf(c.key);
        const TIniFile* file = settings.FileOf(c.key);
        EXPECT_EQ(policy ? TPolicyIO::SourceName(*policy)
                  : file ? file->FileName().substr(10)
                         : "default",
                  c.source);
    }
}

struct Form {
    const char* name;
    const TIniKey& key;
    std::uint32_t type;
    std::string data;
    std::optional<std::string> text; // in force with this text, or not in force:
    const char* reason;
};

TEST(Policy, AValueInAnotherFormOrRangeIsNotInForceAndSaysWhy) {
    const TIniKey& timer = TCorvaneSettings::TimerLengthKey;
    const TIniKey& useTimer = TCorvaneSettings::UseTimerKey;
    const TIniKey& shell = TCorvaneSettings::DefaultShellKey;
    using platform::RegDword, platform::RegString;
    const Form cases[] = {
        {"switch on", useTimer, RegDword, Dword(1), "1", ""},
        {"switch, any other number is on", useTimer, RegDword, Dword(0xFFFFFFFF), "1", ""},
        {"switch off", useTimer, RegDword, Dword(0), "0", ""},
        {"largest number", timer, RegDword, Dword(2147483647), "2147483647", ""},
        {"beyond a setting", timer, RegDword, Dword(0x80000000), {}, "is 2147483648, more than the largest TimerLength, 2147483647"},
        {"number as text", timer, RegString, std::string("10\0", 3), {}, "is a REG_SZ value, not a REG_DWORD"},
        {"short DWORD", timer, RegDword, std::string("\x0A\0", 2), {}, "is a REG_DWORD of 2 bytes, not 4"},
        {"QWORD", timer, 11, Dword(10) + Dword(0), {}, "is a REG_QWORD value, not a REG_DWORD"},
        {"name", shell, RegString, std::string("Alt\0", 4), "Alt", ""},
        {"name to its first NUL", shell, RegString, std::string("Alt\0x\0", 6), "Alt", ""},
        {"expandable name", shell, platform::RegExpandString, std::string("Alt\0", 4), {}, "is a REG_EXPAND_SZ value, not a REG_SZ"},
        {"name as number", shell, RegDword, Dword(1), {}, "is a REG_DWORD value, not a REG_SZ"},
    };
    for (const Form& c : cases) {
        SCOPED_TRACE(c.name);
        testing::ConfigPlatform fake;
        fake.registry.PutData(Machine, TPolicyIO::Key, c.key.Name, c.type, c.data);
        const TPolicyIO policies(TCorvaneSettings::Keys);
        EXPECT_EQ(policies.Text(TPolicyScope::Machine, c.key), c.text);
        if (c.text) {
            EXPECT_TRUE(policies.Rejected().empty());
        } else {
            ASSERT_EQ(policies.Rejected().size(), 1u);
            EXPECT_EQ(policies.Rejected()[0].Reason, c.reason);
            EXPECT_EQ(policies.Rejected()[0].Place, "HKEY_LOCAL_MACHINE\\Software\\Policies\\Corvane");
        }
    }
}

// The next source takes the place of a machine's value that is not in force, and the logon
// record names it; without a registry (corvane-check) no policy is seen at all.
TEST(Policy, AValueNotInForceLeavesTheNextSourceAndIsRecorded) {
    testing::ConfigPlatform fake;
    fake.files.files["C:\\Launch\\operator.ini"] = "[Settings]\r\nTimerLength=30\r\n";
    fake.files.files["C:\\Launch\\shells.ini"] = "[Shells]\r\n";
    fake.registry.Put(Machine, TPolicyIO::Key, "TimerLength", "10");
    fake.registry.PutData(User, TPolicyIO::Key, "TimerLength", platform::RegDword, Dword(20));
    fake.recordStore.file.reset();
    const TCorvaneInfo info;
    EXPECT_EQ(info.Settings.TimerLength, 20);
    EXPECT_EQ(fake.recordStore.Events(),
              std::vector<std::string>{"policy not in force: HKEY_LOCAL_MACHINE\\Software\\Policies\\Corvane: "
                                       "TimerLength is a REG_SZ value, not a REG_DWORD, so this policy is not in force"});

    fake.services.registry = nullptr;
    fake.Reinstall();
    const TPolicyIO unseen(TCorvaneSettings::Keys);
    EXPECT_FALSE(unseen.Visible());
    EXPECT_FALSE(TAllowedShells().InForce());
}

} // namespace
} // namespace corvane
