// The sort arrows built from our source images: ascending points up,
// descending down.
#include <gtest/gtest.h>

#include <windows.h>

#include "paint_icons.h"

namespace {

COLORREF PixelOfIcon(int id, int x, int y) {
    HICON icon = (HICON)LoadImageW(GetModuleHandleW(NULL), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0);
    if (!icon) return CLR_INVALID;
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 16, 16, WHITENESS);
    DrawIconEx(dc, 0, 0, icon, 16, 16, 0, NULL, DI_NORMAL);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(NULL, screen);
    DestroyIcon(icon);
    return c;
}

TEST(PaintIcons, SortArrowsPointTheirWay) {
    const COLORREF tip = RGB(0x40, 0x40, 0x40), fill = RGB(0x20, 0x50, 0xC0), none = RGB(255, 255, 255);
    EXPECT_EQ(tip, PixelOfIcon(IDI_SORT_ASCENDING, 7, 5));
    EXPECT_EQ(fill, PixelOfIcon(IDI_SORT_ASCENDING, 7, 9));
    EXPECT_EQ(none, PixelOfIcon(IDI_SORT_ASCENDING, 7, 4));
    EXPECT_EQ(tip, PixelOfIcon(IDI_SORT_DESCENDING, 7, 10));
    EXPECT_EQ(fill, PixelOfIcon(IDI_SORT_DESCENDING, 7, 6));
    EXPECT_EQ(none, PixelOfIcon(IDI_SORT_DESCENDING, 7, 11));
}

}  // namespace
