// Panel extents, hit tests and invalidation rectangles.
#include "paint_geometry.h"

int PaintSplitX(int clientWidth, double percent) {
    int split = (int)(clientWidth * percent / 100.0);
    if (split < 50) split = 50;
    if (clientWidth - split < 50) split = clientWidth - 50;
    // A window narrower than both limits still gets a split inside it.
    if (split < 0) split = 0;
    return split;
}

void PaintPanelExtent(int side, int clientWidth, double percent, int* left, int* right) {
    int split = PaintSplitX(clientWidth, percent);
    if (side == 0) {
        *left = 2;
        *right = split;
    } else {
        *left = split + 4;
        *right = clientWidth - 4;
    }
}

int PaintRowAtPoint(const PanelGeometry* g, int rowHeight, int visibleRows, int topRow, int total,
                    int y) {
    if (y < g->listTop) return ROW_ABOVE_LIST;
    if (rowHeight <= 0) return ROW_PAST_END;
    int row = (y - g->listTop) / rowHeight;
    if (row >= visibleRows || topRow + row >= total) return ROW_PAST_END;
    return topRow + row;
}

int PaintTitleAtPoint(const PanelGeometry* g, const PanelTitleBounds* t, POINT p) {
    if (p.x < g->left || p.x > g->right) return PANEL_TITLE_NONE;
    if (p.y < g->listTop - 20 || p.y > g->listTop - 3) return PANEL_TITLE_NONE;
    for (int i = 0; i < PANEL_TITLE_SLOTS; i++)
        if (t->right[i] > t->left[i] && p.x >= t->left[i] && p.x < t->right[i]) return i;
    return PANEL_TITLE_NONE;
}

PanelArea PaintAreaAtPoint(const PanelGeometry* g, POINT p) {
    if (p.x < g->left || p.x > g->right) return AREA_OUTSIDE;
    if (p.y >= g->titleY - 22 && p.y < g->titleY)
        return p.x < g->left + 25 ? AREA_PATH_ICON : AREA_PATH_LINE;
    if (p.y >= g->listTop - 20 && p.y < g->listTop) return AREA_TITLES;
    if (p.y >= g->listTop - 3 && p.y < g->listBottom) return AREA_LIST;
    return AREA_OUTSIDE;
}

int PaintRowRect(const PanelGeometry* g, int rowHeight, int visibleRows, int topRow, int index,
                 RECT* out) {
    int row = index - topRow;
    if (row < 0 || row >= visibleRows) return 1;
    out->left = g->left;
    out->right = g->right;
    out->top = g->listTop + row * rowHeight;
    out->bottom = out->top + rowHeight;
    return 0;
}

void PaintListRect(const PanelGeometry* g, RECT* out) {
    SetRect(out, g->left, g->listTop, g->right, g->listBottom);
}

void PaintTitleRect(const PanelGeometry* g, RECT* out) {
    SetRect(out, g->left, g->titleY, g->right, g->listTop);
}

void PaintIconColumnRect(const PanelGeometry* g, RECT* out) {
    SetRect(out, g->left + 2, g->listTop, g->left + 22, g->listBottom);
}
