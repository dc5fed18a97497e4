// A configuration that others can change: every user's logon runs none of it and gives Explorer,
// the user's own logon runs it and records it, --install --all-users refuses it, and the check
// reports it as an error where corvane.exe is every user's shell.
#include <gtest/gtest.h>

#include "app/Application.h"
#include "check/ConfigChecker.h"
#include "config/ConfigurationTrust.h"
#include "shell/ExplorerFallback.h"
#include "support/LauncherWorld.h"

namespace corvane {
namespace {

constexpr const char* OpenToEveryone = "O:BAD:(A;;FA;;;BA)(A;;0x1301ff;;;WD)";

class TrustTest : public testing::LauncherWorld {
protected:
    TrustTest() {
        Settings("ShowLauncher=0\n");
        fake.files.files["C:\\Launch\\script.txt"] = "exec (C:\\Tools\\tool.exe, \"\", \"\")\n";
        fake.security.descriptors["C:\\Launch\\shells.ini"] = OpenToEveryone;
    }
    std::vector<std::string> Events() const { return fake.recordStore.Events(); }
    bool Recorded(const std::string& start) const {
        const auto events = Events();
        return std::any_of(events.begin(), events.end(), [&](const std::string& e) { return e.rfind(start, 0) == 0; });
    }
};

TEST_F(TrustTest, OnlyTheUsersOwnLogonRunsAConfigurationOthersCanChange) {
    const std::string refused = TConfigurationTrust::LogonRefused(
        {"C:\\Launch\\shells.ini", false, {"S-1-1-0"}, {"Everyone"}});
    const struct {
        const char* name;
        bool everyUser; // the machine's value names corvane.exe, the user has none
        bool open;
        std::vector<std::string> boxes;
        std::vector<std::string> executed;
        int exitCode;
    } cases[] = {
        {"every user's, open", true, true, {refused, TExplorerFallback::NothingStarted}, {"C:\\Windows\\explorer.exe||"}, 1},
        {"the user's own, open", false, true, {}, {"C:\\Tools\\tool.exe||"}, 0},
        {"every user's, kept", true, false, {}, {"C:\\Tools\\tool.exe||"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake.registry.Put(Machine, Winlogon, "Shell", c.everyUser ? "C:\\Launch\\corvane.exe" : "explorer.exe");
        if (c.everyUser) {
            fake.registry.DeleteValue(User, Winlogon, "Shell");
        } else {
            fake.registry.Put(User, Winlogon, "Shell", "C:\\Launch\\corvane.exe");
        }
        fake.security.descriptors["C:\\Launch\\shells.ini"] = c.open ? OpenToEveryone : testing::FakeFileSecurity::Clean;
        fake.dialogs.messages.clear();
        fake.shell.executed.clear();
        fake.recordStore.file.reset();
        EXPECT_EQ(RunProgram(), c.exitCode);
        EXPECT_EQ(fake.dialogs.messages, c.boxes);
        EXPECT_EQ(fake.shell.executed, c.executed);
        EXPECT_EQ(Recorded("configuration refused: C:\\Launch\\shells.ini can be changed by Everyone"), c.everyUser && c.open);
        EXPECT_EQ(Recorded("configuration open to others: C:\\Launch\\shells.ini"), !c.everyUser && c.open);
    }
}

TEST_F(TrustTest, InstallingForEveryUserRefusesAndForOneUserSaysSo) {
    EXPECT_EQ(RunProgram({"--install", "--all-users"}), 1);
    EXPECT_NE(fake.dialogs.output.find("Corvane does not become the shell of every user of this machine"), std::string::npos)
        << fake.dialogs.output;
    EXPECT_NE(fake.dialogs.output.find("icacls \"C:\\Launch\\shells.ini\" /inheritance:d /remove:g *S-1-1-0"), std::string::npos);
    EXPECT_EQ(MachineShell(), "explorer.exe") << "nothing changed";
    fake.dialogs.output.clear();
    EXPECT_EQ(RunProgram({"--install"}), 0);
    EXPECT_EQ(UserShell(), "C:\\Launch\\corvane.exe");
    EXPECT_NE(fake.dialogs.output.find("Note: C:\\Launch\\shells.ini can be changed by Everyone"), std::string::npos);
}

TEST_F(TrustTest, TheCheckSaysWhoCanChangeWhat) {
    for (const bool everyUser : {false, true}) {
        fake.registry.Put(Machine, Winlogon, "Shell", everyUser ? "C:\\Launch\\corvane.exe" : "explorer.exe");
        const TCheckReport report = TConfigChecker(TCheckOptions{"C:\\Launch\\", "operator", true}).Run();
        std::vector<TFinding> trust;
        for (const TFinding& finding : report.Findings()) {
            if (finding.Text.rfind("can be changed by Everyone", 0) == 0) trust.push_back(finding);
        }
        ASSERT_EQ(trust.size(), 1u);
        EXPECT_EQ(trust[0].File, "shells.ini");
        EXPECT_EQ(trust[0].Severity, everyUser ? TSeverity::Error : TSeverity::Warning);
    }
}

} // namespace
} // namespace corvane
