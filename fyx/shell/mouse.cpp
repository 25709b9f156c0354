// The mouse over the main window: splitter, panel titles and rows, the
// right-button selection drag, the wheel and the command line band.
#include "input.h"

namespace {

int RowHeight() { return g_view.surfaces.rows.rowHeight; }

// The panel whose area holds the point, or -1.
int SideAt(POINT p, PanelArea* area) {
    for (int side = 0; side < 2; side++) {
        PanelArea a = PaintAreaAtPoint(&PaintStateOf(side)->geometry, p);
        if (a != AREA_OUTSIDE) {
            if (area) *area = a;
            return side;
        }
    }
    return -1;
}

int RowAt(int side, int y) {
    const PanelPaintState* s = PaintStateOf(side);
    const Panel* panel = g_app.panels[side];
    return PaintRowAtPoint(&s->geometry, RowHeight(), s->visibleRows, panel->topRow, panel->total, y);
}

void SplitterEvent(HWND window, int actions) {
    const MainLayout& l = g_view.layout;
    SplitterApply(window, &g_view.splitter, actions, l.panels[0].top, l.panelsBottom, &g_view.splitterLines);
}

void TitleClick(int side, POINT p) {
    Panel* panel = g_app.panels[side];
    PanelPaintState* s = PaintStateOf(side);
    int title = PaintTitleAtPoint(&s->geometry, &s->titleBounds, p);
    int key = PaintTitleSortKey(title, panel->settings.panelMode, panel->settings.showExt == 1);
    if (!key) return;
    PanelGetSettings(panel, &g_input.menuSettings);
    g_input.menuSettings.sortMode = PanelSortModeForTitle(g_input.menuSettings.sortMode, key);
    PanelSetSettings(panel, &g_input.menuSettings);
    ApplyPanelMenuChecks(GetMenu(g_app.mainWindow), &g_input.menuSettings, side);
    PanelResort(panel);
    ViewInvalidatePanel(side);
}

// The panel becomes active and the cursor goes to the entry under the
// point; false when no entry is there.
bool ListClick(int side, POINT p) {
    MakePanelActive(side);
    int row = RowAt(side, p.y);
    if (row < 0) return false;
    Panel* panel = g_app.panels[side];
    int old = panel->cursor;
    NavCursorMove move = NavSetCursor(panel, row);
    InputAfterCursorMove(side, 0, old, move);
    return true;
}

void StartContextTimer(HWND window, int side, POINT p, int onFolder) {
    g_input.contextSide = side;
    g_input.contextPoint = p;
    g_input.contextOnFolder = onFolder;
    SetTimer(window, TIMER_CONTEXT_MENU, CONTEXT_MENU_DELAY_MS, NULL);
}

void EndRightDrag(HWND window) {
    PanelDragEnd(&g_input.selection);
    KillTimer(window, TIMER_DRAG_SCROLL);
    g_input.dragSide = -1;
}

}  // namespace

int SetSplitterCursor() {
    if (!g_view.splitter.sizingCursor && g_view.splitter.phase == SPLITTER_IDLE) return 0;
    SetCursor(g_app.sizingCursor);
    return 1;
}

void OnMouseMove(HWND window, WPARAM keys, POINT p) {
    (void)keys;
    if (g_input.repeatParentSide >= 0 && !PtInRect(&g_input.repeatParentArea, p)) HideRepeatParent(window);

    if (g_input.capture == CAPTURE_NONE || g_input.capture == CAPTURE_SPLITTER) {
        const MainLayout& l = g_view.layout;
        int actions = SplitterMouseMove(&g_view.splitter, p.x, p.y, l.split, l.panels[0].top, l.panelsBottom,
                                        l.clientWidth, &g_app.config.FYXLeftPanelSize);
        if (actions) SplitterEvent(window, actions);
        if (g_input.capture == CAPTURE_SPLITTER) return;
    }
    if (g_input.capture == CAPTURE_RIGHT_DRAG) {
        int side = g_input.dragSide;
        g_input.dragPoint = p;
        const PanelGeometry& g = PaintStateOf(side)->geometry;
        if (p.y < g.listTop || p.y >= g.listBottom) return;  // the drag timer scrolls
        int row = RowAt(side, p.y);
        if (row == ROW_PAST_END) row = g_app.panels[side]->total - 1;
        if (row >= 0) {
            PanelDragMoveTo(&g_input.selection, g_app.panels[side], row);
            InputRepaintSelection(side);
        }
        return;
    }
    if (g_input.capture == CAPTURE_NONE) HoverButton(window, ButtonAtPoint(p));
    for (int side = 0; side < 2; side++)
        if (PaintUpdateHotTitle(PaintStateOf(side), p)) ViewInvalidateTitles(side);
}

void OnMouseLeave(HWND window) {
    g_input.trackingLeave = 0;
    if (g_input.capture == CAPTURE_NONE) HoverButton(window, ButtonRef{BUTTONS_NONE, 0});
    POINT away = {-1000, -1000};
    for (int side = 0; side < 2; side++)
        if (PaintUpdateHotTitle(PaintStateOf(side), away)) ViewInvalidateTitles(side);
}

