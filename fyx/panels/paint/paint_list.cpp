// Rows of a panel: background, cursor bar, texts, icons and cursor frame.
#include "paint_list.h"

#include <commctrl.h>
#include <wchar.h>

#include "paintkit.h"

namespace {

int Min(int a, int b) { return a < b ? a : b; }
int Max(int a, int b) { return a > b ? a : b; }

void Text(HDC dc, int x, int y, const wchar_t* text) {
    int n = (int)wcslen(text);
    if (n) TextOutW(dc, x, y, text, n);
}

COLORREF RowTextColor(const Panel* panel, const PanelEntry* e, int isCursor,
                      const PanelColors* colors, const PanelListView* view) {
    if (e->flags & EF_SELECTED) return colors->inverse;
    if (isCursor && view->active)
        return view->cursorType == CURSOR_RECTANGLE ? colors->focusedRectangle : colors->focusedFull;
    int folderColoured = panel->settings.panelMode != PANEL_SHELL && (e->flags & EF_DIRECTORY);
    return folderColoured ? colors->directory : colors->file;
}

void DrawRowTexts(HDC dc, int top, const Panel* panel, const PanelEntry* e,
                  const PanelColumns* c, const PanelListView* view) {
    PanelRowTexts t;
    PaintRowTexts(&panel->settings, e, &t);
    int dx = COLUMN_TEXT_INSET - view->horizontalScroll;
    Text(dc, c->x[COLUMN_NAME] + dx, top, t.name);
    if (c->shown[COLUMN_EXT] && c->width[COLUMN_EXT]) Text(dc, c->x[COLUMN_EXT] + dx, top, t.ext);
    if (c->shown[COLUMN_DOS_NAME] && c->width[COLUMN_DOS_NAME] && e->dosName)
        Text(dc, c->x[COLUMN_DOS_NAME] + dx, top, e->dosName);
    if (c->shown[COLUMN_SIZE] && t.size[0]) {
        UINT oldAlign = SetTextAlign(dc, TA_RIGHT | TA_TOP);
        Text(dc, c->sizeRight - view->horizontalScroll, top, t.size);
        SetTextAlign(dc, oldAlign);
    }
    if (c->shown[COLUMN_TYPE] && c->width[COLUMN_TYPE] && e->typeText)
        Text(dc, c->x[COLUMN_TYPE] + dx, top, e->typeText);
    if (c->shown[COLUMN_DATE]) Text(dc, c->x[COLUMN_DATE] + dx, top, t.date);
    if (c->shown[COLUMN_TIME]) Text(dc, c->x[COLUMN_TIME] + dx, top, t.time);
    if (c->shown[COLUMN_ATTRIBUTES]) Text(dc, c->x[COLUMN_ATTRIBUTES] + dx, top, t.attributes);
}

}  // namespace

int PaintVisibleRows(int listHeight, int rowHeight) {
    if (rowHeight <= 0 || listHeight <= 4) return 0;
    return (listHeight - 4) / rowHeight;
}

void PaintPanelList(HDC target, int x, int y, const Panel* panel, const PanelColumns* columns,
                    const PaintSurfaces* s, const PanelColors* colors, const PanelListView* view) {
    HDC dc = s->list.dc;
    int width = Min(view->width, s->width);
    int height = Min(view->height, s->height);
    if (width <= 0 || height <= 0) return;
    const PaintSurface& back = s->background[view->backgroundSurface ? 1 : 0];
    BitBlt(dc, 0, 0, width, height, back.dc, view->backgroundX, view->backgroundY, SRCCOPY);

    const PanelRowMetrics& rows = s->rows;
    int visible = PaintVisibleRows(view->height, rows.rowHeight);
    int total = 0;
    PanelEntry* const* entries = PanelView(panel, &total);
    int barLeft = Max(0, 20 - view->horizontalScroll);
    int cursorTop = -1;
    for (int i = 0; i < visible && view->topRow + i < total; i++) {
        int index = view->topRow + i;
        const PanelEntry* e = entries[index];
        int top = i * rows.rowHeight;
        int isCursor = index == panel->cursor;
        if (isCursor && view->active) {
            cursorTop = top;
            if (view->cursorType != CURSOR_RECTANGLE)
                BitBlt(dc, barLeft, top, width - barLeft, rows.rowHeight, s->cursorBar.dc, 0, 0,
                       SRCCOPY);
        }
        SetTextColor(dc, RowTextColor(panel, e, isCursor, colors, view));
        DrawRowTexts(dc, top + rows.firstRowOffset, panel, e, columns, view);
        if (panel->iconList && e->iconIndex >= 0)
            ImageList_Draw(panel->iconList, e->iconIndex, dc,
                           COLUMN_ICON_X - view->horizontalScroll, top + rows.iconOffset,
                           ILD_TRANSPARENT);
    }
    if (cursorTop >= 0 && view->cursorType != CURSOR_FULL) {
        int right = width - 1;
        if (!view->horizontalScrollNeeded || view->scrolledFullyRight) right -= 3;
        GUILIB_DrawRectangle(dc, barLeft, cursorTop, right - barLeft, rows.rowHeight - 1,
                             colors->cursorRectangle, GUILIB_SIDE_ALL);
    }
    BitBlt(target, x, y, width, height, dc, 0, 0, SRCCOPY);
}
