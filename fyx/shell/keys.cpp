// Keys of the main window, checked in a fixed order: Ctrl combinations,
// letters, Shift with letters and digits, then the other keys.
#include "input.h"

#include "list.h"

namespace {

int IsArchive(const wchar_t* path) { return (FYXLST_IsSupportedArchive(path) & 0xFF) != 0; }

bool Held(int key) { return GetKeyState(key) < 0; }

void QuickSearch(int side, WPARAM key) {
    Panel* panel = g_app.panels[side];
    int old = panel->cursor;
    NavCursorMove move = NavQuickSearch(panel, (wchar_t)key, ViewVisibleRows(side));
    InputAfterCursorMove(side, 0, old, move);
}

// Step 1: 1 when the Ctrl combination is one of the table.
int CtrlKey(HWND window, WPARAM key, int side) {
    switch (key) {
    case 'U':
    case VK_INSERT: CommandSwapPanels(window); return 1;
    case 'C': OpenSelectionContextMenu(window, side); return 1;
    case 'D': SelectionCommand(window, IDM_SELECT_DIRS); return 1;
    case 'F': SelectionCommand(window, IDM_SELECT_FILES); return 1;
    case 'O': CommandSourceEqualsTarget(window, 1); return 1;
    case 'P': CommandTargetEqualsSource(window); return 1;
    }
    return 0;
}

void ShiftCharacterKey(HWND window, WPARAM key, int side) {
    switch (key) {
    case '1': ToggleWindowModeBit(window, side, WM_LIST_IN_OTHER); break;
    case '2': ToggleWindowModeBit(window, side, WM_LOAD_ICONS); break;
    case 'D': SelectionCommand(window, IDM_UNSELECT_DIRS); break;
    case 'F': SelectionCommand(window, IDM_UNSELECT_FILES); break;
    }
}

void SpaceKey(int side) {
    Panel* panel = g_app.panels[side];
    int old = panel->cursor;
    int r = PanelSpaceKey(panel, Held(VK_SHIFT), ViewVisibleRows(side), NULL);
    if (r & SPACE_MOVED) {
        NavCursorMove move = {side, old, panel->cursor};
        InputAfterCursorMove(side, 0, old, move);
    }
    // A computed size may have widened the Size column.
    ViewInvalidatePanel(side);
}

void InsertKey(int side) {
    Panel* panel = g_app.panels[side];
    int old = panel->cursor;
    PanelInsertKey(panel, ViewVisibleRows(side));
    NavCursorMove move = {side, old, panel->cursor};
    InputAfterCursorMove(side, 0, old, move);
}

// Left and Right move the columns by 20 pixels; with Shift to the start or
// the end. The titles move with the rows; the bar follows at the paint.
void ScrollHorizontally(int side, int right) {
    Panel* panel = g_app.panels[side];
    const PanelPaintState* state = PaintStateOf(side);
    int old = panel->horizontalScroll;
    if (Held(VK_SHIFT))
        panel->horizontalScroll = right ? state->columns.total : 0;
    else
        panel->horizontalScroll += right ? 20 : -20;
    PaintClampHorizontalScroll(state, panel);
    if (panel->horizontalScroll == old) return;
    ViewInvalidateList(side);
    ViewInvalidateTitles(side);
}

void OtherKey(HWND window, WPARAM key, LPARAM lParam, int side) {
    Panel* panel = g_app.panels[side];
    switch (key) {
    case VK_BACK: GoUpOneLevel(window, side); break;
    case VK_TAB: MakePanelActive(1 - side); break;
    case VK_RETURN: EnterEntry(window, side); break;
    case VK_SHIFT: PanelShiftPressed(&g_input.selection, panel, (int)((lParam >> 30) & 1)); break;
    case VK_SPACE: SpaceKey(side); break;
    case VK_PRIOR: MoveCursor(side, MOVE_PAGE_UP); break;
    case VK_NEXT: MoveCursor(side, MOVE_PAGE_DOWN); break;
    case VK_END: MoveCursor(side, MOVE_END); break;
    case VK_HOME: MoveCursor(side, MOVE_HOME); break;
    case VK_UP: MoveCursor(side, MOVE_UP); break;
    case VK_DOWN: MoveCursor(side, MOVE_DOWN); break;
    case VK_LEFT: ScrollHorizontally(side, 0); break;
    case VK_RIGHT: ScrollHorizontally(side, 1); break;
    case VK_INSERT: InsertKey(side); break;
    case VK_DELETE:
    case VK_F8: RequestDelete(window); break;
    case VK_F2: RequestRename(window); break;
    case VK_F3: RequestView(window); break;
    case VK_F4:
        if (Held(VK_SHIFT))
            CommandEditNewFile(window);
        else
            RequestEdit(window);
        break;
    case VK_F5: RequestCopy(window, 0); break;
    case VK_F6: RequestCopy(window, 1); break;
    case VK_F7: RequestMakeDirectory(window); break;
    case VK_F9: RequestCreateShortcut(window); break;
    case VK_F11: ShowTitleMessage(g_app.programFolder, TITLE_MESSAGE_MS); break;
    }
}

}  // namespace

