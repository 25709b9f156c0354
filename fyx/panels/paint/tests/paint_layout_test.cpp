// Splitter drag percentages and the function-key row.
#include <gtest/gtest.h>

#include "paint_layout.h"

namespace {

TEST(PaintLayout, SplitterDragStoresTheShownPercentMinusATenthOfTwo) {
    SplitterDrag d;
    PaintSplitterLimits(1000, &d);
    EXPECT_EQ(100, d.low);
    EXPECT_EQ(900, d.high);
    ASSERT_EQ(0, PaintSplitterMove(&d, 475, 1000));
    EXPECT_DOUBLE_EQ(47.5, d.titlePercent);
    EXPECT_NEAR(47.3, d.storedPercent, 1e-9);
    d.storedPercent = 47.3;
    EXPECT_EQ(1, PaintSplitterMove(&d, 50, 1000)) << "5 % is outside the limits";
    EXPECT_NEAR(47.3, d.storedPercent, 1e-9);
    EXPECT_EQ(1, PaintSplitterMove(&d, 100, 1000)) << "the limits themselves are outside";
    EXPECT_EQ(0, PaintSplitterMove(&d, 101, 1000));
}

TEST(PaintLayout, FunctionKeyRowMovesUpWithoutTheCommandLine) {
    RECT with[FUNCTION_KEY_COUNT], without[FUNCTION_KEY_COUNT];
    PaintFunctionKeyRow(716, 500, 1, with);
    PaintFunctionKeyRow(716, 500, 0, without);
    for (int i = 0; i < FUNCTION_KEY_COUNT; i++) {
        EXPECT_EQ(22, with[i].top - without[i].top) << i;
        EXPECT_EQ(with[i].left, without[i].left);
    }
    // (716 - 16) / 7 = 100 each, a 2-pixel separator after each, the last to 3 from the edge.
    EXPECT_EQ(2, with[0].left);
    EXPECT_EQ(102, with[0].right);
    EXPECT_EQ(104, with[1].left);
    EXPECT_EQ(2 + 6 * 102, with[6].left);
    EXPECT_EQ(713, with[6].right);
}

}  // namespace
