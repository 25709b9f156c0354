// Rows painted into a memory context: cursor bar and frame, text colours, and
// the inactive panel without a cursor.
#include <gtest/gtest.h>

#include "paint_list.h"

namespace {

const COLORREF BACKGROUND = RGB(250, 250, 240);
const COLORREF DIRECTORY = RGB(0, 0, 200);
const COLORREF FILE_COLOR = RGB(0, 120, 0);
const COLORREF CURSOR_FRAME = RGB(200, 0, 200);
const COLORREF CURSOR_BAR = RGB(180, 180, 20);
const COLORREF INVERSE = RGB(220, 0, 0);
const COLORREF FOCUSED_FULL = RGB(0, 90, 90);
const COLORREF FOCUSED_FRAME = RGB(90, 0, 90);

const int WIDTH = 300, HEIGHT = 120;

class PaintList : public ::testing::Test {
  protected:
    void SetUp() override {
        colors = {BACKGROUND, DIRECTORY, FILE_COLOR, CURSOR_FRAME,
                  CURSOR_BAR, INVERSE, FOCUSED_FULL, FOCUSED_FRAME};
        LOGFONTW font = {};
        font.lfHeight = 14;
        font.lfQuality = NONANTIALIASED_QUALITY;  // whole pixels in the text colour
        wcscpy(font.lfFaceName, L"Tahoma");
        ASSERT_EQ(0, PaintCreateSurfaces(&surfaces, &font, &colors, 400, 200));
        panel = PanelCreate(0, L"C:\\");
        ASSERT_NE(nullptr, panel);
        const wchar_t* names[] = {L"folder", L"alpha.txt", L"beta.txt", L"gamma.txt"};
        for (int i = 0; i < 4; i++) {
            entries[i] = PanelEntry();
            entries[i].name = names[i];
            entries[i].flags = i == 0 ? EF_DIRECTORY : 0;
            entries[i].sizeText = L"12";
            entries[i].iconIndex = -1;
            PanelBlankDateText(entries[i].dateText);
            panel->view[i] = &entries[i];
        }
        panel->total = 4;
        panel->settings.panelMode = PANEL_FILESYSTEM;
        panel->settings.showSize = 1;
        panel->cursor = 1;
        ColumnMeasure m = {};
        m.nameMax = 80;
        m.sizeMax = 20;
        PanelColumnBasis b = {};
        b.gap = 6;
        PaintLayOutColumns(&m, &panel->settings, &b, &columns);

        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = WIDTH;
        info.bmiHeader.biHeight = -HEIGHT;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        target = CreateCompatibleDC(NULL);
        void* bits;
        bitmap = CreateDIBSection(target, &info, DIB_RGB_COLORS, &bits, NULL, 0);
        oldBitmap = SelectObject(target, bitmap);

        view = PanelListView();
        view.width = WIDTH;
        view.height = HEIGHT;
        view.active = 1;
    }
    void TearDown() override {
        SelectObject(target, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(target);
        for (int i = 0; i < 4; i++) panel->view[i] = NULL;
        panel->total = 0;
        PanelDestroy(panel);
        PaintReleaseSurfaces(&surfaces);
    }
    void Paint() { PaintPanelList(target, 0, 0, panel, &columns, &surfaces, &colors, &view); }
    int Count(COLORREF c, int top, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; y++)
            for (int x = 0; x < WIDTH; x++) n += GetPixel(target, x, y) == c;
        return n;
    }
    int RowTop(int row) { return row * surfaces.rows.rowHeight; }
    int RowBottom(int row) { return RowTop(row + 1); }

