// Separator lines, the function-key row and the system colours.
#include "layout_paint.h"

static COLORREF Scale(COLORREF c, int numerator, int denominator)
{
    return RGB(GetRValue(c) * numerator / denominator, GetGValue(c) * numerator / denominator,
               GetBValue(c) * numerator / denominator);
}

static COLORREF Lighten(COLORREF c)
{
    return RGB((GetRValue(c) + 255) / 2, (GetGValue(c) + 255) / 2, (GetBValue(c) + 255) / 2);
}

void LayoutReadSystemColors(SystemColors* colors)
{
    colors->window = GetSysColor(COLOR_WINDOW);
    colors->face = GetSysColor(COLOR_3DFACE);
    colors->activeBorder = GetSysColor(COLOR_ACTIVEBORDER);
    colors->activeCaption = GetSysColor(COLOR_ACTIVECAPTION);
    colors->inactiveCaption = GetSysColor(COLOR_INACTIVECAPTION);
    colors->captionText = GetSysColor(COLOR_CAPTIONTEXT);
    colors->inactiveCaptionText = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    colors->light = Lighten(colors->face);
    colors->dark = Scale(colors->face, 2, 3);
}

static void Fill(HDC dc, int l, int t, int r, int b, COLORREF color)
{
    RECT rc = {l, t, r, b};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

void LayoutDrawSeparatorLine(HDC dc, int y, int left, int right, const SystemColors* colors)
{
    Fill(dc, left, y, right, y + 1, colors->dark);
    Fill(dc, left, y + 1, right, y + 2, colors->light);
}

void LayoutDrawFunctionKeyRow(HDC dc, const FunctionKeyRow* row, int clientWidth, const FunctionKeyButton* keys,
                              const SystemColors* colors)
{
    LayoutDrawSeparatorLine(dc, row->top, 0, clientWidth, colors);
    LayoutDrawSeparatorLine(dc, row->lowerLineY, 0, clientWidth, colors);
    Fill(dc, row->leftBar.left, row->leftBar.top, row->leftBar.right, row->leftBar.bottom, colors->dark);
    for (int i = 0; i < LAYOUT_FKEY_COUNT; ++i) {
        const RECT* s = &row->separators[i];
        Fill(dc, s->left, s->top, s->left + 1, s->bottom, colors->dark);
        Fill(dc, s->left + 1, s->top, s->right, s->bottom, colors->light);
        if (keys) {
            FunctionKeyButton key = keys[i];
            key.rect = row->buttons[i];
            FunctionKeyDraw(&key, dc);
        }
    }
}
