// Column titles: the hot title in blue only where a click sorts, the loose
// "Ext" title, separators and the sort arrows.
#include <gtest/gtest.h>

#include <algorithm>

#include "paint_titles.h"

namespace {

const COLORREF FACE = RGB(236, 233, 216);
const COLORREF ASCENDING_INK = RGB(10, 200, 10);
const COLORREF DESCENDING_INK = RGB(200, 10, 200);
const int WIDTH = 500;

// A solid 16 x 16 icon, so where it lands is plain to see.
HICON SolidIcon(COLORREF color) {
    HDC screen = GetDC(NULL);
    HBITMAP bits = CreateCompatibleBitmap(screen, 16, 16);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, NULL);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bits);
    HBRUSH brush = CreateSolidBrush(color);
    RECT r = {0, 0, 16, 16};
    FillRect(dc, &r, brush);
    SelectObject(dc, mask);
    PatBlt(dc, 0, 0, 16, 16, BLACKNESS);  // opaque everywhere
    SelectObject(dc, old);
    DeleteObject(brush);
    DeleteDC(dc);
    ReleaseDC(NULL, screen);
    ICONINFO info = {TRUE, 0, 0, mask, bits};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(bits);
    DeleteObject(mask);
    return icon;
}

class PaintTitles : public ::testing::Test {
  protected:
    void SetUp() override {
        panel = PanelCreate(0, L"C:\\");
        ASSERT_NE(nullptr, panel);
        PanelSettings& s = panel->settings;
        s.panelMode = PANEL_FILESYSTEM;
        s.showSize = s.showDate = s.showTime = s.showAttributes = s.showType = 1;
        s.showExt = 0;
        s.sortMode = SORT_NAME;
        static const wchar_t* const titles[] = {L"Name", L"Ext", L"DOS Name", L"Size",
                                                L"Type", L"Date", L"Time", L"Atr"};
        for (int i = 0; i < COLUMN_COUNT; i++) view.titles[i] = titles[i];
        view.hot = PANEL_TITLE_NONE;
        view.face = FACE;
        view.ascending = SolidIcon(ASCENDING_INK);
        view.descending = SolidIcon(DESCENDING_INK);
        screen = GetDC(NULL);
        surface = CreateCompatibleDC(screen);
        surfaceBitmap = CreateCompatibleBitmap(screen, WIDTH, TITLE_SURFACE_HEIGHT);
        oldSurface = SelectObject(surface, surfaceBitmap);
        target = CreateCompatibleDC(screen);
        targetBitmap = CreateCompatibleBitmap(screen, WIDTH, 40);
        oldTarget = SelectObject(target, targetBitmap);
        Layout();
    }
    void TearDown() override {
        SelectObject(surface, oldSurface);
        SelectObject(target, oldTarget);
        DeleteObject(surfaceBitmap);
        DeleteObject(targetBitmap);
        DeleteDC(surface);
        DeleteDC(target);
        ReleaseDC(NULL, screen);
        DestroyIcon(view.ascending);
        DestroyIcon(view.descending);
        PanelDestroy(panel);
    }
    void Layout() {
        ColumnMeasure m = {};
        m.nameMax = 120;
        m.sizeMax = 60;
        m.typeMax = 60;
        m.extMax = 30;
        PanelColumnBasis b = {};
        b.gap = 6;
        b.dateText = 60;
        b.timeText = 50;
        b.attributeText = 40;
        PaintLayOutColumns(&m, &panel->settings, &b, &columns);
    }
    void Paint() {
        PatBlt(target, 0, 0, WIDTH, 40, WHITENESS);
        PaintTitleRow(target, 0, 10, surface, WIDTH, panel, &columns, &view, &bounds);
    }
    int Count(COLORREF c, int left, int right) {
        int n = 0;
        for (int y = 11; y < 11 + TITLE_COPIED_HEIGHT; y++)
            for (int x = left; x < right; x++) n += GetPixel(target, x, y) == c;
        return n;
    }

    Panel* panel;
    PanelColumns columns;
    PanelTitleView view = {};
    PanelTitleBounds bounds;
    HDC screen, surface, target;
    HBITMAP surfaceBitmap, targetBitmap;
    HGDIOBJ oldSurface, oldTarget;
};

TEST_F(PaintTitles, RowIsCopiedOnePixelBelowTheTitleYAndFifteenHigh) {
    Paint();
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(target, 300, 10));
    EXPECT_EQ(FACE, GetPixel(target, 499, 11));
    EXPECT_EQ(FACE, GetPixel(target, 499, 25));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(target, 499, 26));
}

TEST_F(PaintTitles, HotTitleIsBlueOnlyWhenAClickSorts) {
    view.hot = COLUMN_SIZE;
    Paint();
    EXPECT_GT(Count(TITLE_HOT_COLOR, bounds.left[COLUMN_SIZE], bounds.right[COLUMN_SIZE]), 0);
    view.hot = COLUMN_ATTRIBUTES;
    Paint();
    EXPECT_EQ(0, Count(TITLE_HOT_COLOR, 0, WIDTH));
    EXPECT_GT(Count(RGB(0, 0, 0), bounds.left[COLUMN_ATTRIBUTES], bounds.right[COLUMN_ATTRIBUTES]), 0);
}

