// Main window arrangement, split limits, splitter drag and the command line band.
#include <gtest/gtest.h>

#include <string>

#include "command_band.h"
#include "layout_paint.h"
#include "layout_geometry.h"
#include "paint_geometry.h"
#include "testkit.h"
#include "splitter.h"

TEST(LayoutSplit, KeepsFiftyPixelsOnBothSides)
{
    struct Case {
        int width;
        double percent;
        int split;
    } cases[] = {
        {120, 80, 70},  // right side keeps 50
        {120, 30, 50},  // raised to 50
        {1000, 50, 500},
        {1050, 50, 525},  // the share of the whole width, fraction dropped
        {1000, 99, 950},
        {60, 50, 10},   // narrower than both limits: the right one wins
        {30, 50, 0},    // never left of the client area
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.split, PaintSplitX(c.width, c.percent)) << c.width << " " << c.percent;
}

TEST(LayoutArrange, PanelsSitBetweenTheBands)
{
    MainLayout layout;
    LayoutArrange(800, 600, 50, 1, &layout);
    EXPECT_EQ(LAYOUT_PANEL_LEFT, layout.panels[0].left);
    EXPECT_EQ(400, layout.panels[0].right);
    EXPECT_EQ(404, layout.panels[1].left);
    EXPECT_EQ(796, layout.panels[1].right);
    // The drive bar band stands from 50 to 26 pixels above the panels.
    EXPECT_EQ(layout.panels[0].top - 50, layout.driveBands[0].top);
    EXPECT_EQ(layout.panels[0].top - 26, layout.driveBands[0].bottom);
    EXPECT_GT(layout.driveBands[0].top, LAYOUT_TOOLBAR_LINE_Y);
    EXPECT_EQ(layout.panelsBottom, layout.commandBand.top);
    EXPECT_EQ(23, layout.commandBand.bottom - layout.commandBand.top);
    EXPECT_LE(layout.keys.lowerLineY + 2, 600);
}

TEST(LayoutArrange, FunctionKeyRowMovesUpWithoutTheCommandLine)
{
    EXPECT_EQ(122, LayoutFunctionKeyRowTop(100, 1));
    EXPECT_EQ(100, LayoutFunctionKeyRowTop(100, 0));

    MainLayout on, off;
    LayoutArrange(800, 600, 50, 1, &on);
    LayoutArrange(800, 600, 50, 0, &off);
    EXPECT_EQ(on.commandBand.top + 22, on.keys.top);
    EXPECT_EQ(off.panelsBottom, off.keys.top);
    // The row keeps to the bottom edge, so the panels gain the 22 pixels.
    EXPECT_EQ(on.panelsBottom + 22, off.panelsBottom);
    EXPECT_TRUE(IsRectEmpty(&off.commandBand));
}

TEST(LayoutArrange, FunctionKeyButtonWidths)
{
    FunctionKeyRow row;
    LayoutFunctionKeyRow(800, 500, &row);
    const int w = (800 - 16) / 7;
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(w, row.buttons[i].right - row.buttons[i].left) << i;
        EXPECT_EQ(row.buttons[i].right + 2, row.buttons[i + 1].left) << i;
    }
    EXPECT_EQ(2, row.buttons[0].left);
    EXPECT_EQ(797, row.buttons[6].right);  // up to 3 pixels from the right edge
    EXPECT_EQ(522, row.lowerLineY);
    EXPECT_EQ(20, row.buttons[3].bottom - row.buttons[3].top);
}

class SplitterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SplitterReset(&drag);
        split = PaintSplitX(width, percent);
        // Hover on the zone, press, first movement starts the drag.
        EXPECT_EQ(SPLITTER_SIZE_CURSOR, Move(split + 3, 200));
        EXPECT_EQ(SPLITTER_CAPTURE, SplitterButtonDown(&drag));
        EXPECT_EQ(SPLITTER_BEGIN_LINES, Move(split + 3, 200));
    }
    int Move(int x, int y) { return SplitterMouseMove(&drag, x, y, split, 80, 500, width, &percent); }

    SplitterDrag drag;
    int width = 800;
    double percent = 50;
    int split = 0;
};

TEST_F(SplitterTest, DragShowsPercentAndStoresItLessTwoTenths)
{
    int actions = Move(380, 200);  // 47.5 %
    EXPECT_EQ(SPLITTER_DRAW_LINE | SPLITTER_SET_TITLE, actions);
    EXPECT_STREQ(L"Fyx 1.2 - 47.50 %", drag.title);
    EXPECT_NEAR(47.3, percent, 1e-9);
    // The next position removes the previous line first.
    actions = Move(400, 200);
    EXPECT_TRUE(actions & SPLITTER_ERASE_LINE);
    EXPECT_EQ(380, drag.erasedX);
    EXPECT_EQ(400, drag.lineX);
    EXPECT_EQ(0, Move(400, 200));  // same position: nothing
    EXPECT_EQ(SPLITTER_FINISH | SPLITTER_SET_TITLE, SplitterButtonUp(&drag));
    EXPECT_STREQ(L"Fyx 1.2", drag.title);
    EXPECT_EQ(SPLITTER_IDLE, drag.phase);
    EXPECT_NEAR(49.8, percent, 1e-9);
}

