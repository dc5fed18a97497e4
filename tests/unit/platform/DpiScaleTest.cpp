#include <gtest/gtest.h>

#include "platform/PopupListWindow.h"

namespace corvane {
namespace {

TEST(DpiScale, IsMulDivByTheDpiOver96AndKeepsTheScaledSizeOfRectangles) {
    const std::tuple<int, int, int> cases[] = {
        {359, 96, 359}, {359, 120, 449}, {359, 144, 539}, {359, 192, 718}, {1, 144, 2},
        {1, 120, 1},    {-11, 144, -17}, {-13, 120, -16}, {40, 168, 70},   {275, 110, 315},
    };
    for (const auto& [measure, dpi, expected] : cases) EXPECT_EQ(DpiScale(measure, dpi), expected) << measure << " at " << dpi;
    EXPECT_EQ(DpiScale(TRect{280, 176, 355, 201}, 144), (TRect{420, 264, 533, 302}));
    EXPECT_EQ(DpiScale(TRect{1, 1, 4, 4}, 144), (TRect{2, 2, 7, 7})) << "scaled edges alone would give 6, a size of 4";
}

TEST(ScaleLayout, ScalesThePixelsAndKeepsPointsAndRowCounts) {
    const platform::PopupListLayout popup{"C", "T", 359, 245, "F", -11, 8, {1, 1, 358, 31}, -13, {8, 184, 273, 230}, 40, 8};
    const platform::PopupListLayout big = platform::ScaleLayout(popup, 192);
    EXPECT_EQ(big.ClientWidth, 718);
    EXPECT_EQ(big.FontHeight, -22);
    EXPECT_EQ(big.FontPoints, 8);
    EXPECT_EQ(big.Label, (TRect{2, 2, 716, 62}));
    EXPECT_EQ(big.LabelFontHeight, -26);
    EXPECT_EQ(big.ListRowHeight, 80);
    EXPECT_EQ(big.ListDropDownRows, 8);
}

} // namespace
} // namespace corvane
