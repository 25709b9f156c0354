// A whole panel: the scroll bars it needs, their windows, and where the title
// row and the list land in the window.
#include <gtest/gtest.h>

#include "paint_panel.h"

namespace {

PanelGeometry Geometry(int left, int right) {
    PanelGeometry g;
    g.left = left;
    g.right = right;
    g.titleY = 30;
    g.listTop = 49;
    g.listBottom = 49 + 4 + 10 * 17;
    return g;
}

TEST(PaintPanel, ScrollBarsAreNeededByLongListingsAndWideColumns) {
    struct Case {
        int width, total, columnsTotal;
        int vertical, horizontal, usable;
    } cases[] = {
        {300, 10, 200, 0, 0, 300},  // ten rows fit exactly
        {300, 11, 200, 1, 0, 284},
        {300, 11, 284, 1, 1, 284},  // as wide as the usable width
        {300, 5, 400, 0, 1, 300},
    };
    for (const Case& c : cases) {
        PanelPaintState s = {};
        s.geometry = Geometry(10, 10 + c.width);
        s.columns.total = c.columnsTotal;
        PaintDecideScrollBars(&s, c.total, 17, 16);
        EXPECT_EQ(10, s.visibleRows);
        EXPECT_EQ(c.vertical, s.verticalNeeded) << c.total;
        EXPECT_EQ(c.horizontal, s.horizontalNeeded) << c.columnsTotal;
        EXPECT_EQ(c.usable, s.usableWidth);
    }
}

TEST(PaintPanel, HotTitleChangesOnlyWhenAnotherTitleIsUnderTheMouse) {
    PanelPaintState s = {};
    s.geometry = Geometry(10, 310);
    s.hotTitle = PANEL_TITLE_NONE;
    s.titleBounds.left[COLUMN_SIZE] = 100;
    s.titleBounds.right[COLUMN_SIZE] = 130;
    EXPECT_EQ(1, PaintUpdateHotTitle(&s, POINT{110, 40}));
    EXPECT_EQ(COLUMN_SIZE, s.hotTitle);
    EXPECT_EQ(0, PaintUpdateHotTitle(&s, POINT{120, 42}));
    EXPECT_EQ(1, PaintUpdateHotTitle(&s, POINT{120, 100})) << "left the title area";
    EXPECT_EQ(PANEL_TITLE_NONE, s.hotTitle);
    EXPECT_EQ(0, PaintUpdateHotTitle(&s, POINT{200, 100}));
}

TEST(PaintPanel, ColumnLayoutCallbackFillsThatPanelsColumns) {
    PanelColumnBasis b = {};
    b.gap = 8;
    PaintSetColumnBasis(&b);
    Panel* panel = PanelCreate(1, L"C:\\");
    ASSERT_NE(nullptr, panel);
    panel->settings.showExt = 0;
    panel->settings.showSize = 0;
    panel->settings.showType = panel->settings.showDosName = 0;
    panel->settings.showDate = panel->settings.showTime = panel->settings.showAttributes = 0;
    panel->settings.panelMode = PANEL_FILESYSTEM;
    panel->columns = ColumnMeasure();
    panel->columns.nameMax = 200;
    panel->columnLayout = PaintPanelColumnLayout;
    panel->columnLayout(panel);
    EXPECT_EQ(21 + 200 + 8, PaintStateOf(1)->columns.total);
    PanelDestroy(panel);
}

TEST(PaintPanel, ScrollBarWindowsFollowTheNeed) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, parent);
    PanelPaintState s = {};
    s.geometry = Geometry(10, 310);
    s.verticalBar = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_VERT, 0, 0, 10, 10, parent,
                                    NULL, NULL, NULL);
    s.horizontalBar = CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | SBS_HORZ, 0, 0, 10, 10, parent,
                                      NULL, NULL, NULL);
    Panel* panel = PanelCreate(0, L"C:\\");
    ASSERT_NE(nullptr, panel);
    panel->total = 0;
    s.columns.total = 500;
    s.visibleRows = 10;
    s.verticalNeeded = 0;
    s.horizontalNeeded = 1;
    s.usableWidth = 300;
    panel->horizontalScroll = 40;
    PaintUpdateScrollBars(&s, panel);
    EXPECT_TRUE(GetWindowLongW(s.horizontalBar, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongW(s.verticalBar, GWL_STYLE) & WS_VISIBLE);
    SCROLLINFO info = {sizeof(info), SIF_ALL};
    GetScrollInfo(s.horizontalBar, SB_CTL, &info);
    EXPECT_EQ(500, info.nMax);
    EXPECT_EQ(300u, info.nPage);
    EXPECT_EQ(40, info.nPos) << "the bar shows the panel's position";
    panel->horizontalScroll = 900;
    PaintClampHorizontalScroll(&s, panel);
    EXPECT_EQ(500 - 300 + 1, panel->horizontalScroll) << "at most the last page";
    RECT r;
    GetWindowRect(s.verticalBar, &r);
    EXPECT_EQ(1, r.right - r.left) << "a hidden vertical bar is moved to 1 x 1";
    GetWindowRect(s.horizontalBar, &r);
    EXPECT_EQ(300, r.right - r.left);
    EXPECT_EQ(s.geometry.listBottom, r.top);
    PanelDestroy(panel);
    DestroyWindow(parent);
}

