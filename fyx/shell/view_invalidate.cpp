// Invalidations of single parts of the main window, so a command repaints
// only what it changed.
#include "infolines.h"
#include "view.h"

namespace {

void Invalidate(const RECT& r) {
    if (g_app.mainWindow && r.right > r.left && r.bottom > r.top) InvalidateRect(g_app.mainWindow, &r, FALSE);
}

const PanelGeometry& GeometryOf(int side) { return PaintStateOf(side)->geometry; }

}  // namespace

void ViewInvalidatePanel(int side) {
    const PanelGeometry& g = GeometryOf(side);
    const RECT& r = g_view.layout.panels[side];
    RECT all = {g.left, g.titleY - 22, g.right, r.bottom};
    Invalidate(all);
}

void ViewInvalidateList(int side) {
    RECT r;
    PaintListRect(&GeometryOf(side), &r);
    Invalidate(r);
}

void ViewInvalidateRow(int side, int index) {
    const Panel* panel = g_app.panels[side];
    if (!panel || !g_view.surfacesReady) return;
    RECT r;
    if (PaintRowRect(&GeometryOf(side), g_view.surfaces.rows.rowHeight, ViewVisibleRows(side), panel->topRow, index,
                     &r) == 0)
        Invalidate(r);
}

void ViewInvalidateTitles(int side) {
    RECT r;
    PaintTitleRect(&GeometryOf(side), &r);
    Invalidate(r);
}

void ViewInvalidatePathLine(int side) {
    const PanelGeometry& g = GeometryOf(side);
    RECT r = {g.left, g.titleY - 22, g.right, g.titleY - 2};
    Invalidate(r);
}

void ViewInvalidateInfoLines(int side) {
    const PanelGeometry& g = GeometryOf(side);
    RECT r = {g.left, g.listBottom, g.right, g_view.layout.panels[side].bottom};
    Invalidate(r);
}

void ViewInvalidateDriveBands() {
    for (const RECT& band : g_view.layout.driveBands) Invalidate(band);
}

void ViewInvalidateToolbar() { Invalidate(g_view.layout.toolbar); }

void ViewInvalidateCommandBand() { Invalidate(g_view.layout.commandBand); }

void ViewInvalidateFunctionKeys() {
    const FunctionKeyRow& k = g_view.layout.keys;
    RECT r = {0, k.top, g_view.layout.clientWidth, k.lowerLineY + 2};
    Invalidate(r);
}

void ViewPlaceCommandLine(HWND window) {
    if (!g_view.commandEdit) return;
    if (g_app.config.FYXShowCommandLine != 1) {
        CommandBandPlaceEdit(g_view.commandEdit, NULL);
        ShowWindow(g_view.commandEdit, SW_HIDE);
    }
    // Shown again by the next paint, which measures the prompt.
    InvalidateRect(window, NULL, FALSE);
}
