// The drawing library's lines, frames and rectangles, checked pixel by pixel
// in a memory device context.
#include <gtest/gtest.h>

#include <string>

#include "paintkit.h"
#include "testkit.h"

namespace {

const COLORREF PAPER = RGB(1, 2, 3);

// A canvas filled with PAPER, with pixel counts.
struct Canvas : fyxtest::Canvas {
    Canvas(int w, int h) : fyxtest::Canvas(w, h, PAPER) {}
    // The pixels of a row or column from a to b (excluded) that are not c.
    int CountRowNot(int y, int a, int b, COLORREF c) const {
        int n = 0;
        for (int x = a; x < b; x++) n += At(x, y) != c;
        return n;
    }
    int CountColumnNot(int x, int a, int b, COLORREF c) const {
        int n = 0;
        for (int y = a; y < b; y++) n += At(x, y) != c;
        return n;
    }
    int CountAll(COLORREF c) const {
        int n = 0;
        for (int y = 0; y < height(); y++)
            for (int x = 0; x < width(); x++) n += At(x, y) == c;
        return n;
    }
};

class Paintkit : public ::testing::Test {
  protected:
    void TearDown() override { InitGuiLib(); }
};

TEST_F(Paintkit, SeparatorLinesPutDarkAndLightWhereTheyBelong) {
    InitGuiLib();
    Canvas c(40, 40);
    GUILIB_SeparatorLineH(c.dc(), 5, 10, 30);
    EXPECT_EQ(0, c.CountRowNot(10, 5, 30, RGB(255, 255, 255)));
    EXPECT_EQ(0, c.CountRowNot(9, 5, 30, RGB(150, 150, 150)));
    EXPECT_EQ(PAPER, c.At(30, 10)) << "x2 is not included";
    EXPECT_EQ(PAPER, c.At(4, 10));
    EXPECT_EQ(0, c.CountRowNot(11, 0, 40, PAPER));

    GUILIB_SeparatorLineV(c.dc(), 20, 15, 35);
    EXPECT_EQ(0, c.CountColumnNot(20, 15, 35, RGB(150, 150, 150)));
    EXPECT_EQ(0, c.CountColumnNot(21, 15, 35, RGB(255, 255, 255)));
    EXPECT_EQ(PAPER, c.At(20, 35)) << "y2 is not included";
    EXPECT_EQ(0, c.CountColumnNot(22, 11, 40, PAPER));
}

TEST_F(Paintkit, InitTakesOnlyColoursWhoseUseHasOneInTheLowestByte) {
    // 0x101 has 1 in its lowest byte; 2 does not.
    InitGuiLib(NULL, 0, 0, 0x101, RGB(10, 20, 30), 2, RGB(40, 50, 60));
    Canvas c(20, 20);
    GUILIB_SeparatorLineH(c.dc(), 0, 5, 20);
    EXPECT_EQ(RGB(10, 20, 30), c.At(3, 4));
    EXPECT_EQ(RGB(255, 255, 255), c.At(3, 5));

    InitGuiLib();
    GUILIB_SeparatorLineH(c.dc(), 0, 12, 20);
    EXPECT_EQ(RGB(150, 150, 150), c.At(3, 11));
}

TEST_F(Paintkit, RectangleDrawsExactlyTheNamedSides) {
    const COLORREF ink = RGB(200, 0, 0);
    struct Case {
        DWORD sides;
        bool top, right, bottom, left;
    } cases[] = {
        {255, true, true, true, true},     {6, true, true, false, false},
        {4, true, false, false, false},    {2, false, true, false, false},
        {8, false, false, true, false},    {1, false, false, false, true},
        {9, false, false, true, true},     {0, false, false, false, false},
    };
    const int x = 5, y = 6, w = 20, h = 10;
    for (const Case& k : cases) {
        Canvas c(40, 30);
        GUILIB_DrawRectangle(c.dc(), x, y, w, h, ink, k.sides);
        // Inner pixels of each edge, away from the shared corners.
        EXPECT_EQ(k.top ? 0 : w - 1, c.CountRowNot(y, x + 1, x + w, ink)) << k.sides;
        EXPECT_EQ(k.right ? 0 : h - 1, c.CountColumnNot(x + w, y + 1, y + h, ink)) << k.sides;
        EXPECT_EQ(k.bottom ? 0 : w - 1, c.CountRowNot(y + h, x + 1, x + w, ink)) << k.sides;
        EXPECT_EQ(k.left ? 0 : h - 1, c.CountColumnNot(x, y + 1, y + h, ink)) << k.sides;
        int edgePixels = (k.top + k.bottom) * w + (k.left + k.right) * h;
        EXPECT_EQ(edgePixels, c.CountAll(ink)) << "nothing but the edges, sides " << k.sides;
    }
}

TEST_F(Paintkit, GroupTitleInterruptsTheTopEdgeWithTheBackground) {
    const COLORREF face = RGB(230, 230, 230);
    InitGuiLib(NULL, 0, 0, 0, 0, 0, 0, 1, face);
    Canvas c(200, 80);
    GUILIB_DrawGroupRectangle(c.dc(), 10, 20, 150, 50, L"Files");
    // The border in the top edge right of the title, the fill inside.
    EXPECT_EQ(RGB(200, 200, 200), c.At(150, 20));
    EXPECT_EQ(face, c.At(80, 45));
    EXPECT_EQ(PAPER, c.At(5, 45));
    // The title starts at x = 18 with a blank: the top edge there is background.
    EXPECT_EQ(face, c.At(19, 20));
    int titleInk = 0;
    for (int y = 14; y < 34; y++) titleInk += c.CountRowNot(y, 18, 80, face) == 0 ? 0 : 1;
    EXPECT_GT(titleInk, 3) << "title text drawn";
    bool blue = false;
    for (int y = 14; y < 34 && !blue; y++)
        for (int x = 18; x < 80 && !blue; x++) blue = c.At(x, y) == RGB(0, 0, 180);
    EXPECT_TRUE(blue);
    // Left of the title the top edge is border again.
    EXPECT_EQ(RGB(200, 200, 200), c.At(16, 20));
}

TEST_F(Paintkit, DrawingLeavesTheContextAsItWasAndKeepsNoObjects) {
    Canvas c(100, 60);
    HGDIOBJ pen = GetCurrentObject(c.dc(), OBJ_PEN);
    HGDIOBJ brush = GetCurrentObject(c.dc(), OBJ_BRUSH);
    HGDIOBJ font = GetCurrentObject(c.dc(), OBJ_FONT);
    SetTextColor(c.dc(), RGB(1, 1, 1));
    SetBkColor(c.dc(), RGB(2, 2, 2));
    SetBkMode(c.dc(), TRANSPARENT);
    MoveToEx(c.dc(), 7, 8, NULL);
    DWORD objectsBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 50; i++) {
        GUILIB_SeparatorLineH(c.dc(), 0, 5, 50);
        GUILIB_SeparatorLineV(c.dc(), 5, 0, 50);
        GUILIB_DrawRectangle(c.dc(), 2, 2, 30, 20, RGB(9, 9, 9), 255);
        GUILIB_DrawGroupRectangle(c.dc(), 10, 20, 80, 30, L"Group");
    }
    EXPECT_EQ(pen, GetCurrentObject(c.dc(), OBJ_PEN));
    EXPECT_EQ(brush, GetCurrentObject(c.dc(), OBJ_BRUSH));
    EXPECT_EQ(font, GetCurrentObject(c.dc(), OBJ_FONT));
    EXPECT_EQ(RGB(1, 1, 1), GetTextColor(c.dc()));
    EXPECT_EQ(RGB(2, 2, 2), GetBkColor(c.dc()));
    EXPECT_EQ(TRANSPARENT, GetBkMode(c.dc()));
    POINT p;
    GetCurrentPositionEx(c.dc(), &p);
    EXPECT_EQ(7, p.x);
    EXPECT_EQ(8, p.y);
    // Wine may report no counts at all; on Windows the count must not grow.
    if (objectsBefore != 0) {
        EXPECT_EQ(objectsBefore, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    }
}

TEST_F(Paintkit, LongTitleIsCutAndVersionSharesTheBuffer) {
    Canvas c(400, 80);
    std::wstring longTitle(600, L'x');
    GUILIB_DrawGroupRectangle(c.dc(), 10, 20, 300, 50, longTitle.c_str());
    EXPECT_STREQ(L"1.01", GUILIB_GetVersion());
}

}  // namespace