void MoveCursor(int side, int kind) {
    Panel* panel = g_app.panels[side];
    int rows = ViewVisibleRows(side);
    int old = panel->cursor;
    NavCursorMove move;
    switch (kind) {
    case MOVE_UP: move = NavMoveUp(panel, rows); break;
    case MOVE_DOWN: move = NavMoveDown(panel, rows); break;
    case MOVE_PAGE_UP: move = NavPageUp(panel, rows); break;
    case MOVE_PAGE_DOWN: move = NavPageDown(panel, rows); break;
    case MOVE_HOME: move = NavHome(panel, rows); break;
    default: move = NavEnd(panel, rows); break;
    }
    InputAfterCursorMove(side, kind, old, move);
}

void EnterEntry(HWND window, int side) {
    Panel* panel = g_app.panels[side];
    NavEnterResult r;
    DWORD code = NavEnter(panel, ViewVisibleRows(side), IsArchive, &r);
    switch (r.action) {
    case NAV_ENTER_RUN_FILE: code = NavRunThroughShell(r.path, r.directory); break;
    case NAV_ENTER_OPEN_ARCHIVE: RequestOpenArchive(window, side, r.path); break;
    case NAV_ENTER_MY_COMPUTER:
    case NAV_ENTER_SHELL_ITEM:
    case NAV_ENTER_ARCHIVE_FOLDER: RequestShellBrowse(window, side, r.action, r.path); break;
    case NAV_ENTER_ARCHIVE_FILE:
        RequestExtractAndExecute(window, side);
        return;
    }
    ViewMarkDrives();
    ViewInvalidatePanel(side);
    ViewInvalidateCommandBand();
    if (code && code != NAV_ARCHIVE_FILE_RESULT) ShowRequestError(window, NAV_REQUEST_ERROR_CODE, code);
}

int OnKeyDown(HWND window, WPARAM key, LPARAM lParam) {
    // A mouse operation holding the capture owns the input until it ends.
    if (g_input.capture != CAPTURE_NONE) return 1;
    int side = ActiveSide();
    if (!g_app.panels[side]) return 1;
    bool shift = Held(VK_SHIFT);
    if (Held(VK_CONTROL) && CtrlKey(window, key, side)) {
        InputRepaintPanel(ActiveSide());
        return 1;
    }
    if (key >= 'A' && key <= 'Z' && !shift) {
        QuickSearch(side, key);
    } else if (key >= '0' && key <= 'Z') {
        if (shift)
            ShiftCharacterKey(window, key, side);
        else
            QuickSearch(side, key);
    } else {
        OtherKey(window, key, lParam, side);
    }
    InputRepaintPanel(ActiveSide());
    return 1;
}

void OnKeyUp(HWND window, WPARAM key) {
    (void)window;
    if (key == VK_SHIFT) PanelShiftReleased(&g_input.selection);
}

int OnSysKeyDown(HWND window, WPARAM key) {
    if (key == VK_F1) {
        OpenDriveMenu(window, 0);
        return 1;
    }
    if (key == VK_F2) {
        OpenDriveMenu(window, 1);
        return 1;
    }
    return 0;
}