TEST(PaintPanel, TitleRowAndListLandWhereTheGeometrySays) {
    const COLORREF face = RGB(230, 225, 210), bar = RGB(30, 160, 160), back = RGB(250, 250, 250);
    PanelColors colors = {back, RGB(0, 0, 0), RGB(0, 0, 0), RGB(200, 0, 0), bar,
                          RGB(255, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0)};
    LOGFONTW font = {};
    font.lfHeight = 14;
    wcscpy(font.lfFaceName, L"Tahoma");
    PaintSurfaces surfaces;
    ASSERT_EQ(0, PaintCreateSurfaces(&surfaces, &font, &colors, 400, 300));
    Panel* panel = PanelCreate(0, L"C:\\");
    ASSERT_NE(nullptr, panel);
    PanelEntry entries[3] = {};
    const wchar_t* names[] = {L"one", L"two", L"three"};
    for (int i = 0; i < 3; i++) {
        entries[i].name = names[i];
        entries[i].iconIndex = -1;
        PanelBlankDateText(entries[i].dateText);
        panel->view[i] = &entries[i];
    }
    panel->total = 3;
    panel->cursor = 2;
    panel->settings.panelMode = PANEL_FILESYSTEM;
    PanelPaintState* s = PaintStateOf(0);
    s->geometry = Geometry(2, 302);
    s->columns = PanelColumns();
    s->columns.shown[COLUMN_NAME] = 1;
    s->columns.x[COLUMN_NAME] = 21;
    s->columns.total = 120;
    s->hotTitle = PANEL_TITLE_NONE;

    HDC screen = GetDC(NULL);
    HDC window = CreateCompatibleDC(screen), titles = CreateCompatibleDC(screen);
    HBITMAP windowBits = CreateCompatibleBitmap(screen, 400, 300);
    HBITMAP titleBits = CreateCompatibleBitmap(screen, 400, TITLE_SURFACE_HEIGHT);
    HGDIOBJ oldWindow = SelectObject(window, windowBits), oldTitles = SelectObject(titles, titleBits);
    PatBlt(window, 0, 0, 400, 300, BLACKNESS);
    PanelPaintRequest request = {};
    request.active = 1;
    request.cursorType = CURSOR_FULL;
    request.titleSurface = titles;
    request.titles.face = face;
    static const wchar_t* const t[] = {L"Name", L"Ext", L"DOS Name", L"Size", L"Type", L"Date", L"Time", L"Atr"};
    for (int i = 0; i < COLUMN_COUNT; i++) request.titles.titles[i] = t[i];
    PaintPanel(window, panel, &surfaces, &colors, &request);

    int rowHeight = surfaces.rows.rowHeight;
    EXPECT_EQ(face, GetPixel(window, 250, 31));
    EXPECT_EQ(face, GetPixel(window, 250, 45));
    EXPECT_EQ(back, GetPixel(window, 250, 49));
    EXPECT_EQ(bar, GetPixel(window, 250, 49 + 2 * rowHeight));
    EXPECT_EQ(back, GetPixel(window, 250, 49 + 3 * rowHeight));
    EXPECT_EQ(back, GetPixel(window, 2 + 19, 49 + 2 * rowHeight)) << "the bar starts 20 pixels in";
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(window, 350, 100)) << "nothing outside the panel";

    SelectObject(window, oldWindow);
    SelectObject(titles, oldTitles);
    DeleteObject(windowBits);
    DeleteObject(titleBits);
    DeleteDC(window);
    DeleteDC(titles);
    ReleaseDC(NULL, screen);
    for (int i = 0; i < 3; i++) panel->view[i] = NULL;
    panel->total = 0;
    PanelDestroy(panel);
    PaintReleaseSurfaces(&surfaces);
}

}  // namespace
