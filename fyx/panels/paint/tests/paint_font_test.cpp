// Row metrics from the panel font, and the surfaces that follow a new font.
#include <gtest/gtest.h>

#include "paint_surfaces.h"

namespace {

TEST(PaintFont, RowMetricsFollowTheTextHeight) {
    struct Case {
        int textHeight, rowHeight, firstRowOffset, iconOffset;
    } cases[] = {
        {10, 17, 3, 0}, {20, 21, 0, 2}, {15, 17, 1, 0}, {16, 17, 0, 0}, {17, 18, 0, 1}, {40, 41, 0, 12},
    };
    for (const Case& c : cases) {
        PanelRowMetrics m = PaintRowMetricsForHeight(c.textHeight);
        EXPECT_EQ(c.rowHeight, m.rowHeight) << c.textHeight;
        EXPECT_EQ(c.firstRowOffset, m.firstRowOffset) << c.textHeight;
        EXPECT_EQ(c.iconOffset, m.iconOffset) << c.textHeight;
    }
}

LOGFONTW FontOfHeight(int cellHeight) {
    LOGFONTW f = {};
    f.lfHeight = cellHeight;  // positive: the cell height, which is the text height
    f.lfCharSet = DEFAULT_CHARSET;
    wcscpy(f.lfFaceName, L"Tahoma");
    return f;
}

TEST(PaintFont, TenAndTwentyPixelFontsGiveSeventeenAndTwentyOneRows) {
    struct Case {
        int height, rowHeight;
    } cases[] = {{10, 17}, {20, 21}};
    for (const Case& c : cases) {
        LOGFONTW f = FontOfHeight(c.height);
        PanelRowMetrics m;
        ASSERT_EQ(0, PaintRowMetricsForFont(&f, &m));
        EXPECT_EQ(c.height, m.textHeight);
        EXPECT_EQ(c.rowHeight, m.rowHeight);
    }
}

TEST(PaintFont, NewFontRemakesTheCursorBarAtTheNewRowHeight) {
    PanelColors colors = {};
    colors.background = RGB(255, 255, 255);
    colors.cursorFull = RGB(212, 212, 212);
    LOGFONTW small = FontOfHeight(10);
    PaintSurfaces s;
    ASSERT_EQ(0, PaintCreateSurfaces(&s, &small, &colors, 300, 200));
    BITMAP bm;
    GetObjectW(GetCurrentObject(s.cursorBar.dc, OBJ_BITMAP), sizeof(bm), &bm);
    EXPECT_EQ(17, bm.bmHeight);
    EXPECT_EQ(300, bm.bmWidth);
    EXPECT_EQ(RGB(212, 212, 212), GetPixel(s.cursorBar.dc, 5, 5));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(s.list.dc, 299, 199));
    EXPECT_EQ(TRANSPARENT, GetBkMode(s.list.dc));

    LOGFONTW big = FontOfHeight(20);
    ASSERT_EQ(0, PaintSetPanelFont(&s, &big, &colors));
    GetObjectW(GetCurrentObject(s.cursorBar.dc, OBJ_BITMAP), sizeof(bm), &bm);
    EXPECT_EQ(21, bm.bmHeight);
    EXPECT_EQ(21, s.rows.rowHeight);
    EXPECT_EQ(s.font, (HFONT)GetCurrentObject(s.list.dc, OBJ_FONT));
    TEXTMETRICW tm;
    GetTextMetricsW(s.list.dc, &tm);
    EXPECT_EQ(20, tm.tmHeight) << "the list surface draws in the new font";

    colors.cursorFull = RGB(0, 128, 128);
    colors.background = RGB(0, 0, 128);
    s.backgroundHasPicture[1] = 1;
    PaintApplyColors(&s, &colors);
    EXPECT_EQ(RGB(0, 128, 128), GetPixel(s.cursorBar.dc, 5, 20));
    EXPECT_EQ(RGB(0, 0, 128), GetPixel(s.background[0].dc, 5, 5));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(s.background[1].dc, 5, 5)) << "a picture stays";
    PaintReleaseSurfaces(&s);
    EXPECT_EQ(nullptr, s.list.dc);
}

DWORD g_dialogThread;

// Presses Cancel in the first dialog box that the test thread shows.
DWORD WINAPI CancelDialog(void*) {
    for (int i = 0; i < 200; i++) {
        HWND dialog = NULL;
        EnumThreadWindows(
            g_dialogThread,
            [](HWND w, LPARAM p) -> BOOL {
                wchar_t cls[16];
                GetClassNameW(w, cls, 16);
                if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(w)) {
                    *(HWND*)p = w;
                    return FALSE;
                }
                return TRUE;
            },
            (LPARAM)&dialog);
        if (dialog) {
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return 0;
        }
        Sleep(25);
    }
    return 1;
}

TEST(PaintFont, CancelledFontDialogKeepsTheFont) {
    PanelColors colors = {};
    LOGFONTW font = FontOfHeight(20);
    PaintSurfaces s;
    ASSERT_EQ(0, PaintCreateSurfaces(&s, &font, &colors, 200, 100));
    HFONT before = s.font;
    g_dialogThread = GetCurrentThreadId();
    HANDLE canceller = CreateThread(NULL, 0, CancelDialog, NULL, 0, NULL);
    EXPECT_EQ(1, PaintChoosePanelFont(NULL, &s, &colors));
    WaitForSingleObject(canceller, 10000);
    DWORD found = 1;
    GetExitCodeThread(canceller, &found);
    CloseHandle(canceller);
    EXPECT_EQ(0u, found) << "the font dialog was shown";
    EXPECT_EQ(before, s.font);
    EXPECT_EQ(21, s.rows.rowHeight);
    PaintReleaseSurfaces(&s);
}

}  // namespace