TEST_F(PaintTitles, HiddenExtColumnStillOffersItsTitleClearOfTheNameArrow) {
    view.hot = PANEL_TITLE_LOOSE_EXT;
    panel->settings.sortMode = SORT_SIZE;
    Paint();
    int looseLeft = bounds.left[PANEL_TITLE_LOOSE_EXT];
    EXPECT_EQ(std::max(60, bounds.right[COLUMN_NAME] + 5 + 16 + 3), looseLeft);
    EXPECT_GT(Count(TITLE_HOT_COLOR, looseLeft, bounds.right[PANEL_TITLE_LOOSE_EXT]), 0);
    panel->settings.sortMode = SORT_NAME;
    Paint();
    EXPECT_EQ(looseLeft, bounds.left[PANEL_TITLE_LOOSE_EXT]) << "the title stays put whatever the key";
    EXPECT_EQ(0, Count(ASCENDING_INK, looseLeft, bounds.right[PANEL_TITLE_LOOSE_EXT])) << "no arrow under it";
    EXPECT_EQ(SORT_EXT, PaintTitleSortKey(PANEL_TITLE_LOOSE_EXT, PANEL_FILESYSTEM, 0));
    EXPECT_EQ(0, PaintTitleSortKey(PANEL_TITLE_LOOSE_EXT, PANEL_ARCHIVE, 0));
    EXPECT_EQ(SORT_TIME, PaintTitleSortKey(COLUMN_TIME, PANEL_FILESYSTEM, 0));
    EXPECT_EQ(0, PaintTitleSortKey(COLUMN_TYPE, PANEL_FILESYSTEM, 0));

    panel->settings.showExt = 1;
    Layout();
    Paint();
    EXPECT_EQ(bounds.left[PANEL_TITLE_LOOSE_EXT], bounds.right[PANEL_TITLE_LOOSE_EXT]) << "not drawn";
    EXPECT_EQ(columns.x[COLUMN_EXT] + 5, bounds.left[COLUMN_EXT]);
}

TEST_F(PaintTitles, ArrowsFollowTheSortKeyAndDirection) {
    struct Case {
        int sortMode;
        int arrowAfter[2];  // titles followed by an arrow, -1 none
        int distance[2];
        COLORREF ink;
    } cases[] = {
        {SORT_NAME, {COLUMN_NAME, -1}, {5, 0}, ASCENDING_INK},
        {SORT_NAME | SORT_REVERSE, {COLUMN_NAME, -1}, {5, 0}, DESCENDING_INK},
        {SORT_SIZE, {COLUMN_SIZE, -1}, {10, 0}, ASCENDING_INK},
        {SORT_TIME | SORT_REVERSE, {COLUMN_DATE, COLUMN_TIME}, {10, 15}, DESCENDING_INK},
        {SORT_EXT, {PANEL_TITLE_LOOSE_EXT, -1}, {5, 0}, ASCENDING_INK},
    };
    for (const Case& c : cases) {
        panel->settings.sortMode = c.sortMode;
        Paint();
        int insideArrows = 0;
        for (int i = 0; i < 2; i++) {
            if (c.arrowAfter[i] < 0) continue;
            int ax = bounds.right[c.arrowAfter[i]] + c.distance[i];
            EXPECT_NE(c.ink, GetPixel(target, ax - 1, 24)) << c.sortMode;
            EXPECT_EQ(c.ink, GetPixel(target, ax, 24)) << c.sortMode;
            EXPECT_EQ(c.ink, GetPixel(target, ax + 15, 24)) << c.sortMode;
            EXPECT_NE(c.ink, GetPixel(target, ax + 16, 24)) << c.sortMode;
            insideArrows += Count(c.ink, ax, ax + 16);
        }
        EXPECT_EQ(insideArrows, Count(c.ink, 0, WIDTH)) << "no other arrow, mode " << c.sortMode;
    }
}

TEST_F(PaintTitles, SeparatorsStandBeforeTypeAndAfterTheLastColumn) {
    Paint();
    EXPECT_EQ(RGB(150, 150, 150), GetPixel(target, columns.x[COLUMN_TYPE], 15));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(target, columns.x[COLUMN_TYPE] + 1, 15));
    EXPECT_EQ(RGB(150, 150, 150), GetPixel(target, columns.total, 15));
}

TEST_F(PaintTitles, ScrollMovesTheTitlesAndTheirBounds) {
    Paint();
    int sizeLeft = bounds.left[COLUMN_SIZE];
    view.horizontalScroll = 20;
    Paint();
    EXPECT_EQ(sizeLeft - 20, bounds.left[COLUMN_SIZE]);
    EXPECT_EQ(RGB(150, 150, 150), GetPixel(target, columns.x[COLUMN_TYPE] - 20, 15));
}

}  // namespace
