// The arrangement of the client area, taken anew from the client rectangle.
#include "infolines.h"
#include "view.h"

namespace {

const int kPanelBottomLine = 2;  // the separator under the panels

int InfoLinesHeight(const Panel* panel) {
    return (panel->settings.showInfoLine1 == 1 ? INFO_LINE_HEIGHT : 0) +
           (panel->settings.showInfoLine2 == 1 ? INFO_LINE_HEIGHT : 0);
}

void ArrangePanel(int side) {
    const Panel* panel = g_app.panels[side];
    PanelPaintState* state = PaintStateOf(side);
    const RECT& r = g_view.layout.panels[side];
    PanelGeometry& g = state->geometry;
    g.left = r.left;
    g.right = r.right;
    g.titleY = r.top;
    g.listTop = r.top + 19;
    g.listBottom = r.bottom - kPanelBottomLine - (panel ? InfoLinesHeight(panel) : 0);
    if (g.listBottom < g.listTop) g.listBottom = g.listTop;
    if (!panel || !g_view.surfacesReady) {
        state->visibleRows = 0;
        return;
    }
    int total = 0;
    PanelView(panel, &total);
    int rowHeight = g_view.surfaces.rows.rowHeight;
    PaintDecideScrollBars(state, total, rowHeight, g_app.verticalScrollWidth);
    if (state->horizontalNeeded) {
        // The horizontal bar takes its height off the list.
        g.listBottom -= g_app.horizontalScrollHeight;
        if (g.listBottom < g.listTop) g.listBottom = g.listTop;
        PaintDecideScrollBars(state, total, rowHeight, g_app.verticalScrollWidth);
    }
}

void PlaceBars() {
    for (int side = 0; side < 2; ++side) {
        const RECT& band = g_view.layout.driveBands[side];
        IconButtonBar* buttons = &g_view.panelButtons[side];
        buttons->x = band.right - IconBarWidth(buttons);
        buttons->y = band.top + 1;
        DriveBar* drives = &g_view.driveBars[side];
        drives->x = band.left;
        drives->y = band.top + 2;
    }
}

}  // namespace

void ViewArrange(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    LayoutArrange(client.right, client.bottom, g_app.config.FYXLeftPanelSize, g_app.config.FYXShowCommandLine,
                  &g_view.layout);
    for (int side = 0; side < 2; ++side) ArrangePanel(side);
    PlaceBars();
}

int ViewVisibleRows(int side) { return PaintStateOf(side)->visibleRows; }
