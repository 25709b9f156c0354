// Cursor moves within a listing and their scroll rules, and quick search.
#include "panel_navigate.h"

static int Rows(int visibleRows) { return visibleRows < 1 ? 1 : visibleRows; }

// One row stays in sight across a page; a page of one row still moves.
static int PageStep(int rows) { return rows > 2 ? rows - 1 : 1; }

static int MaxTop(const Panel* panel, int rows) {
    return panel->total > rows ? panel->total - rows : 0;
}

static int Clamp(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}

static int IsVisible(const Panel* panel, int row, int rows) {
    return row >= panel->topRow && row < panel->topRow + rows;
}

NavCursorMove NavSetCursor(Panel* panel, int index) {
    NavCursorMove move = {panel->index, panel->cursor, 0};
    panel->cursor = panel->total > 0 ? Clamp(index, 0, panel->total - 1) : 0;
    move.newCursor = panel->cursor;
    return move;
}

void NavMakeRowVisible(Panel* panel, int row, int visibleRows, int place) {
    int rows = Rows(visibleRows);
    int maxTop = MaxTop(panel, rows);
    if (IsVisible(panel, row, rows) && panel->topRow <= maxTop) return;
    int top = place == NAV_ROW_LAST ? row - rows + 1 : place == NAV_ROW_CENTRED ? row - rows / 2 : row;
    panel->topRow = Clamp(top, 0, maxTop);
}

// The smallest scroll that shows the row.
static void Reveal(Panel* panel, int row, int rows) {
    if (row < panel->topRow) NavMakeRowVisible(panel, row, rows, NAV_ROW_FIRST);
    else NavMakeRowVisible(panel, row, rows, NAV_ROW_LAST);
}

static NavCursorMove Stay(Panel* panel, int rows) {
    NavCursorMove move = NavSetCursor(panel, panel->cursor);
    Reveal(panel, panel->cursor, rows);
    return move;
}

NavCursorMove NavMoveUp(Panel* panel, int visibleRows) {
    int rows = Rows(visibleRows);
    if (panel->cursor <= 0) return Stay(panel, rows);
    if (panel->cursor == panel->topRow) panel->topRow--;
    NavCursorMove move = NavSetCursor(panel, panel->cursor - 1);
    if (!IsVisible(panel, panel->cursor, rows))
        panel->topRow = Clamp(panel->cursor - rows + 1, 0, MaxTop(panel, rows));
    return move;
}

NavCursorMove NavMoveDown(Panel* panel, int visibleRows) {
    int rows = Rows(visibleRows);
    if (panel->cursor >= panel->total - 1) return Stay(panel, rows);
    if (panel->cursor == panel->topRow + rows - 1) panel->topRow++;
    NavCursorMove move = NavSetCursor(panel, panel->cursor + 1);
    if (!IsVisible(panel, panel->cursor, rows))
        panel->topRow = Clamp(panel->cursor, 0, MaxTop(panel, rows));
    return move;
}

NavCursorMove NavHome(Panel* panel, int visibleRows) {
    (void)visibleRows;
    NavCursorMove move = NavSetCursor(panel, 0);
    panel->topRow = 0;
    return move;
}

NavCursorMove NavEnd(Panel* panel, int visibleRows) {
    NavCursorMove move = NavSetCursor(panel, panel->total - 1);
    panel->topRow = MaxTop(panel, Rows(visibleRows));
    return move;
}

NavCursorMove NavPageDown(Panel* panel, int visibleRows) {
    int rows = Rows(visibleRows);
    if (panel->cursor >= panel->total - 1) return Stay(panel, rows);
    if (panel->total <= rows) return NavEnd(panel, rows);
    NavCursorMove move = NavSetCursor(panel, panel->cursor + PageStep(rows));
    panel->topRow = Clamp(panel->cursor - rows + 1, 0, MaxTop(panel, rows));
    return move;
}

NavCursorMove NavPageUp(Panel* panel, int visibleRows) {
    int rows = Rows(visibleRows);
    if (panel->cursor <= 0) return Stay(panel, rows);
    if (panel->total <= rows) return NavHome(panel, rows);
    NavCursorMove move = NavSetCursor(panel, panel->cursor - PageStep(rows));
    panel->topRow = Clamp(panel->cursor, 0, MaxTop(panel, rows));
    return move;
}

static wchar_t UpperAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? (wchar_t)(c - 32) : c; }

NavCursorMove NavQuickSearch(Panel* panel, wchar_t key, int visibleRows) {
    wchar_t wanted = UpperAscii(key);
    for (int step = 1; step <= panel->total; step++) {
        int i = (panel->cursor + step) % panel->total;
        const PanelEntry* e = panel->view[i];
        if (e->flags & EF_PARENT) continue;
        if (UpperAscii(e->name[0]) != wanted) continue;
        NavCursorMove move = NavSetCursor(panel, i);
        NavMakeRowVisible(panel, i, visibleRows, NAV_ROW_CENTRED);
        return move;
    }
    NavCursorMove none = {panel->index, panel->cursor, panel->cursor};
    return none;
}
