// The counts line: selected of all directories, files and bytes, and colours.
#include <gtest/gtest.h>

#include "paint_info.h"

namespace {

class PaintInfo : public ::testing::Test {
  protected:
    void SetUp() override {
        panel = PanelCreate(0, L"C:\\");
        ASSERT_NE(nullptr, panel);
        entries[0].flags = EF_DIRECTORY | EF_PARENT;
        for (int i = 1; i < 4; i++) entries[i].flags = EF_DIRECTORY;
        for (int i = 0; i < 4; i++) panel->view[i] = &entries[i];
        panel->total = 4;
        panel->dirCount = 4;  // with the parent entry
        panel->fileCount = 0;
        dc = CreateCompatibleDC(NULL);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    }
    void TearDown() override {
        for (int i = 0; i < 4; i++) panel->view[i] = NULL;
        panel->total = 0;
        PanelDestroy(panel);
        DeleteDC(dc);
    }
    Panel* panel;
    PanelEntry entries[4] = {};
    HDC dc;
};

TEST_F(PaintInfo, TwoOfThreeDirectoriesSelected) {
    panel->selectedDirs = 2;
    InfoPiece p[INFO_PIECES];
    ASSERT_EQ(15, PaintCountsPieces(dc, panel, 400, p));
    EXPECT_STREQ(L"[", p[0].text);
    EXPECT_EQ(5, p[0].x);
    EXPECT_STREQ(L"2", p[1].text);
    EXPECT_EQ(13, p[1].x);
    EXPECT_EQ(INFO_SELECTED, p[1].color);
    EXPECT_STREQ(L",", p[2].text);
    EXPECT_STREQ(L"3", p[3].text);
    EXPECT_EQ(INFO_DIRECTORIES, p[3].color);
    EXPECT_STREQ(L"]", p[4].text);
    // No files: zeros in black.
    EXPECT_STREQ(L"0", p[6].text);
    EXPECT_EQ(INFO_PLAIN, p[6].color);
    EXPECT_EQ(INFO_PLAIN, p[8].color);
    EXPECT_EQ(INFO_PLAIN, p[11].color);
    EXPECT_EQ(INFO_PLAIN, p[13].color);
    SIZE bracket;
    GetTextExtentPoint32W(dc, L"]", 1, &bracket);
    EXPECT_EQ(p[4].x + bracket.cx + 10, p[5].x) << "10 pixels after the first group";

    panel->selectedDirs = 3;
    PaintCountsPieces(dc, panel, 400, p);
    EXPECT_EQ(INFO_SELECTED, p[3].color) << "every directory selected";
}

TEST_F(PaintInfo, BytesAreRightAlignedAndRedWhenEveryFileIsSelected) {
    panel->fileCount = 2;
    panel->selectedFiles = 2;
    panel->selectedBytes = 3000;
    panel->listedBytes = 3000;
    InfoPiece p[INFO_PIECES];
    PaintCountsPieces(dc, panel, 400, p);
    EXPECT_EQ(INFO_SELECTED, p[8].color);
    EXPECT_EQ(INFO_SELECTED, p[11].color);
    EXPECT_EQ(INFO_SELECTED, p[13].color);
    SIZE bracket;
    GetTextExtentPoint32W(dc, L"]", 1, &bracket);
    EXPECT_EQ(400 - 5, p[14].x + bracket.cx);
    panel->selectedFiles = 1;
    panel->selectedBytes = 1000;
    PaintCountsPieces(dc, panel, 400, p);
    EXPECT_EQ(INFO_FILES, p[8].color);
    EXPECT_EQ(INFO_PLAIN, p[13].color);
    EXPECT_EQ(INFO_SELECTED, p[11].color);
}

TEST_F(PaintInfo, LineShowsTheSelectedCountInRed) {
    panel->selectedDirs = 2;
    HDC screen = GetDC(NULL);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 400, 20);
    HGDIOBJ old = SelectObject(target, bitmap);
    RECT line = {0, 0, 400, 20};
    PaintCountsLine(target, &line, panel);
    int red = 0, blue = 0;
    for (int y = 0; y < 20; y++)
        for (int x = 0; x < 60; x++) {
            COLORREF c = GetPixel(target, x, y);
            red += c == INFO_SELECTED;
            blue += c == INFO_DIRECTORIES;
        }
    // Wine may smooth the default GUI font; exact colours appear on Windows.
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), GetPixel(target, 300, 1));
    if (red == 0 && blue == 0) GTEST_SKIP() << "text drawn smoothed";
    EXPECT_GT(red, 0);
    EXPECT_GT(blue, 0);
    SelectObject(target, old);
    DeleteObject(bitmap);
    DeleteDC(target);
    ReleaseDC(NULL, screen);
}

}  // namespace
