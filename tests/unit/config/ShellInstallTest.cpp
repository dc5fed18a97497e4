#include <gtest/gtest.h>

#include "config/ShellInstall.h"
#include "platform/Errors.h"
#include "support/ConfigPlatform.h"

namespace corvane {
namespace {

using platform::RegistryRoot;
using platform::RegistryValue;
const std::string Winlogon = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

class ShellInstallTest : public ::testing::Test {
protected:
    RegistryValue UserValue() { return fake.registry.ReadValue(RegistryRoot::CurrentUser, Winlogon, "shell"); }

    testing::ConfigPlatform fake;
    TShellIO shellIO;
    TShellInstall install{shellIO};
};

// Whatever the user had before (nothing, or a value of either string type), install and
// uninstall give it back exactly; a second install keeps what the first remembered.
TEST_F(ShellInstallTest, UninstallGivesBackExactlyWhatTheFirstInstallFound) {
    const std::pair<const char*, std::uint32_t> earlier[] = {
        {nullptr, 0}, {"explorer.exe", platform::RegString}, {"%ProgramFiles%\\Alt\\alt.exe -x", platform::RegExpandString}};
    for (const auto& [text, type] : earlier) {
        SCOPED_TRACE(text != nullptr ? text : "(none)");
        fake.registry.keys.clear();
        if (text != nullptr) fake.registry.Put(RegistryRoot::CurrentUser, Winlogon, "Shell", text, type);
        const RegistryValue before = UserValue();
        install.Install("C:\\Program Files\\Corvane\\corvane.exe");
        EXPECT_EQ(fake.registry.Text(RegistryRoot::CurrentUser, Winlogon, "shell"),
                  "\"C:\\Program Files\\Corvane\\corvane.exe\"");
        const std::string second = install.Install("D:\\Corvane\\corvane.exe");
        EXPECT_NE(second.find("installed before"), std::string::npos) << second;
        EXPECT_EQ(fake.registry.Text(RegistryRoot::CurrentUser, Winlogon, "shell"), "D:\\Corvane\\corvane.exe");

        bool installed = false;
        install.Uninstall(installed);
        EXPECT_TRUE(installed);
        EXPECT_EQ(UserValue().state == RegistryValue::State::Present, before.state == RegistryValue::State::Present);
        if (text != nullptr) {
            EXPECT_EQ(UserValue().type, before.type);
            EXPECT_EQ(UserValue().data, before.data);
        }
        EXPECT_FALSE(fake.registry.HasKey(RegistryRoot::CurrentUser, TShellInstall::Key)) << "what install added is gone";
        const std::string nothing = install.Uninstall(installed);
        EXPECT_FALSE(installed);
        EXPECT_EQ(nothing, "Corvane is not installed as the shell of operator; nothing changed.\n");
    }
}

TEST_F(ShellInstallTest, ADamagedRecordLeavesTheShellAlone) {
    fake.registry.Put(RegistryRoot::CurrentUser, Winlogon, "Shell", "corvane.exe");
    fake.registry.Put(RegistryRoot::CurrentUser, TShellInstall::Key, TShellInstall::Value, "CVI", platform::RegBinary);
    bool installed = false;
    EXPECT_THROW(install.Uninstall(installed), ERegistryException);
    EXPECT_EQ(fake.registry.Text(RegistryRoot::CurrentUser, Winlogon, "shell"), "corvane.exe");
}

} // namespace
} // namespace corvane
