#include <gtest/gtest.h>

#include "support/FakePlatform.h"
#include "ui/SystemColours.h"

namespace corvane {
namespace {

// The fake's system colour of index i is grey i, unless a test gives it another.
TEST(HighContrastColours, AreTheSystemsOwnWhileTheModeIsOn) {
    testing::FakePlatform fake;
    EXPECT_EQ(HighContrastColours(), std::nullopt);

    fake.system.highContrast = true;
    const TSystemColours expected{0x050505, 0x080808, 0x0D0D0D, 0x0F0F0F, 0x121212};
    EXPECT_EQ(HighContrastColours(), expected);

    // Read again on every call: a changed colour shows, and only the colour's 24 bits count.
    fake.system.sysColours[8] = 0xFF00FFFFu;
    fake.system.sysColours[13] = 0x00800000u;
    const TSystemColours changed{0x050505, 0x00FFFF, 0x800000, 0x0F0F0F, 0x121212};
    EXPECT_EQ(HighContrastColours(), changed);

    fake.system.highContrast = false;
    EXPECT_EQ(HighContrastColours(), std::nullopt);
}

} // namespace
} // namespace corvane