    PaintSurfaces surfaces;
    PanelColors colors;
    Panel* panel;
    PanelEntry entries[4];
    PanelColumns columns;
    HDC target;
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
    PanelListView view;
};

TEST_F(PaintList, FullCursorFillsItsRowFromTwentyPixelsOn) {
    view.cursorType = CURSOR_FULL;
    Paint();
    int bar = surfaces.rows.rowHeight;
    EXPECT_EQ(CURSOR_BAR, GetPixel(target, 20, RowTop(1)));
    EXPECT_EQ(CURSOR_BAR, GetPixel(target, WIDTH - 1, RowBottom(1) - 1));
    EXPECT_EQ(BACKGROUND, GetPixel(target, 19, RowTop(1)));
    EXPECT_EQ(BACKGROUND, GetPixel(target, 100, RowTop(1) - 1));
    EXPECT_EQ(BACKGROUND, GetPixel(target, 100, RowBottom(1)));
    EXPECT_GT(Count(CURSOR_BAR, RowTop(1), RowBottom(1)), (WIDTH - 20) * bar / 2);
    EXPECT_GT(Count(FOCUSED_FULL, RowTop(1), RowBottom(1)), 0) << "cursor row text";
    EXPECT_EQ(0, Count(CURSOR_FRAME, 0, HEIGHT));
    EXPECT_GT(Count(DIRECTORY, RowTop(0), RowBottom(0)), 0);
    EXPECT_GT(Count(FILE_COLOR, RowTop(2), RowBottom(2)), 0);
}

TEST_F(PaintList, RectangleCursorDrawsOnlyTheFrame) {
    view.cursorType = CURSOR_RECTANGLE;
    Paint();
    EXPECT_EQ(0, Count(CURSOR_BAR, 0, HEIGHT));
    EXPECT_EQ(CURSOR_FRAME, GetPixel(target, 100, RowTop(1)));
    EXPECT_EQ(CURSOR_FRAME, GetPixel(target, 100, RowBottom(1) - 1));
    EXPECT_EQ(CURSOR_FRAME, GetPixel(target, 20, RowTop(1) + 5));
    // No horizontal scrolling: the frame ends 3 pixels before the edge.
    EXPECT_EQ(CURSOR_FRAME, GetPixel(target, WIDTH - 4, RowTop(1) + 5));
    EXPECT_EQ(BACKGROUND, GetPixel(target, WIDTH - 2, RowTop(1) + 5));
    EXPECT_GT(Count(FOCUSED_FRAME, RowTop(1), RowBottom(1)), 0);
}

TEST_F(PaintList, InactivePanelDrawsNoCursor) {
    const int styles[] = {CURSOR_FULL, CURSOR_RECTANGLE, CURSOR_FULL_RECTANGLE};
    for (int style : styles) {
        view.cursorType = style;
        view.active = 0;
        Paint();
        EXPECT_EQ(0, Count(CURSOR_BAR, 0, HEIGHT)) << style;
        EXPECT_EQ(0, Count(CURSOR_FRAME, 0, HEIGHT)) << style;
        EXPECT_EQ(0, Count(FOCUSED_FULL, 0, HEIGHT) + Count(FOCUSED_FRAME, 0, HEIGHT)) << style;
        EXPECT_GT(Count(FILE_COLOR, RowTop(1), RowBottom(1)), 0) << "an ordinary file row";
    }
}

TEST_F(PaintList, SelectedEntriesUseTheInverseColourEvenUnderTheCursor) {
    entries[1].flags |= EF_SELECTED;
    entries[3].flags |= EF_SELECTED;
    view.cursorType = CURSOR_FULL_RECTANGLE;
    Paint();
    EXPECT_GT(Count(INVERSE, RowTop(1), RowBottom(1)), 0);
    EXPECT_GT(Count(INVERSE, RowTop(3), RowBottom(3)), 0);
    EXPECT_EQ(0, Count(INVERSE, RowTop(2), RowBottom(2)));
    EXPECT_EQ(0, Count(FOCUSED_FULL, 0, HEIGHT));
    EXPECT_EQ(CURSOR_FRAME, GetPixel(target, 100, RowTop(1)));
    EXPECT_EQ(CURSOR_BAR, GetPixel(target, 100, RowTop(1) + 1));
}

TEST_F(PaintList, RowsStartAtTheTopRowAndStopAtTheVisibleCount) {
    view.cursorType = CURSOR_FULL;
    view.topRow = 1;  // the cursor entry is now the first row
    view.height = 4 + 2 * surfaces.rows.rowHeight + 3;  // two rows fit
    Paint();
    EXPECT_EQ(CURSOR_BAR, GetPixel(target, 100, RowTop(0)));
    EXPECT_GT(Count(FILE_COLOR, RowTop(1), RowBottom(1)), 0);
    EXPECT_EQ(0, Count(FILE_COLOR, RowBottom(1), view.height)) << "no third row";
}

TEST_F(PaintList, HorizontalScrollMovesTextAndKeepsTheBarInside) {
    view.cursorType = CURSOR_FULL;
    view.horizontalScroll = 40;
    view.horizontalScrollNeeded = 1;
    Paint();
    EXPECT_EQ(CURSOR_BAR, GetPixel(target, 0, RowTop(1)));
    EXPECT_EQ(CURSOR_BAR, GetPixel(target, 5, RowTop(1)));
}

TEST(PaintListRows, VisibleRowsLeaveFourPixels) {
    EXPECT_EQ(5, PaintVisibleRows(4 + 5 * 17 + 16, 17));
    EXPECT_EQ(6, PaintVisibleRows(4 + 6 * 17, 17));
    EXPECT_EQ(0, PaintVisibleRows(3, 17));
}

}  // namespace
