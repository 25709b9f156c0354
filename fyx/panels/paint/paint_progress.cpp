// Progress bar: percentage, filled length and drawing.
#include "paint_progress.h"

#include <stdio.h>
#include <wchar.h>

#include "paintkit.h"

void PaintProgressInit(PanelProgressBar* bar, int x, int y, int width, double total) {
    ZeroMemory(bar, sizeof(*bar));
    bar->x = x;
    bar->y = y;
    bar->width = width;
    bar->height = 16;
    bar->total = total;
    bar->fill = RGB(0, 0, 160);
    bar->frame = RGB(0, 0, 0);
    bar->text = RGB(0, 0, 0);
    bar->empty = RGB(255, 255, 255);
    bar->options = PROGRESS_SHOW_PERCENT;
    bar->stockFont = DEFAULT_GUI_FONT;
    PaintProgressAdd(bar, 0);
}

void PaintProgressAdd(PanelProgressBar* bar, double value) {
    bar->current += value;
    // At or past the total, and for a total of 0, the bar is full.
    if (bar->current >= bar->total || bar->total <= 0)
        bar->percent = 100;
    else
        bar->percent = bar->current / (bar->total / 100);
    if (bar->percent < 0) bar->percent = 0;
    bar->filled = (int)(bar->percent / 100 * (bar->width - 3));
}

void PaintProgressTexts(const PanelProgressBar* bar, PanelProgressTexts* out) {
    if (bar->options & PROGRESS_SHOW_LABEL)
        swprintf(out->center, 300, L"%1.0f%% %ls", bar->percent, bar->label);
    else
        swprintf(out->center, 300, L"%1.0f%%", bar->percent);
    int format = (bar->options & PROGRESS_GROUPED) ? 0 : 1;
    // Values beyond 32 bits are printed whole, not cut to their low part.
    PanelFormatSizeText(bar->current > 0 ? (uint64_t)bar->current : 0, format, out->left);
    PanelFormatSizeText(bar->total > 0 ? (uint64_t)bar->total : 0, format, out->right);
}

void PaintProgressDraw(const PanelProgressBar* bar, HDC target) {
    int w = bar->width, h = bar->height;
    if (w <= 0 || h <= 0) return;
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, w, h);
    if (!dc || !bitmap) {
        if (bitmap) DeleteObject(bitmap);
        if (dc) DeleteDC(dc);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    GUILIB_DrawRectangle(dc, 0, 0, w - 1, h - 1, RGB(0, 0, 0), GUILIB_SIDE_TOP | GUILIB_SIDE_LEFT);
    GUILIB_DrawRectangle(dc, 0, 0, w - 1, h - 1, RGB(255, 255, 255),
                         GUILIB_SIDE_RIGHT | GUILIB_SIDE_BOTTOM);
    // The part not yet reached stays in the empty colour, so the bar shows progress.
    HPEN pen = CreatePen(PS_SOLID, 1, bar->frame);
    HBRUSH empty = CreateSolidBrush(bar->empty);
    HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, empty);
    Rectangle(dc, 1, 1, w - 1, h - 1);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(empty);
    DeleteObject(pen);
    RECT part = {2, 2, bar->filled + 2, h - 2};
    HBRUSH fill = CreateSolidBrush(bar->fill);
    FillRect(dc, &part, fill);
    DeleteObject(fill);

    PanelProgressTexts texts;
    PaintProgressTexts(bar, &texts);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(bar->stockFont));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, bar->text);
    RECT inside = {2, 1, w - 2, h - 1};
    if (bar->options & (PROGRESS_SHOW_PERCENT | PROGRESS_SHOW_LABEL))
        DrawTextW(dc, texts.center, -1, &inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (bar->options & PROGRESS_SHOW_VALUES) {
        DrawTextW(dc, texts.left, -1, &inside, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
        DrawTextW(dc, texts.right, -1, &inside, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    }
    SelectObject(dc, oldFont);
    BitBlt(target, bar->x, bar->y, w, h, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
