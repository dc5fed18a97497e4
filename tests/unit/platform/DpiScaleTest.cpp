#include <gtest/gtest.h>

#include "platform/Graphics.h"

namespace corvane {
namespace {

// A scaled rectangle has exactly the scaled size, also where scaling its edges alone would round
// apart (at 144 dpi the edges 1 and 4 become 2 and 6, a size of 4 instead of 5).
TEST(DpiScale, RectanglesKeepTheScaledSize) {
    EXPECT_EQ(DpiScale(TRect{1, 1, 4, 4}, 144), (TRect{2, 2, 7, 7}));
    EXPECT_EQ(DpiScale(TRect{192, 112, 467, 398}, 110), (TRect{220, 128, 220 + 315, 128 + 328}));
}

} // namespace
} // namespace corvane
