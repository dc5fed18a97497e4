#include <gtest/gtest.h>

#include "config/BinaryRecord.h"
#include "platform/Errors.h"
#include "shell/ShellInstall.h"
#include "support/LauncherWorld.h"

namespace corvane {
namespace {

using platform::RegistryRoot;
using platform::RegistryValue;
class ShellInstallTest : public testing::LauncherWorld {
protected:
    RegistryValue UserValue() { return fake.registry.ReadValue(User, Winlogon, "shell"); }

    TShellIO shellIO;
    TShellInstall install{shellIO, User};
};

// Whatever the user had before (nothing, or a value of either string type), install and
// uninstall give it back exactly; a second install keeps what the first remembered.
TEST_F(ShellInstallTest, UninstallGivesBackExactlyWhatTheFirstInstallFound) {
    const std::pair<const char*, std::uint32_t> earlier[] = {
        {nullptr, 0}, {"explorer.exe", platform::RegString}, {"%ProgramFiles%\\Alt\\alt.exe -x", platform::RegExpandString}};
    for (const auto& [text, type] : earlier) {
        SCOPED_TRACE(text != nullptr ? text : "(none)");
        fake.registry.keys.clear();
        if (text != nullptr) fake.registry.Put(User, Winlogon, "Shell", text, type);
        const RegistryValue before = UserValue();
        install.Install("C:\\Program Files\\Corvane\\corvane.exe");
        EXPECT_EQ(fake.registry.Text(User, Winlogon, "shell"),
                  "\"C:\\Program Files\\Corvane\\corvane.exe\"");
        const std::string second = install.Install("D:\\Corvane\\corvane.exe");
        EXPECT_NE(second.find("installed before"), std::string::npos) << second;
        EXPECT_EQ(fake.registry.Text(User, Winlogon, "shell"), "D:\\Corvane\\corvane.exe");

        bool installed = false;
        install.Uninstall("D:\\Corvane\\corvane.exe", installed);
        EXPECT_TRUE(installed);
        EXPECT_EQ(UserValue().state == RegistryValue::State::Present, before.state == RegistryValue::State::Present);
        if (text != nullptr) {
            EXPECT_EQ(UserValue().type, before.type);
            EXPECT_EQ(UserValue().data, before.data);
        }
        EXPECT_FALSE(fake.registry.HasKey(User, CorvaneKey)) << "what install added is gone";
        const std::string nothing = install.Uninstall("D:\\Corvane\\corvane.exe", installed);
        EXPECT_FALSE(installed);
        EXPECT_EQ(nothing, "Corvane is not installed as the shell of operator; nothing changed.\n");
    }
}

// A remembered value that cannot be read never leaves Corvane as the shell for good: install
// refuses when the shell is Corvane already (what was before is unknown) and remembers the
// shell anew otherwise; uninstall removes a shell that is Corvane and keeps any other.
TEST_F(ShellInstallTest, ADamagedRecordNeverKeepsCorvaneAsTheShell) {
    struct Case {
        const char* shell;    // the user's value beside the damaged record
        bool installRefused;  // Install raises and changes nothing
        const char* afterUninstall; // the user's value after Uninstall; null for none
    };
    const Case cases[] = {
        {"\"C:\\Program Files\\Corvane\\corvane.exe\"", true, nullptr},
        {"D:\\Other\\CORVANE.EXE --x", true, nullptr},
        {"C:\\Alt\\alt.exe", false, "C:\\Alt\\alt.exe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shell);
        const auto damage = [&] {
            fake.registry.keys.clear();
            fake.registry.Put(User, Winlogon, "Shell", c.shell);
            fake.registry.Put(User, CorvaneKey, TShellInstall::Value, "CVI", platform::RegBinary);
        };
        damage();
        if (c.installRefused) {
            EXPECT_THROW(install.Install("C:\\Program Files\\Corvane\\corvane.exe"), ERegistryException);
            EXPECT_EQ(fake.registry.Text(User, Winlogon, "shell"), c.shell) << "nothing changed";
        } else {
            install.Install("C:\\Program Files\\Corvane\\corvane.exe");
            bool installed = false;
            install.Uninstall("C:\\Program Files\\Corvane\\corvane.exe", installed);
            EXPECT_EQ(fake.registry.Text(User, Winlogon, "shell"), c.shell) << "remembered anew";
        }
        damage();
        bool installed = false;
        const std::string report = install.Uninstall("C:\\Program Files\\Corvane\\corvane.exe", installed);
        EXPECT_TRUE(installed);
        EXPECT_NE(report.find("could not be read"), std::string::npos) << report;
        const auto after = fake.registry.Text(User, Winlogon, "shell");
        EXPECT_EQ(after, c.afterUninstall ? std::optional<std::string>(c.afterUninstall) : std::nullopt);
        EXPECT_FALSE(fake.registry.HasKey(User, CorvaneKey)) << "the damaged record is gone";
    }
}

// A shell that is some corvane.exe already, with nothing remembered (set by hand, or an install
// whose record went), is not taken for the shell before: uninstall then leaves no Corvane.
TEST_F(ShellInstallTest, ACorvaneShellIsNotRememberedAsTheShellBefore) {
    fake.registry.Put(User, Winlogon, "Shell", "C:\\Old\\corvane.exe");
    install.Install("C:\\New\\corvane.exe");
    bool installed = false;
    install.Uninstall("C:\\New\\corvane.exe", installed);
    EXPECT_EQ(fake.registry.Text(User, Winlogon, "shell"), std::nullopt);
}

// Without the rights to either key, a change of every user's shell changes nothing at all and
// says that administrator rights are needed, whichever key refuses; with them, the machine's
// value comes back exactly.
TEST_F(ShellInstallTest, EveryUsersShellChangesWhollyOrNotAtAll) {
    const TShellInstall machine{shellIO, Machine};
    const std::string exe = "C:\\Program Files\\Corvane\\corvane.exe";
    const auto snapshot = [this] { return fake.registry.keys; };
    for (const char* lockedKey : {Winlogon.c_str(), CorvaneKey}) {
        SCOPED_TRACE(lockedKey);
        fake.registry.keys.clear();
        fake.registry.readOnly.clear();
        fake.registry.Put(Machine, Winlogon, "Shell", "explorer.exe");
        fake.registry.readOnly.insert(testing::FakeRegistry::Id(Machine, lockedKey));
        const auto before = snapshot();
        try {
            machine.Install(exe);
            ADD_FAILURE() << "installed without rights";
        } catch (const ERegistryException& error) {
            EXPECT_STREQ(error.what(), TShellInstall::AdministratorRightsNeeded);
        }
        EXPECT_EQ(snapshot(), before);

        fake.registry.readOnly.clear();
        machine.Install(exe);
        fake.registry.readOnly.insert(testing::FakeRegistry::Id(Machine, lockedKey));
        const auto installed = snapshot();
        bool wasInstalled = false;
        EXPECT_THROW(machine.Uninstall(exe, wasInstalled), ERegistryException);
        EXPECT_EQ(snapshot(), installed);

        fake.registry.readOnly.clear();
        machine.Uninstall(exe, wasInstalled);
        EXPECT_EQ(fake.registry.Text(Machine, Winlogon, "shell"), "explorer.exe");
        EXPECT_FALSE(fake.registry.HasKey(Machine, CorvaneKey));
    }
}

// A shell that someone set after the install (an administrator's kiosk, no shell of the user's
// own, another corvane.exe) stays as it is: only the remembered value goes. This corvane.exe in
// other letters, quotes or with arguments is still the install's.
TEST_F(ShellInstallTest, UninstallLeavesAShellThatWasChangedSince) {
    const std::string exe = "C:\\Program Files\\Corvane\\corvane.exe";
    const struct {
        platform::RegistryRoot root;
        const char* changedTo; // null: the value removed
        const char* after;     // the value after the uninstall; null for none
    } cases[] = {
        {User, "C:\\Admin\\kiosk.exe", "C:\\Admin\\kiosk.exe"},
        {User, nullptr, nullptr},
        {User, "D:\\Other\\corvane.exe", "D:\\Other\\corvane.exe"},
        {User, "\"c:\\program files\\corvane\\CORVANE.EXE\" /x", "own.exe"},
        {Machine, "C:\\Admin\\kiosk.exe", "C:\\Admin\\kiosk.exe"},
        {Machine, "\"C:\\Program Files\\Corvane\\corvane.exe\"", "own.exe"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.root == User ? "user: " : "machine: ") + (c.changedTo ? c.changedTo : "(removed)"));
        fake.registry.keys.clear();
        fake.registry.Put(c.root, Winlogon, "Shell", "own.exe");
        const TShellInstall shell{shellIO, c.root};
        shell.Install(exe);
        if (c.changedTo != nullptr) {
            fake.registry.Put(c.root, Winlogon, "Shell", c.changedTo);
        } else {
            fake.registry.DeleteValue(c.root, Winlogon, "Shell");
        }
        bool installed = false;
        const std::string report = shell.Uninstall(exe, installed);
        EXPECT_TRUE(installed);
        EXPECT_EQ(fake.registry.Text(c.root, Winlogon, "shell"), c.after ? std::optional<std::string>(c.after) : std::nullopt);
        EXPECT_FALSE(fake.registry.HasKey(c.root, CorvaneKey)) << "the record goes either way";
        EXPECT_EQ(report.find("stays as it is") != std::string::npos, c.after == nullptr || std::string(c.after) != "own.exe")
            << report;
    }
}

// A write of the shell that fails in any way, a refusal for lack of rights or another error,
// leaves no record behind.
TEST_F(ShellInstallTest, AFailedWriteOfTheShellLeavesNoRecord) {
    const TShellInstall machine{shellIO, Machine};
    for (const bool denied : {true, false}) {
        SCOPED_TRACE(denied ? "denied" : "failed");
        fake.registry.keys.clear();
        fake.registry.readOnly.clear();
        fake.registry.refuseSet.clear();
        fake.registry.Put(Machine, Winlogon, "Shell", "explorer.exe");
        (denied ? fake.registry.readOnly : fake.registry.refuseSet).insert(testing::FakeRegistry::Id(Machine, Winlogon));
        EXPECT_THROW(machine.Install("C:\\Corvane\\corvane.exe"), ERegistryException);
        EXPECT_EQ(fake.registry.Text(Machine, Winlogon, "shell"), "explorer.exe");
        EXPECT_FALSE(fake.registry.HasKey(Machine, CorvaneKey));
    }
}

} // namespace
} // namespace corvane
