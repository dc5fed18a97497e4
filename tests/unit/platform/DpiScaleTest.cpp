#include <gtest/gtest.h>

#include "platform/PopupListWindow.h"
#include "platform/WindowSystem.h"

namespace corvane {
namespace {

TEST(DpiScale, IsMulDivByTheDpiOver96) {
    struct Case {
        int measure, dpi, expected;
    } const cases[] = {
        {359, 96, 359}, {359, 120, 449}, {359, 144, 539}, {359, 192, 718}, {1, 144, 2},   {1, 120, 1},
        {-11, 144, -17}, {-13, 120, -16}, {0, 192, 0},    {40, 168, 70},   {275, 110, 315},
    };
    for (const auto& c : cases) EXPECT_EQ(DpiScale(c.measure, c.dpi), c.expected) << c.measure << " at " << c.dpi;
}

// A rectangle keeps exactly the scaled size, even where scaling its far edge would round apart.
TEST(DpiScale, RectanglesKeepTheScaledSize) {
    EXPECT_EQ(DpiScale(TRect{280, 176, 355, 201}, 96), (TRect{280, 176, 355, 201}));
    EXPECT_EQ(DpiScale(TRect{280, 176, 355, 201}, 144), (TRect{420, 264, 533, 302}));
    const TRect odd = DpiScale(TRect{1, 1, 4, 4}, 144); // edges alone: 2 and 6, a size of 4
    EXPECT_EQ(odd.Width(), DpiScale(3, 144));
    EXPECT_EQ(PointsToPixels96(8), 11);
    EXPECT_EQ(PointsToPixels96(48), 64);
}

TEST(ScaleLayout, ScalesEveryPixelMeasureAndKeepsPointsAndRows) {
    const platform::PopupListLayout popup{"C", "T", 359, 245, "F", -11, 8, {1, 1, 358, 31}, -13, {8, 184, 273, 230}, 40, 8};
    const platform::PopupListLayout same = platform::ScaleLayout(popup, 96);
    EXPECT_EQ(same.ClientWidth, 359);
    EXPECT_EQ(same.List, popup.List);
    const platform::PopupListLayout big = platform::ScaleLayout(popup, 192);
    EXPECT_EQ(big.ClientWidth, 718);
    EXPECT_EQ(big.ClientHeight, 490);
    EXPECT_EQ(big.FontHeight, -22);
    EXPECT_EQ(big.FontPoints, 8);
    EXPECT_EQ(big.Label, (TRect{2, 2, 716, 62}));
    EXPECT_EQ(big.LabelFontHeight, -26);
    EXPECT_EQ(big.List, (TRect{16, 368, 546, 460}));
    EXPECT_EQ(big.ListRowHeight, 80);
    EXPECT_EQ(big.ListDropDownRows, 8);

    const platform::ListDialogLayout dialog{"P", {192, 112, 467, 398}, "F", -11, {8, 8}, {8, 32, 169, 257}, 16,
                                            {184, 40, 259, 65}, "Ok", {184, 72, 259, 97}, "Cancel"};
    const platform::ListDialogLayout scaled = platform::ScaleLayout(dialog, 144);
    EXPECT_EQ(scaled.Window, (TRect{288, 168, 288 + 413, 168 + 429}));
    EXPECT_EQ(scaled.FontHeight, -17);
    EXPECT_EQ(scaled.Label, (TPoint{12, 12}));
    EXPECT_EQ(scaled.List, (TRect{12, 48, 12 + 242, 48 + 338}));
    EXPECT_EQ(scaled.ListRowHeight, 24);
    EXPECT_EQ(scaled.OkButton, (TRect{276, 60, 276 + 113, 60 + 38}));
    EXPECT_EQ(scaled.CancelButton, (TRect{276, 108, 276 + 113, 108 + 38}));
}

} // namespace
} // namespace corvane
