// The real main window created in this process, drawn into a memory
// canvas: both panels, their path lines, the command line band and the
// scroll bar hosts.
#include <gtest/gtest.h>

#include <string>

#include "infolines.h"
#include "testkit.h"
#include "window_under_test.h"
#include "view.h"

using namespace fyxtest;

namespace {

const int kWidth = 800, kHeight = 600;

class MainWindowView : public ::testing::Test {
protected:
    ProgramFolder folder;
    TempDir left, right;
    HWND window = NULL;

    void FillFolder(const TempDir& dir, int files) {
        for (int i = 0; i < files; ++i) {
            wchar_t name[32];
            swprintf(name, 32, L"file%03d.txt", i);
            ASSERT_TRUE(WriteFileBytes(dir.File(name), "x"));
        }
    }

    void Open(void (*edit)(ConfigRecord*) = nullptr) {
        ConfigRecord settings = TestSettings(left.path(), right.path());
        settings.CursorType = 1;
        if (edit) edit(&settings);
        window = CreateMainWindowFrom(folder.path(), settings);
        ASSERT_TRUE(window != NULL);
        MoveWindow(window, 0, 0, kWidth, kHeight, FALSE);
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
        ViewArrange(window);
    }

    void TearDown() override {
        if (!window) return;
        ShutDown(window);
        DestroyWindow(window);
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        }
    }

    // The whole client area as the window would show it.
    void Draw(Canvas& canvas) {
        ViewArrange(window);
        RECT all = {0, 0, canvas.width(), canvas.height()};
        ViewDraw(canvas.dc(), all);
    }

    int CountColor(const Canvas& canvas, const RECT& r, COLORREF color) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += canvas.At(x, y) == color;
        return n;
    }

    RECT RowRect(int side, int index) {
        RECT r = {};
        const Panel* panel = g_app.panels[side];
        PaintRowRect(&PaintStateOf(side)->geometry, g_view.surfaces.rows.rowHeight, ViewVisibleRows(side),
                     panel->topRow, index, &r);
        return r;
    }
};

TEST_F(MainWindowView, OnlyTheActivePanelDrawsItsCursor) {
    FillFolder(left, 5);
    FillFolder(right, 5);
    Open();
    Canvas canvas(kWidth, kHeight);
    // A colour nothing else uses (the default frame is as black as the text).
    const COLORREF frame = RGB(1, 2, 3);
    g_view.colors.cursorRectangle = frame;
    for (int active = 0; active < 2; ++active) {
        g_app.panels[active]->focus = 1;
        g_app.panels[1 - active]->focus = 2;
        Draw(canvas);
        RECT activeRow = RowRect(active, g_app.panels[active]->cursor);
        RECT otherRow = RowRect(1 - active, g_app.panels[1 - active]->cursor);
        ASSERT_GT(activeRow.bottom, activeRow.top);
        EXPECT_GT(CountColor(canvas, activeRow, frame), 20) << "side " << active;
        EXPECT_EQ(0, CountColor(canvas, otherRow, frame)) << "side " << 1 - active;

        // The path line of the active panel takes the active caption colour.
        const PanelGeometry& a = PaintStateOf(active)->geometry;
        const PanelGeometry& o = PaintStateOf(1 - active)->geometry;
        EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), canvas.At(a.left + INFO_PATH_ICON_BOX + 2, a.titleY - 12));
        EXPECT_EQ(GetSysColor(COLOR_INACTIVECAPTION), canvas.At(o.left + INFO_PATH_ICON_BOX + 2, o.titleY - 12));
    }
}

TEST_F(MainWindowView, PanelsFillTheSplitAndTheirListsReachTheInformationLines) {
    Open([](ConfigRecord* c) { c->FYXLeftPanelSize = 30; });
    const MainLayout& l = g_view.layout;
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(PaintSplitX(client.right, 30), l.split);
    EXPECT_EQ(l.split, PaintStateOf(0)->geometry.right);
    EXPECT_EQ(l.split + 4, PaintStateOf(1)->geometry.left);
    EXPECT_EQ(client.right - 4, PaintStateOf(1)->geometry.right);
    for (int side = 0; side < 2; ++side) {
        const Panel* panel = g_app.panels[side];
        int lines = (panel->settings.showInfoLine1 == 1) + (panel->settings.showInfoLine2 == 1);
        int bar = PaintStateOf(side)->horizontalNeeded ? GetSystemMetrics(SM_CYHSCROLL) : 0;
        EXPECT_EQ(l.panels[side].bottom - 2 - lines * INFO_LINE_HEIGHT - bar, PaintStateOf(side)->geometry.listBottom);
        EXPECT_GT(ViewVisibleRows(side), 10);
    }
}

