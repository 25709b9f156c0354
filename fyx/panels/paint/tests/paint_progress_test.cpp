// The progress bar: full at or past its total (also a total of 0), and the
// filled part drawn to the length of the percentage.
#include <gtest/gtest.h>

#include "paint_progress.h"

namespace {

TEST(PaintProgress, PercentAndLengthFollowTheValues) {
    struct Case {
        double total, current;
        double percent;
        int filled;
        const wchar_t* text;
    } cases[] = {
        {200, 100, 50, 48, L"50%"},   {200, 200, 100, 97, L"100%"}, {200, 350, 100, 97, L"100%"},
        {0, 0, 100, 97, L"100%"},     {1000, 1, 0.1, 0, L"0%"},
    };
    for (const Case& c : cases) {
        PanelProgressBar bar;
        PaintProgressInit(&bar, 3, 3, 100, c.total);
        PaintProgressAdd(&bar, c.current / 2);
        PaintProgressAdd(&bar, c.current / 2);
        EXPECT_DOUBLE_EQ(c.percent, bar.percent) << c.total << " " << c.current;
        EXPECT_EQ(c.filled, bar.filled) << c.total << " " << c.current;
        PanelProgressTexts t;
        PaintProgressTexts(&bar, &t);
        EXPECT_STREQ(c.text, t.center);
    }
}

TEST(PaintProgress, LabelAndValuesBeyondThirtyTwoBits) {
    PanelProgressBar bar;
    PaintProgressInit(&bar, 0, 0, 100, 6000000000.0);
    bar.options = PROGRESS_SHOW_LABEL | PROGRESS_GROUPED;
    wcscpy(bar.label, L"used");
    PaintProgressAdd(&bar, 3000000000.0);
    PanelProgressTexts t;
    PaintProgressTexts(&bar, &t);
    EXPECT_STREQ(L"50% used", t.center);
    EXPECT_STREQ(L"3 000 000 000", t.left);
    EXPECT_STREQ(L"6 000 000 000", t.right);
}

TEST(PaintProgress, FullBarIsFilledToItsEndAndHalfBarHalfway) {
    HDC screen = GetDC(NULL);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 30);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const double totals[] = {0, 10};
    for (double total : totals) {
        PanelProgressBar bar;
        PaintProgressInit(&bar, 3, 3, 100, total);
        bar.options = 0;  // no text over the pixels checked
        PaintProgressAdd(&bar, 20);
        PaintProgressDraw(&bar, dc);
        EXPECT_EQ(bar.fill, GetPixel(dc, 3 + 2, 3 + 8)) << total;
        EXPECT_EQ(bar.fill, GetPixel(dc, 3 + 98, 3 + 8)) << total;
        EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 3, 3 + 8)) << "frame";
    }
    PanelProgressBar half;
    PaintProgressInit(&half, 3, 3, 100, 100);
    half.options = 0;
    PaintProgressAdd(&half, 50);
    PaintProgressDraw(&half, dc);
    EXPECT_EQ(half.fill, GetPixel(dc, 3 + 40, 3 + 8));
    EXPECT_EQ(half.empty, GetPixel(dc, 3 + 60, 3 + 8));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(NULL, screen);
}

}  // namespace
