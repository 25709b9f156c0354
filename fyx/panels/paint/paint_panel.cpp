// Painting a whole panel and keeping its scroll bars in step.
#include "paint_panel.h"

#include "paintkit.h"

namespace {

PanelColumnBasis g_basis;
PanelPaintState g_states[2] = {};

// The main window's hosts carry a window scroll bar (WS_VSCROLL or
// WS_HSCROLL); a scroll bar control is its own bar.
int BarKindOf(HWND window, LONG hostStyle, int hostBar) {
    return (GetWindowLongW(window, GWL_STYLE) & hostStyle) ? hostBar : SB_CTL;
}

// Setting a bar redraws it; unchanged values leave it alone so a paint of
// one row does not make the bars flicker.
void SetBarIfChanged(HWND bar, int kind, const SCROLLINFO& wanted) {
    SCROLLINFO now = {sizeof(now), SIF_RANGE | SIF_PAGE | SIF_POS};
    if (GetScrollInfo(bar, kind, &now) && now.nMin == wanted.nMin && now.nMax == wanted.nMax &&
        now.nPage == wanted.nPage && now.nPos == wanted.nPos)
        return;
    SetScrollInfo(bar, kind, &wanted, TRUE);
}

}  // namespace

PanelPaintState* PaintStateOf(int side) { return &g_states[side ? 1 : 0]; }

void PaintSetColumnBasis(const PanelColumnBasis* basis) { g_basis = *basis; }

void PaintPanelColumnLayout(Panel* panel) {
    PanelPaintState* state = PaintStateOf(panel->index);
    PaintLayOutColumns(&panel->columns, &panel->settings, &g_basis, &state->columns);
}

int PaintUpdateHotTitle(PanelPaintState* s, POINT p) {
    int hot = PaintTitleAtPoint(&s->geometry, &s->titleBounds, p);
    if (hot == s->hotTitle) return 0;
    s->hotTitle = hot;
    return 1;
}

void PaintDecideScrollBars(PanelPaintState* s, int total, int rowHeight, int verticalBarWidth) {
    const PanelGeometry& g = s->geometry;
    s->visibleRows = PaintVisibleRows(g.listBottom - g.listTop, rowHeight);
    s->verticalNeeded = total > s->visibleRows;
    s->usableWidth = g.right - g.left - (s->verticalNeeded ? verticalBarWidth : 0);
    if (s->usableWidth < 0) s->usableWidth = 0;
    s->horizontalNeeded = s->columns.total >= s->usableWidth;
}

void PaintClampHorizontalScroll(const PanelPaintState* s, Panel* panel) {
    int most = s->columns.total - s->usableWidth + 1;
    if (panel->horizontalScroll > most) panel->horizontalScroll = most;
    if (panel->horizontalScroll < 0) panel->horizontalScroll = 0;
}

void PaintUpdateScrollBars(PanelPaintState* s, const Panel* panel) {
    const PanelGeometry& g = s->geometry;
    if (s->horizontalBar) {
        SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, s->columns.total,
                           (UINT)s->usableWidth, panel->horizontalScroll, 0};
        SetBarIfChanged(s->horizontalBar, BarKindOf(s->horizontalBar, WS_HSCROLL, SB_HORZ), info);
        if (s->horizontalNeeded) {
            MoveWindow(s->horizontalBar, g.left, g.listBottom, s->usableWidth,
                       GetSystemMetrics(SM_CYHSCROLL), TRUE);
            ShowWindow(s->horizontalBar, SW_SHOWNA);
        } else {
            ShowWindow(s->horizontalBar, SW_HIDE);
        }
    }
    if (s->verticalBar) {
        int total = 0;
        PanelView(panel, &total);
        SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, total > 0 ? total - 1 : 0,
                           (UINT)s->visibleRows, panel->topRow, 0};
        SetBarIfChanged(s->verticalBar, BarKindOf(s->verticalBar, WS_VSCROLL, SB_VERT), info);
        if (s->verticalNeeded) {
            int width = GetSystemMetrics(SM_CXVSCROLL);
            MoveWindow(s->verticalBar, g.right - width, g.titleY, width, g.listBottom - g.titleY, TRUE);
            ShowWindow(s->verticalBar, SW_SHOWNA);
        } else {
            ShowWindow(s->verticalBar, SW_HIDE);
            MoveWindow(s->verticalBar, 0, 0, 1, 1, FALSE);
        }
    }
}

void PaintPanel(HDC window, Panel* panel, const PaintSurfaces* surfaces, const PanelColors* colors,
                const PanelPaintRequest* request) {
    PanelPaintState* s = PaintStateOf(panel->index);
    int total = 0;
    PanelView(panel, &total);
    PaintDecideScrollBars(s, total, surfaces->rows.rowHeight, GetSystemMetrics(SM_CXVSCROLL));
    const PanelGeometry& g = s->geometry;

    PanelTitleView titles = request->titles;
    titles.hot = s->hotTitle;
    titles.horizontalScroll = panel->horizontalScroll;
    titles.windowLeft = g.left;
    PaintTitleRow(window, g.left, g.titleY, request->titleSurface, s->usableWidth, panel,
                  &s->columns, &titles, &s->titleBounds);

    PanelListView view = {};
    view.width = s->usableWidth;
    view.height = g.listBottom - g.listTop;
    view.backgroundSurface = request->backgroundSurface;
    view.backgroundX = request->backgroundX;
    view.backgroundY = request->backgroundY;
    view.active = request->active;
    view.cursorType = request->cursorType;
    view.topRow = panel->topRow;
    view.horizontalScroll = panel->horizontalScroll;
    view.horizontalScrollNeeded = s->horizontalNeeded;
    view.scrolledFullyRight = panel->horizontalScroll + s->usableWidth >= s->columns.total;
    PaintPanelList(window, g.left, g.listTop, panel, &s->columns, surfaces, colors, &view);

    // 3-D lines round the title row and the list.
    COLORREF dark = GetSysColor(COLOR_3DSHADOW), light = GetSysColor(COLOR_3DHILIGHT);
    GUILIB_DrawRectangle(window, g.left - 1, g.titleY, s->usableWidth + 1, g.listTop - g.titleY - 1,
                         dark, GUILIB_SIDE_TOP | GUILIB_SIDE_LEFT);
    GUILIB_DrawRectangle(window, g.left - 1, g.titleY, s->usableWidth + 1, g.listBottom - g.titleY,
                         light, GUILIB_SIDE_RIGHT | GUILIB_SIDE_BOTTOM);
}