TEST_F(MainWindowView, CommandLineOffMovesTheKeysUpAndPutsTheEditAway) {
    Open();
    HWND edit = g_view.commandEdit;
    ASSERT_TRUE(edit != NULL);
    EXPECT_TRUE(IsWindowVisible(edit)) << "placed by the first paint";
    int keysTop = g_view.layout.keys.top, panelsBottom = g_view.layout.panelsBottom;
    EXPECT_EQ(g_view.layout.commandBand.top + 22, keysTop);
    RECT r;
    GetWindowRect(edit, &r);
    MapWindowPoints(NULL, window, (POINT*)&r, 2);
    EXPECT_EQ(g_view.commandBand.promptWidth + 7, r.left);
    EXPECT_EQ(g_view.layout.commandBand.top + 5, r.top);

    g_app.config.FYXShowCommandLine = 0;
    ViewPlaceCommandLine(window);
    UpdateWindow(window);
    EXPECT_FALSE(IsWindowVisible(edit));
    // The key row keeps the bottom edge and starts where the band started:
    // 22 pixels higher relative to it; the panels take the band's room.
    EXPECT_EQ(keysTop, g_view.layout.keys.top);
    EXPECT_EQ(panelsBottom + 22, g_view.layout.panelsBottom);
    EXPECT_TRUE(IsRectEmpty(&g_view.layout.commandBand));
}

TEST_F(MainWindowView, NewSettingsBringTheSecondProfile) {
    Open();
    ColorProfile second = {};
    PREFS_LoadColorProfileDefault2(&second);
    Canvas canvas(kWidth, kHeight);
    Draw(canvas);
    const PanelGeometry& g = PaintStateOf(0)->geometry;
    POINT empty = {g.left + 100, g.listBottom - 5};  // below the few rows of an empty folder
    EXPECT_NE((COLORREF)second.slots[0].color, canvas.At(empty.x, empty.y));

    ConfigRecord changed = g_app.config;
    wcscpy(changed.ColorProfileFile, L"Default2");
    ASSERT_EQ(0, PREFS_SaveAllExtConfiguration(changed));
    SendMessageW(window, WM_SETTINGS_CHANGED, 0, 0);
    Draw(canvas);
    EXPECT_EQ((COLORREF)second.slots[0].color, canvas.At(empty.x, empty.y));
}

TEST_F(MainWindowView, VerticalScrollHostMovesTheList) {
    FillFolder(left, 200);
    Open();
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    Panel* panel = g_app.panels[0];
    int rows = ViewVisibleRows(0);
    ASSERT_GT(rows, 0);
    HWND host = g_view.verticalBars[0];
    EXPECT_TRUE(IsWindowVisible(host));
    struct Step {
        int request;
        int topRow;
    } steps[] = {
        {SB_LINEDOWN, 1},
        {SB_PAGEDOWN, 1 + rows},
        {SB_LINEUP, rows},
        {SB_BOTTOM, 201 - rows},  // 200 files and the parent entry
        {SB_LINEDOWN, 201 - rows},
        {SB_TOP, 0},
        {SB_LINEUP, 0},
    };
    for (const Step& s : steps) {
        SendMessageW(host, WM_VSCROLL, s.request, 0);
        EXPECT_EQ(s.topRow, panel->topRow) << "request " << s.request;
    }
}

TEST_F(MainWindowView, ActivationGivesTheWindowTheKeys) {
    Open();
    SetFocus(NULL);
    SendMessageW(window, WM_ACTIVATE, WA_ACTIVE, 0);
    // Without a focus window every key would arrive as a system key.
    EXPECT_EQ(window, GetFocus());
}

TEST(ScrollHostPosition, FollowsEachRequest) {
    // Range 0..99, page 10, at 50 (tracking 70).
    SCROLLINFO at = {sizeof(at), SIF_ALL, 0, 99, 10, 50, 70};
    SCROLLINFO top = at, end = at;
    top.nPos = 0;
    end.nPos = 90;
    struct Case {
        int vertical, request;
        const SCROLLINFO* info;
        int expected;
    } cases[] = {
        {1, SB_LINEUP, &at, 49},   {1, SB_LINEUP, &top, 0},    {1, SB_LINEDOWN, &at, 51},
        {1, SB_LINEDOWN, &end, 90}, {1, SB_PAGEUP, &at, 40},   {1, SB_PAGEUP, &top, 0},
        {1, SB_PAGEDOWN, &at, 60}, {1, SB_PAGEDOWN, &end, 90}, {1, SB_TOP, &at, 0},
        {1, SB_BOTTOM, &at, 99},   {0, SB_LINEUP, &at, 40},    {0, SB_LINEUP, &top, 0},
        {0, SB_LINEDOWN, &at, 60}, {0, SB_LINEDOWN, &end, 90}, {0, SB_PAGEUP, &at, 40},
        {0, SB_PAGEDOWN, &at, 60}, {0, SB_THUMBTRACK, &at, 70},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ScrollHostNewPosition(c.vertical, c.request, *c.info))
            << "vertical " << c.vertical << " request " << c.request << " at " << c.info->nPos;
}

}  // namespace
