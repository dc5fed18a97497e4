#include <gtest/gtest.h>

#include "config/SecurityDescriptor.h"

namespace corvane {
namespace {

const std::string User = "S-1-5-21-1-2-3-1001";  // the user whose logon it is
const std::string Admin = "S-1-5-21-1-2-3-500";  // an administrator's account
const std::string Other = "S-1-5-21-1-2-3-1002"; // another user
const std::string TI = TSecurityDescriptor::TrustedInstaller;

// Who other than the keepers can change a file or folder of these descriptors: as the system
// writes them for Program Files, a folder made at the root of C:, a file under Wine with write for
// others, and the rules' edges (deny entries, inherited-only entries, folder rights, generic
// rights, no access list, the owner).
TEST(SecurityDescriptorTest, FindsEveryoneElseWhoCanChangeTheObject) {
    const struct {
        const char* name;
        std::string sddl;
        bool folder;
        bool usersOwn; // the user keeps it too
        std::vector<std::string> who;
    } cases[] = {
        {"Program Files", "O:" + TI + "G:" + TI + "D:PAI(A;;FA;;;" + TI + ")(A;OICIIO;GA;;;" + TI + ")(A;;0x1301bf;;;SY)"
         "(A;;0x1301bf;;;BA)(A;;0x1200a9;;;BU)(A;OICIIO;GXGR;;;BU)(A;OICIIO;GA;;;CO)(A;;0x1200a9;;;AC)", true, false, {}},
        {"a folder at the root of C:", "O:" + Admin + "D:AI(A;ID;FA;;;BA)(A;OICIIOID;GA;;;BA)(A;ID;FA;;;SY)(A;ID;0x1200a9;;;BU)"
         "(A;ID;0x1301bf;;;AU)(A;OICIIOID;SDGXGWGR;;;AU)", true, false, {"S-1-5-11"}},
        {"write for others under Wine", "O:" + User + "D:(A;;FA;;;" + User + ")(A;;0x1201bf;;;WD)", false, false, {User, "S-1-1-0"}},
        {"the same, the user's own", "O:" + User + "D:(A;;FA;;;" + User + ")(A;;0x1201bf;;;WD)", false, true, {"S-1-1-0"}},
        {"read only for others", "O:BAD:(A;;FA;;;BA)(A;;FR;;;BU)(A;;FX;;;WD)", false, false, {}},
        {"denied first", "O:BAD:(D;;FA;;;WD)(A;;FA;;;BU)(A;;FA;;;AU)", false, false, {}},
        {"denied write only", "O:BAD:(D;;FW;;;BU)(A;;FA;;;BU)", false, false, {"S-1-5-32-545"}},
        {"denied after", "O:BAD:(A;;FW;;;BU)(D;;FW;;;BU)", false, false, {"S-1-5-32-545"}},
        {"inherited only", "O:BAD:(A;OICIIO;FA;;;BU)", true, false, {}},
        {"delete what a folder holds", "O:BAD:(A;;0x40;;;BU)", true, false, {"S-1-5-32-545"}},
        {"the same right of a file", "O:BAD:(A;;0x40;;;BU)", false, false, {}},
        {"generic write", "O:BAD:(A;;GW;;;AU)", false, false, {"S-1-5-11"}},
        {"append", "O:BAD:(A;;0x4;;;" + Other + ")", false, false, {Other}},
        {"an administrator's entry", "O:BAD:(A;;FA;;;" + Admin + ")", false, false, {}},
        {"no access list", "O:BA", false, false, {"S-1-1-0"}},
        {"no access control", "O:BAD:NO_ACCESS_CONTROL", false, false, {"S-1-1-0"}},
        {"another user's own", "O:" + Other + "D:(A;;FA;;;BA)", false, false, {Other}},
        {"an administrator's own", "O:" + Admin + "D:(A;;FA;;;BA)", false, false, {}},
        {"the owner's rights limited", "O:" + Other + "D:(A;;FA;;;BA)(A;;FR;;;OW)", false, false, {}},
        {"the owner's rights given", "O:" + Other + "D:(A;;FA;;;BA)(A;;WD;;;OW)", false, false, {Other}},
    };
    const auto isKeeper = [](bool usersOwn) {
        return [usersOwn](const std::string& sid) {
            return sid == TSecurityDescriptor::Administrators || sid == TSecurityDescriptor::System || sid == TI ||
                   (usersOwn && sid == User);
        };
    };
    const auto isAdministrator = [](const std::string& sid) { return sid == Admin || sid == TSecurityDescriptor::Administrators; };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<TSecurityDescriptor> descriptor = TSecurityDescriptor::Parse(c.sddl);
        ASSERT_TRUE(descriptor) << c.sddl;
        EXPECT_EQ(descriptor->ChangeableBy(c.folder, isKeeper(c.usersOwn), isAdministrator), c.who);
    }
}

TEST(SecurityDescriptorTest, ATextThatIsNoDescriptorIsRefused) {
    for (const char* sddl : {"", "garbage", "D:(A;;FA;;;WD)", "O:BAD:(A;;FA;;;WD", "O:BAD:(A;;QQ;;;WD)", "O:BAD:(A;;FA)"}) {
        EXPECT_FALSE(TSecurityDescriptor::Parse(sddl)) << sddl;
    }
}

} // namespace
} // namespace corvane
