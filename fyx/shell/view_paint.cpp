// WM_PAINT of the main window: everything is drawn into one back buffer of
// the client size and copied in one step, so nothing flickers.
#include <ctype.h>

#include "infolines.h"
#include "panel_navigate.h"
#include "view.h"

namespace {

struct BackBuffer {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
    int width, height;
};
BackBuffer g_back;

HDC BackBufferFor(HDC window, int width, int height) {
    if (g_back.dc && width <= g_back.width && height <= g_back.height) return g_back.dc;
    if (g_back.dc) {
        SelectObject(g_back.dc, g_back.oldBitmap);
        DeleteObject(g_back.bitmap);
        DeleteDC(g_back.dc);
        g_back = BackBuffer{};
    }
    // Grown with some room so a window dragged larger does not remake it at every step.
    int w = width + 64, h = height + 64;
    HDC dc = CreateCompatibleDC(window);
    HBITMAP bitmap = dc ? CreateCompatibleBitmap(window, w, h) : NULL;
    if (!bitmap) {
        if (dc) DeleteDC(dc);
        return NULL;
    }
    g_back = BackBuffer{dc, bitmap, SelectObject(dc, bitmap), w, h};
    return dc;
}

HICON DriveIconOf(int side, const Panel* panel) {
    const DriveBar* bar = &g_view.driveBars[side];
    wchar_t character = panel->settings.panelMode == PANEL_SHELL ? L'.' : (wchar_t)towupper(panel->currentPath[0]);
    int index = DriveBarIndexOf(bar, character);
    return index == DRIVE_BAR_NONE ? NULL : bar->buttons[index].icon;
}

void PaintDriveBands(HDC dc) {
    for (int side = 0; side < 2; ++side) {
        IconButtonBar* buttons = &g_view.panelButtons[side];
        DriveBarDraw(&g_view.driveBars[side], dc, buttons->x - 4);
        IconBarDraw(buttons, dc);
    }
}

void PaintOnePanel(HDC dc, int side, Panel* panel) {
    PanelPaintState* state = PaintStateOf(side);
    const PanelGeometry& g = state->geometry;
    int active = panel->focus == 1;

    RECT pathLine = {g.left, g.titleY - 22, g.right, g.titleY - 2};
    InfoPathLook look = {active, g_view.pathBoxLook[side], DriveIconOf(side, panel)};
    InfoDrawPathLine(dc, panel, &pathLine, &look);

    PanelPaintRequest request = {};
    request.active = active;
    request.cursorType = (int)g_app.config.CursorType;
    PaintBackgroundSource(side, g_app.config.LeftPictureOver == 1, g_view.surfaces.backgroundHasPicture[0], g.left,
                          PaintStateOf(0)->geometry.left, &request.backgroundSurface, &request.backgroundX);
    request.titleSurface = g_view.titleRow.dc;
    int shellOrArchive = panel->settings.panelMode != PANEL_FILESYSTEM;
    for (int i = 0; i < COLUMN_COUNT; ++i)
        request.titles.titles[i] = LanguageLine(&g_app.language, i == COLUMN_TYPE && shellOrArchive ? 302 : i);
    request.titles.ascending = g_view.sortAscending;
    request.titles.descending = g_view.sortDescending;
    request.titles.face = g_view.system.face;
    PaintClampHorizontalScroll(state, panel);
    PaintPanel(dc, panel, &g_view.surfaces, &g_view.colors, &request);
    PaintUpdateScrollBars(state, panel);

    int linesTop = g.listBottom + (state->horizontalNeeded ? g_app.horizontalScrollHeight : 0);
    RECT upper, lower;
    InfoLineRects(panel, g.left, g.right, linesTop, &upper, &lower);
    const wchar_t* freeSpace = LanguageLine(&g_app.language, 422);
    if (!IsRectEmpty(&upper)) InfoDrawLine(dc, panel, &upper, panel->settings.infoLine1Kind, 0, freeSpace);
    if (!IsRectEmpty(&lower))
        InfoDrawLine(dc, panel, &lower, panel->settings.infoLine2Kind, !IsRectEmpty(&upper), freeSpace);
}

const Panel* ActivePanel() {
    for (const Panel* panel : g_app.panels)
        if (panel && panel->focus == 1) return panel;
    return g_app.panels[0];
}

void PaintBottom(HDC dc) {
    const MainLayout& l = g_view.layout;
    LayoutDrawSeparatorLine(dc, l.panelsBottom - 2, 0, l.clientWidth, &g_view.system);
    if (l.showCommandLine) {
        const Panel* active = ActivePanel();
        wchar_t path[PANEL_PATH_CHARS] = L"";
        if (active) NavPanelDirectory(active, path);
        CommandBandMeasure(dc, path, l.clientWidth, l.commandBand.top, &g_view.commandBand);
        CommandBandDraw(dc, &g_view.commandBand, g_view.system.activeBorder);
        if (g_view.commandEdit) CommandBandPlaceEdit(g_view.commandEdit, &g_view.commandBand);
    }
    LayoutDrawFunctionKeyRow(dc, &l.keys, l.clientWidth, g_view.functionKeys, &g_view.system);
}

}  // namespace

void ViewDraw(HDC dc, const RECT& clip) {
    const MainLayout& l = g_view.layout;
    SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    RECT all = {0, 0, l.clientWidth, l.clientHeight};
    HBRUSH face = CreateSolidBrush(g_view.system.face);
    FillRect(dc, &all, face);
    DeleteObject(face);

    PaintDriveBands(dc);
    LayoutDrawSeparatorLine(dc, LAYOUT_TOOLBAR_LINE_Y, 0, l.clientWidth, &g_view.system);
    for (int side = 0; side < 2; ++side)
        if (g_app.panels[side]) PaintOnePanel(dc, side, g_app.panels[side]);
    IconBarDraw(&g_view.toolbar, dc);
    PaintBottom(dc);
    RestoreDC(dc, -1);
}

void ViewPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC target = BeginPaint(window, &ps);
    ViewArrange(window);
    const MainLayout& l = g_view.layout;
    HDC dc = g_view.surfacesReady ? BackBufferFor(target, l.clientWidth, l.clientHeight) : NULL;
    if (!dc) {
        FillRect(target, &ps.rcPaint, GetSysColorBrush(COLOR_3DFACE));
        EndPaint(window, &ps);
        return;
    }
    ViewDraw(dc, ps.rcPaint);
    BitBlt(target, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, dc, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    EndPaint(window, &ps);
}

void ViewReleaseBackBuffer() {
    if (!g_back.dc) return;
    SelectObject(g_back.dc, g_back.oldBitmap);
    DeleteObject(g_back.bitmap);
    DeleteDC(g_back.dc);
    g_back = BackBuffer{};
}