TEST_F(SplitterTest, OutsideTheLimitsNothingChanges)
{
    EXPECT_EQ(0, Move(40, 200));   // 5 %
    EXPECT_EQ(0, Move(80, 200));   // exactly 10 %: limits are exclusive
    EXPECT_EQ(0, Move(720, 200));  // exactly 90 %
    EXPECT_EQ(50, percent);
    EXPECT_EQ(0, drag.lineDrawn);
}

TEST(Splitter, HoverZoneIsStrictlyInside)
{
    struct Case {
        int x, y;
        int sizing;
    } cases[] = {
        {402, 200, 0}, {403, 200, 1}, {404, 200, 1}, {405, 200, 0}, {403, 80, 0}, {403, 500, 0}, {403, 81, 1},
    };
    for (const Case& c : cases) {
        SplitterDrag drag;
        SplitterReset(&drag);
        double percent = 50;
        SplitterMouseMove(&drag, c.x, c.y, 400, 80, 500, 800, &percent);
        EXPECT_EQ(c.sizing, drag.sizingCursor) << c.x << "," << c.y;
        // A press without the sizing cursor starts nothing.
        EXPECT_EQ(c.sizing ? SPLITTER_CAPTURE : 0, SplitterButtonDown(&drag));
    }
    SplitterDrag drag;
    SplitterReset(&drag);
    double percent = 50;
    SplitterMouseMove(&drag, 403, 200, 400, 80, 500, 800, &percent);
    EXPECT_EQ(SPLITTER_ARROW_CURSOR, SplitterMouseMove(&drag, 300, 200, 400, 80, 500, 800, &percent));
}

static int TextWidth(HDC dc, const wchar_t* text)
{
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    SelectObject(dc, old);
    return size.cx;
}

TEST(CommandBand, ShortPromptWholeAndEditBesideIt)
{
    HDC dc = CreateCompatibleDC(NULL);
    CommandBand band;
    CommandBandMeasure(dc, L"C:\\Work", 800, 400, &band);
    EXPECT_STREQ(L"C:\\Work>", band.prompt);
    EXPECT_EQ(TextWidth(dc, L"C:\\Work>"), band.promptWidth);
    EXPECT_EQ(band.promptWidth + 7, band.edit.left);
    EXPECT_EQ(405, band.edit.top);
    EXPECT_EQ(15, band.edit.bottom - band.edit.top);
    EXPECT_EQ(800 - band.promptWidth - 12, band.edit.right - band.edit.left);
    DeleteDC(dc);
}

TEST(CommandBand, LongPromptCutToHalfTheWindow)
{
    HDC dc = CreateCompatibleDC(NULL);
    std::wstring path = L"C:\\";
    for (int i = 0; i < 30; ++i) path += L"folder\\";
    CommandBand band;
    CommandBandMeasure(dc, path.c_str(), 400, 0, &band);
    EXPECT_LE(band.promptWidth, 400 / 2 - 5);
    EXPECT_GT(band.promptWidth, 0);
    EXPECT_EQ(0, wcsncmp(band.prompt, L"C:\\folder", 9));
    // The edit keeps the rest of the width.
    EXPECT_GE(band.edit.right - band.edit.left, 400 - (400 / 2 - 5) - 12);
    DeleteDC(dc);
}

TEST(LayoutPaint, FunctionKeyRowLinesAndButtons)
{
    const int width = 400, height = 60;
    fyxtest::Canvas canvas(width, height);
    HDC dc = canvas.dc();

    SystemColors colors;
    LayoutReadSystemColors(&colors);
    FunctionKeyRow row;
    LayoutFunctionKeyRow(width, 10, &row);
    FunctionKeyButton keys[LAYOUT_FKEY_COUNT] = {};
    keys[2].state = 3;  // highlighted
    LayoutDrawFunctionKeyRow(dc, &row, width, keys, &colors);
    auto at = [&](int x, int y) { return canvas.At(x, y); };
    EXPECT_EQ(colors.dark, at(200, 10));
    EXPECT_EQ(colors.light, at(200, 11));
    EXPECT_EQ(colors.dark, at(200, 32));
    EXPECT_EQ(colors.dark, at(row.separators[0].left, 20));
    EXPECT_EQ(RGB(255, 255, 0), at(row.buttons[2].left + 4, 20));
    EXPECT_EQ(colors.face, at(row.buttons[1].left + 4, 20));
    EXPECT_EQ(RGB(255, 255, 255), at(width - 1, 20));  // 3 pixels at the right stay untouched
}
