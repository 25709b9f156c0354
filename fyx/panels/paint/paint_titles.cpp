// Column titles of a panel.
#include "paint_titles.h"

#include <wchar.h>

#include "paintkit.h"

namespace {

const int LOOSE_EXT_X = 60;

int TitleWidth(HDC dc, const wchar_t* text) {
    SIZE size = {0, 0};
    if (text && *text) GetTextExtentPoint32W(dc, text, (int)wcslen(text), &size);
    return size.cx;
}

}  // namespace

int PaintTitleSortKey(int title, int panelMode, int extShown) {
    switch (title) {
    case COLUMN_NAME: return SORT_NAME;
    case COLUMN_EXT: return extShown ? SORT_EXT : 0;
    case PANEL_TITLE_LOOSE_EXT: return panelMode == PANEL_FILESYSTEM && !extShown ? SORT_EXT : 0;
    case COLUMN_SIZE: return SORT_SIZE;
    case COLUMN_DATE:
    case COLUMN_TIME: return SORT_TIME;
    default: return 0;
    }
}

void PaintTitleRow(HDC target, int x, int titleY, HDC dc, int width, const Panel* panel,
                   const PanelColumns* c, const PanelTitleView* view, PanelTitleBounds* bounds) {
    RECT all = {0, 0, width, TITLE_SURFACE_HEIGHT};
    HBRUSH face = CreateSolidBrush(view->face);
    FillRect(dc, &all, face);
    DeleteObject(face);
    for (int i = 0; i < PANEL_TITLE_SLOTS; i++) bounds->left[i] = bounds->right[i] = 0;

    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = GetTextColor(dc);
    const int scroll = view->horizontalScroll;
    const int mode = panel->settings.panelMode;
    const int extShown = c->shown[COLUMN_EXT] && c->width[COLUMN_EXT] != 0;
    int titleX[PANEL_TITLE_SLOTS] = {};
    int titleW[PANEL_TITLE_SLOTS] = {};

    const wchar_t* text[PANEL_TITLE_SLOTS] = {};
    for (int slot = 0; slot < PANEL_TITLE_SLOTS; slot++) {
        if (slot == PANEL_TITLE_LOOSE_EXT) {
            if (extShown || mode == PANEL_SHELL) continue;
            text[slot] = view->titles[COLUMN_EXT];
            // Beyond the Name title's arrow room: at 60 the arrow after a
            // wide "Name" would run into it.
            titleX[slot] = titleX[COLUMN_NAME] + titleW[COLUMN_NAME] + 5 + 16 + 3;
            if (titleX[slot] < LOOSE_EXT_X) titleX[slot] = LOOSE_EXT_X;
        } else {
            if (!c->shown[slot]) continue;
            if (slot != COLUMN_NAME && slot != COLUMN_SIZE && c->width[slot] == 0) continue;
            text[slot] = view->titles[slot];
            titleX[slot] = c->x[slot] + COLUMN_TEXT_INSET;
        }
        titleW[slot] = TitleWidth(dc, text[slot]);
        bounds->left[slot] = view->windowLeft + titleX[slot] - scroll;
        bounds->right[slot] = bounds->left[slot] + titleW[slot];
    }

    if (c->shown[COLUMN_TYPE] && c->width[COLUMN_TYPE])
        GUILIB_SeparatorLineV(dc, c->x[COLUMN_TYPE] - scroll, 0, TITLE_SURFACE_HEIGHT);
    if (c->shown[COLUMN_ATTRIBUTES])
        GUILIB_SeparatorLineV(dc, titleX[COLUMN_ATTRIBUTES] + titleW[COLUMN_ATTRIBUTES] + 5 - scroll,
                              0, TITLE_SURFACE_HEIGHT);
    GUILIB_SeparatorLineV(dc, c->total - scroll, 0, TITLE_SURFACE_HEIGHT);

    // Sort arrows after the titles of the current key.
    int sortMode = panel->settings.sortMode;
    HICON arrow = (sortMode & SORT_REVERSE) ? view->descending : view->ascending;
    int arrowX[2] = {-1, -1};
    int key = sortMode & SORT_KEY_BITS;
    if (mode == PANEL_SHELL || key == SORT_NAME || key == 0) {
        arrowX[0] = titleX[COLUMN_NAME] + titleW[COLUMN_NAME] + 5;
    } else if (key == SORT_EXT) {
        if (extShown)
            arrowX[0] = titleX[COLUMN_EXT] + titleW[COLUMN_EXT] + 10;
        else if (titleW[PANEL_TITLE_LOOSE_EXT])
            arrowX[0] = titleX[PANEL_TITLE_LOOSE_EXT] + titleW[PANEL_TITLE_LOOSE_EXT] + 5;
    } else if (key == SORT_SIZE) {
        if (c->shown[COLUMN_SIZE]) arrowX[0] = titleX[COLUMN_SIZE] + titleW[COLUMN_SIZE] + 10;
    } else if (key == SORT_TIME) {
        if (c->shown[COLUMN_DATE]) arrowX[0] = titleX[COLUMN_DATE] + titleW[COLUMN_DATE] + 10;
        if (c->shown[COLUMN_TIME]) arrowX[1] = titleX[COLUMN_TIME] + titleW[COLUMN_TIME] + 15;
    }
    for (int ax : arrowX)
        if (ax >= 0 && arrow)
            DrawIconEx(dc, ax - scroll, (TITLE_SURFACE_HEIGHT - 16) / 2, arrow, 16, 16, 0, NULL,
                       DI_NORMAL);

    // The titles go over the arrows, so an arrow never hides a title.
    for (int slot = 0; slot < PANEL_TITLE_SLOTS; slot++) {
        const wchar_t* t = text[slot];
        if (!t || !*t) continue;
        int hot = view->hot == slot && PaintTitleSortKey(slot, mode, extShown) != 0;
        SetTextColor(dc, hot ? TITLE_HOT_COLOR : RGB(0, 0, 0));
        TextOutW(dc, titleX[slot] - scroll, 2, t, (int)wcslen(t));
    }
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
    BitBlt(target, x, titleY + 1, width, TITLE_COPIED_HEIGHT, dc, 0, 0, SRCCOPY);
}