void OnLeftButtonDown(HWND window, POINT p) {
    if (g_input.capture != CAPTURE_NONE) return;
    int actions = SplitterButtonDown(&g_view.splitter);
    if (actions) {
        g_input.capture = CAPTURE_SPLITTER;
        SplitterEvent(window, actions);
        return;
    }
    ButtonRef b = ButtonAtPoint(p);
    if (b.group != BUTTONS_NONE) {
        PressPaintedButton(window, b);
        return;
    }
    PanelArea area = AREA_OUTSIDE;
    int side = SideAt(p, &area);
    if (side >= 0 && g_app.panels[side]) {
        if (area == AREA_TITLES) {
            TitleClick(side, p);
        } else if (area == AREA_LIST) {
            ListClick(side, p);
        } else {
            MakePanelActive(side);
        }
        return;
    }
    if (g_app.config.FYXShowCommandLine == 1 && PtInRect(&g_view.layout.commandBand, p) && g_view.commandEdit)
        SetFocus(g_view.commandEdit);
}

void OnLeftButtonUp(HWND window, POINT p) {
    if (g_input.capture == CAPTURE_SPLITTER) {
        g_input.capture = CAPTURE_NONE;
        SplitterEvent(window, SplitterButtonUp(&g_view.splitter));
    } else if (g_input.capture == CAPTURE_BUTTON) {
        ReleasePaintedButton(window, p);
    }
}

void OnLeftDoubleClick(HWND window, POINT p) {
    if (g_input.capture != CAPTURE_NONE) return;
    PanelArea area = AREA_OUTSIDE;
    int side = SideAt(p, &area);
    if (side < 0 || area != AREA_LIST || !g_app.panels[side]) return;
    if (ListClick(side, p)) EnterEntry(window, side);
}

void OnRightButtonDown(HWND window, POINT p) {
    if (g_input.capture != CAPTURE_NONE) return;
    ButtonRef b = ButtonAtPoint(p);
    if (b.group == BUTTONS_LEFT_DRIVES || b.group == BUTTONS_RIGHT_DRIVES) {
        int side = b.group == BUTTONS_RIGHT_DRIVES;
        OpenDriveContextMenu(window, side, g_view.driveBars[side].buttons[b.index].character);
        return;
    }
    PanelArea area = AREA_OUTSIDE;
    int side = SideAt(p, &area);
    if (side < 0 || area != AREA_LIST || !g_app.panels[side]) return;
    Panel* panel = g_app.panels[side];
    MakePanelActive(side);
    int row = RowAt(side, p.y);
    if (row >= 0 && PanelDragBegin(&g_input.selection, panel, row) == 0) {
        g_input.capture = CAPTURE_RIGHT_DRAG;
        g_input.dragSide = side;
        g_input.dragPoint = p;
        SetCapture(window);
        SetTimer(window, TIMER_DRAG_SCROLL, DRAG_SCROLL_MS, NULL);
        if (panel->settings.panelMode != PANEL_ARCHIVE) StartContextTimer(window, side, p, 0);
        InputRepaintSelection(side);
        return;
    }
    if (row == ROW_PAST_END && panel->settings.panelMode == PANEL_FILESYSTEM) StartContextTimer(window, side, p, 1);
}

void OnRightButtonUp(HWND window, POINT p) {
    (void)p;
    g_input.contextSide = -1;
    KillTimer(window, TIMER_CONTEXT_MENU);
    if (g_input.capture != CAPTURE_RIGHT_DRAG) return;
    g_input.capture = CAPTURE_NONE;
    EndRightDrag(window);
    ReleaseCapture();
}

void OnCaptureChanged(HWND window) {
    // Someone else took the mouse: whatever held it ends here.
    int owner = g_input.capture;
    g_input.capture = CAPTURE_NONE;
    if (owner == CAPTURE_RIGHT_DRAG) EndRightDrag(window);
    if (owner == CAPTURE_SPLITTER) SplitterEvent(window, SplitterButtonUp(&g_view.splitter));
    if (owner == CAPTURE_BUTTON) {
        g_input.pressed = ButtonRef{BUTTONS_NONE, 0};
        InvalidateRect(window, NULL, FALSE);
    }
}

void OnMouseWheel(HWND window, int delta, POINT screenPoint) {
    POINT p = screenPoint;
    ScreenToClient(window, &p);
    int side = SideAt(p, NULL);
    if (side < 0 || !g_view.verticalBars[side]) return;
    int lines = delta / WHEEL_DELTA * 3;
    WPARAM code = lines > 0 ? SB_LINEUP : SB_LINEDOWN;
    for (int i = lines < 0 ? -lines : lines; i > 0; i--) SendMessageW(g_view.verticalBars[side], WM_VSCROLL, code, 0);
}

void OnContextTimer(HWND window) {
    KillTimer(window, TIMER_CONTEXT_MENU);
    int side = g_input.contextSide;
    g_input.contextSide = -1;
    if (side < 0 || GetKeyState(VK_RBUTTON) >= 0) return;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    if (p.x != g_input.contextPoint.x || p.y != g_input.contextPoint.y) return;
    if (g_input.capture == CAPTURE_RIGHT_DRAG) {
        g_input.capture = CAPTURE_NONE;
        EndRightDrag(window);
        ReleaseCapture();
    }
    if (g_input.contextOnFolder)
        OpenFolderContextMenu(window, side);
    else
        OpenSelectionContextMenu(window, side);
}

void DragScrollTick(HWND window) {
    (void)window;
    int side = g_input.dragSide;
    if (g_input.capture != CAPTURE_RIGHT_DRAG || side < 0) return;
    const PanelGeometry& g = PaintStateOf(side)->geometry;
    int kind = PanelDragScrollKind(g_input.dragPoint.y, g.listTop, g.listBottom);
    if (kind) MoveCursor(side, kind);
}
