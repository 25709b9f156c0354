// State shared by the input handlers and the small steps they all take:
// the active panel, directory changes, title messages, repaints.
#include "input.h"

#include <shellapi.h>
#include <stdio.h>
#include <wchar.h>

FyxInput g_input;

void InputInit(HWND window) {
    g_app.mainWindow = window;
    FYXFYX_Initialize(&g_app.mainWindow);
    PanelSelectionInit(&g_input.selection);
    g_input.volumes.count = 0;
    ZeroMemory(&g_input.menuSettings, sizeof(g_input.menuSettings));
    wcsncpy(g_input.title.baseTitle, g_app.title, 100);
    g_input.title.baseTitle[100] = 0;
    g_input.title.mayChange = 1;
    g_input.capture = CAPTURE_NONE;
    g_input.hover = ButtonRef{BUTTONS_NONE, 0};
    g_input.pressed = ButtonRef{BUTTONS_NONE, 0};
    g_input.trackingLeave = 0;
    g_input.contextSide = -1;
    g_input.dragSide = -1;
    g_input.repeatParentSide = -1;
    g_input.optionsStarted = 0;
    g_input.askSelectionFile = PanelAskSelectionFileName;
}

int ActiveSide() { return g_app.panels[1] && g_app.panels[1]->focus == 1 ? 1 : 0; }
Panel* ActivePanel() { return g_app.panels[ActiveSide()]; }

NavContext InputNavContext() {
    NavContext c;
    c.owner = g_app.mainWindow;
    c.volumes = &g_input.volumes;
    c.drivesChanged = 0;
    return c;
}

void InputAfterNavigation(const NavContext* context) {
    if (context->drivesChanged) {
        ViewRebuildDriveBars();
        ViewInvalidateDriveBands();
    }
}

void InputChangeDirectory(int side, const wchar_t* path) {
    Panel* panel = g_app.panels[side];
    if (!panel || !path[0]) return;
    NavContext context = InputNavContext();
    DWORD error = NavChangeDirectory(panel, path, &context);
    InputAfterNavigation(&context);
    ViewMarkDrives();
    ViewInvalidateDriveBands();
    ViewInvalidatePanel(side);
    ViewInvalidateCommandBand();
    if (error) ShowRequestError(g_app.mainWindow, NAV_REQUEST_ERROR_CODE, error);
}

void MakePanelActive(int side) {
    Panel* panel = g_app.panels[side];
    Panel* other = g_app.panels[1 - side];
    if (!panel || !other || panel->focus == 1) return;
    panel->focus = 1;
    other->focus = 2;
    ViewInvalidatePanel(0);
    ViewInvalidatePanel(1);
    ViewInvalidateCommandBand();
}

void GoUpOneLevel(HWND window, int side) {
    Panel* panel = g_app.panels[side];
    if (!panel) return;
    if (panel->settings.panelMode != PANEL_FILESYSTEM) {
        RequestGoUpBrowsed(window, side);
        return;
    }
    NavGoUp(panel, ViewVisibleRows(side));
    ViewMarkDrives();
    ViewInvalidatePanel(side);
    ViewInvalidateCommandBand();
}

void ShowTitleMessage(const wchar_t* text, int durationMs) {
    FYXFYX_DisplayTitleMessage(text, durationMs, &g_input.title);
}

void ShowTitleLine(unsigned lineId, int durationMs) {
    ShowTitleMessage(LanguageLine(&g_app.language, lineId), durationMs);
}

void InputRepaintPanel(int side) { ViewInvalidatePanel(side); }

void InputRepaintSelection(int side) {
    ViewInvalidateList(side);
    ViewInvalidateInfoLines(side);
}

void InputAfterCursorMove(int side, int kind, int oldCursor, const NavCursorMove& move) {
    Panel* panel = g_app.panels[side];
    int shift = GetKeyState(VK_SHIFT) < 0;
    PanelApplyMoveSelection(&g_input.selection, panel, shift, kind, oldCursor, move.newCursor);
    NavContext context = InputNavContext();
    int otherPath = panel->settings.windowMode & WM_LIST_IN_OTHER;
    NavListInOther(g_app.panels, &move, &context);
    InputAfterNavigation(&context);
    InputRepaintSelection(side);
    if (otherPath) ViewInvalidatePanel(1 - side);
}

DWORD InputRun(const wchar_t* file, const wchar_t* parameters, const wchar_t* directory) {
    SHELLEXECUTEINFOW info = {sizeof(info)};
    info.hwnd = g_app.mainWindow;
    info.lpFile = file;
    info.lpParameters = parameters;
    info.lpDirectory = directory;
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&info)) return 0;
    return GetLastError();
}
