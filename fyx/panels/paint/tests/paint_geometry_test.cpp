// Panel extents, hit tests and the rectangles invalidated for one part.
#include <gtest/gtest.h>

#include "paint_geometry.h"

namespace {

TEST(PaintGeometry, SplitKeepsFiftyPixelsFromEitherSide) {
    struct Case {
        int client;
        double percent;
        int split;
    } cases[] = {{120, 80, 70}, {120, 30, 50}, {1000, 47.3, 473}, {1000, 50, 500}, {80, 50, 30}};
    for (const Case& c : cases) EXPECT_EQ(c.split, PaintSplitX(c.client, c.percent)) << c.percent;
    int left, right;
    PaintPanelExtent(0, 1000, 50, &left, &right);
    EXPECT_EQ(2, left);
    EXPECT_EQ(500, right);
    PaintPanelExtent(1, 1000, 50, &left, &right);
    EXPECT_EQ(504, left);
    EXPECT_EQ(996, right);
}

PanelGeometry Geometry() {
    PanelGeometry g;
    g.left = 10;
    g.right = 300;
    g.titleY = 50;
    g.listTop = 69;
    g.listBottom = 69 + 4 + 5 * 17;
    return g;
}

TEST(PaintGeometry, RowUnderAPoint) {
    PanelGeometry g = Geometry();
    struct Case {
        int y, topRow, total, row;
    } cases[] = {
        {68, 0, 100, ROW_ABOVE_LIST}, {69, 0, 100, 0},  {85, 0, 100, 0},       {86, 0, 100, 1},
        {86, 10, 100, 11},            {86, 10, 11, ROW_PAST_END},             {69 + 5 * 17, 0, 100, ROW_PAST_END},
        {69 + 4 * 17, 3, 100, 7},
    };
    for (const Case& c : cases) EXPECT_EQ(c.row, PaintRowAtPoint(&g, 17, 5, c.topRow, c.total, c.y)) << c.y;
}

TEST(PaintGeometry, TitleAndAreaUnderAPoint) {
    PanelGeometry g = Geometry();
    PanelTitleBounds t = {};
    t.left[0] = 36;
    t.right[0] = 70;
    t.left[3] = 150;
    t.right[3] = 180;
    EXPECT_EQ(0, PaintTitleAtPoint(&g, &t, POINT{40, 60}));
    EXPECT_EQ(3, PaintTitleAtPoint(&g, &t, POINT{150, 49}));
    EXPECT_EQ(PANEL_TITLE_NONE, PaintTitleAtPoint(&g, &t, POINT{100, 60}));
    EXPECT_EQ(PANEL_TITLE_NONE, PaintTitleAtPoint(&g, &t, POINT{40, 67}));
    EXPECT_EQ(PANEL_TITLE_NONE, PaintTitleAtPoint(&g, &t, POINT{40, 48}));

    struct Case {
        int x, y;
        PanelArea area;
    } cases[] = {
        {9, 100, AREA_OUTSIDE},   {301, 100, AREA_OUTSIDE}, {20, 30, AREA_PATH_ICON},
        {40, 30, AREA_PATH_LINE}, {40, 27, AREA_OUTSIDE},   {40, 55, AREA_TITLES},
        {40, 68, AREA_TITLES},    {40, 100, AREA_LIST},     {40, g.listBottom, AREA_OUTSIDE},
    };
    for (const Case& c : cases) EXPECT_EQ(c.area, PaintAreaAtPoint(&g, POINT{c.x, c.y})) << c.x << "," << c.y;
}

TEST(PaintGeometry, InvalidationCoversOnlyThePartThatChanged) {
    PanelGeometry g = Geometry();
    RECT r;
    ASSERT_EQ(0, PaintRowRect(&g, 17, 5, 10, 12, &r));
    EXPECT_EQ(69 + 2 * 17, r.top);
    EXPECT_EQ(69 + 3 * 17, r.bottom);
    EXPECT_EQ(10, r.left);
    EXPECT_EQ(300, r.right);
    EXPECT_EQ(1, PaintRowRect(&g, 17, 5, 10, 9, &r));
    EXPECT_EQ(1, PaintRowRect(&g, 17, 5, 10, 15, &r));
    PaintIconColumnRect(&g, &r);
    EXPECT_EQ(12, r.left);
    EXPECT_EQ(32, r.right);
    PaintTitleRect(&g, &r);
    EXPECT_EQ(50, r.top);
    EXPECT_EQ(69, r.bottom);
}

}  // namespace
