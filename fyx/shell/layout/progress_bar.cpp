// The drawn progress bar: figures, texts and drawing through a memory DC.
#include "progress_bar.h"

#include <stdio.h>

#include "fsk.h"

void ProgressBarInit(ProgressBar* bar, int x, int y, int width)
{
    *bar = ProgressBar{};
    bar->x = x;
    bar->y = y;
    bar->width = width;
    bar->height = 16;
    bar->fillColor = RGB(0, 200, 0);
    bar->frameColor = RGB(200, 200, 200);
    bar->textColor = RGB(0, 0, 0);
    bar->backColor = GetSysColor(COLOR_BTNFACE);
    bar->options = PROGRESS_SHOW_PERCENT;
    bar->stockFont = DEFAULT_GUI_FONT;
}

static void Recompute(ProgressBar* bar)
{
    if (bar->current >= bar->total)
        bar->percent = 100;
    else
        bar->percent = bar->current / (bar->total / 100);
    if (bar->percent < 0) bar->percent = 0;
    int room = bar->width - 3;
    bar->filledLength = room > 0 ? (int)(bar->percent / 100 * room) : 0;
}

void ProgressBarSetTotal(ProgressBar* bar, double total)
{
    bar->total = total;
    Recompute(bar);
}

void ProgressBarAddValue(ProgressBar* bar, double value)
{
    bar->current += value;
    Recompute(bar);
}

static void ValueText(const ProgressBar* bar, double value, wchar_t* out, int chars)
{
    unsigned long long whole = value > 0 ? (unsigned long long)value : 0;
    if (bar->options & PROGRESS_GROUPED) {
        wchar_t digits[32];
        swprintf(digits, 32, L"%llu", whole);
        lstrcpynW(out, FYX_FSK_ConvertSValueToSValueWithSpaces(digits), chars);
    } else {
        lstrcpynW(out, FYX_FSK_GetFYXFormatValueShortString(whole), chars);
    }
}

void ProgressBarTexts(const ProgressBar* bar, wchar_t* middle, int middleChars, wchar_t* left, wchar_t* right,
                      int sideChars)
{
    middle[0] = left[0] = right[0] = 0;
    if (bar->options & PROGRESS_SHOW_LABEL)
        swprintf(middle, middleChars, L"%1.0f%% %ls", bar->percent, bar->label);
    else if (bar->options & PROGRESS_SHOW_PERCENT)
        swprintf(middle, middleChars, L"%1.0f%%", bar->percent);
    if (bar->options & PROGRESS_SHOW_VALUES) {
        ValueText(bar, bar->current, left, sideChars);
        ValueText(bar, bar->total, right, sideChars);
    }
}

static void Line(HDC dc, COLORREF color, int x1, int y1, int x2, int y2)
{
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, NULL);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

static void Fill(HDC dc, int l, int t, int r, int b, COLORREF color)
{
    RECT rc = {l, t, r, b};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

void ProgressBarDraw(const ProgressBar* bar, HDC target)
{
    if (bar->width <= 0 || bar->height <= 0) return;
    int w = bar->width, h = bar->height;
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);

    Fill(dc, 0, 0, w, h, bar->backColor);
    Line(dc, RGB(0, 0, 0), 0, h - 1, 0, 0);
    Line(dc, RGB(0, 0, 0), 0, 0, w, 0);
    Line(dc, RGB(255, 255, 255), 1, h - 1, w, h - 1);
    Line(dc, RGB(255, 255, 255), w - 1, 1, w - 1, h);
    HPEN pen = CreatePen(PS_SOLID, 1, bar->frameColor);
    HBRUSH brush = CreateSolidBrush(bar->backColor);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Rectangle(dc, 1, 1, w - 1, h - 1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
    if (bar->filledLength > 0) Fill(dc, 2, 2, bar->filledLength + 2, h - 2, bar->fillColor);

    wchar_t middle[300], left[64], right[64];
    ProgressBarTexts(bar, middle, 300, left, right, 64);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(bar->stockFont));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, bar->textColor);
    RECT all = {3, 0, w - 3, h};
    if (middle[0]) DrawTextW(dc, middle, -1, &all, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (left[0]) DrawTextW(dc, left, -1, &all, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (right[0]) DrawTextW(dc, right, -1, &all, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);

    BitBlt(target, bar->x, bar->y, w, h, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
