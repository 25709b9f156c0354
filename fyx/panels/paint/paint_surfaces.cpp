// Creating, refilling and releasing the panels' off-screen surfaces.
#include "paint_surfaces.h"

#include <string.h>

namespace {

int MakeSurface(PaintSurface* out, int width, int height) {
    HDC screen = GetDC(NULL);
    out->dc = CreateCompatibleDC(screen);
    out->bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(NULL, screen);
    if (!out->dc || !out->bitmap) return 1;
    out->oldBitmap = SelectObject(out->dc, out->bitmap);
    return 0;
}

void FreeSurface(PaintSurface* s) {
    if (s->dc && s->oldBitmap) SelectObject(s->dc, s->oldBitmap);
    if (s->bitmap) DeleteObject(s->bitmap);
    if (s->dc) DeleteDC(s->dc);
    ZeroMemory(s, sizeof(*s));
}

int MakeCursorBar(PaintSurfaces* s, const PanelColors* colors) {
    if (MakeSurface(&s->cursorBar, s->width, s->rows.rowHeight)) return 1;
    PaintFillSurface(&s->cursorBar, s->width, s->rows.rowHeight, colors->cursorFull);
    return 0;
}

}  // namespace

void PaintFillSurface(const PaintSurface* surface, int width, int height, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    RECT r = {0, 0, width, height};
    FillRect(surface->dc, &r, brush);
    DeleteObject(brush);
}

int PaintCreateSurfaces(PaintSurfaces* s, const LOGFONTW* font, const PanelColors* colors,
                        int width, int height) {
    ZeroMemory(s, sizeof(*s));
    s->width = width > 0 ? width : GetSystemMetrics(SM_CXSCREEN);
    s->height = height > 0 ? height : GetSystemMetrics(SM_CYSCREEN);
    s->fontChoice = *font;
    for (int i = 0; i < 2; i++) {
        if (MakeSurface(&s->background[i], s->width, s->height)) goto failed;
        PaintFillSurface(&s->background[i], s->width, s->height, colors->background);
    }
    if (PaintRowMetricsForFont(font, &s->rows)) goto failed;
    if (MakeCursorBar(s, colors)) goto failed;
    if (MakeSurface(&s->list, s->width, s->height)) goto failed;
    PaintFillSurface(&s->list, s->width, s->height, colors->background);
    SetBkMode(s->list.dc, TRANSPARENT);
    s->font = CreateFontIndirectW(font);
    if (!s->font) goto failed;
    s->oldListFont = SelectObject(s->list.dc, s->font);
    return 0;
failed:
    PaintReleaseSurfaces(s);
    return 1;
}

void PaintReleaseSurfaces(PaintSurfaces* s) {
    if (s->list.dc && s->oldListFont) SelectObject(s->list.dc, s->oldListFont);
    if (s->font) DeleteObject(s->font);
    s->font = NULL;
    s->oldListFont = NULL;
    FreeSurface(&s->list);
    FreeSurface(&s->cursorBar);
    FreeSurface(&s->background[0]);
    FreeSurface(&s->background[1]);
}

int PaintSetPanelFont(PaintSurfaces* s, const LOGFONTW* font, const PanelColors* colors) {
    PanelRowMetrics rows;
    if (PaintRowMetricsForFont(font, &rows)) return 1;
    HFONT made = CreateFontIndirectW(font);
    if (!made) return 1;
    PanelRowMetrics oldRows = s->rows;
    s->rows = rows;
    PaintSurface oldBar = s->cursorBar;
    ZeroMemory(&s->cursorBar, sizeof(s->cursorBar));
    if (MakeCursorBar(s, colors)) {
        FreeSurface(&s->cursorBar);
        s->cursorBar = oldBar;
        s->rows = oldRows;
        DeleteObject(made);
        return 1;
    }
    FreeSurface(&oldBar);
    SelectObject(s->list.dc, made);
    DeleteObject(s->font);
    s->font = made;
    s->fontChoice = *font;
    return 0;
}

int PaintChoosePanelFont(HWND owner, PaintSurfaces* s, const PanelColors* colors) {
    LOGFONTW chosen = s->fontChoice;
    if (PaintAskPanelFont(owner, &chosen)) return 1;
    return PaintSetPanelFont(s, &chosen, colors);
}

void PaintApplyColors(PaintSurfaces* s, const PanelColors* colors) {
    PaintFillSurface(&s->cursorBar, s->width, s->rows.rowHeight, colors->cursorFull);
    for (int i = 0; i < 2; i++)
        if (!s->backgroundHasPicture[i])
            PaintFillSurface(&s->background[i], s->width, s->height, colors->background);
}
