// WM_COMMAND by its low word: the Files and Select pop-ups, the panel
// commands shared with keys and buttons; the other pop-ups are passed on.
#include "input.h"

#include <shellapi.h>
#include <shlwapi.h>
#include <wchar.h>

namespace {

void ShowShellProperties(HWND window, const wchar_t* path) {
    SHELLEXECUTEINFOW info = {sizeof(info)};
    info.fMask = SEE_MASK_INVOKEIDLIST;
    info.hwnd = window;
    info.lpVerb = L"properties";
    info.lpFile = path;
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
}

void SelectGroup(HWND window, int unselect) {
    TextDialog d = {};
    d.title = LanguageLine(&g_app.language, unselect ? 274 : 273);
    d.label = LanguageLine(&g_app.language, 275);
    d.ok = LanguageLine(&g_app.language, 131);
    d.cancel = LanguageLine(&g_app.language, 118);
    if (!AskText(window, &d) || !d.text[0]) return;
    int side = ActiveSide();
    PanelSelectGroup(g_app.panels[side], d.text, unselect);
    InputRepaintSelection(side);
}

void SelectionFile(HWND window, int load) {
    wchar_t path[PANEL_PATH_CHARS] = L"";
    if (!g_input.askSelectionFile(window, path)) return;
    int side = ActiveSide();
    if (load) {
        PanelLoadSelectionFromFile(g_app.panels[side], path);
        InputRepaintSelection(side);
    } else {
        PanelSaveSelectionToFile(g_app.panels[side], path);
    }
}

void RepeatParent(HWND window) {
    if (g_input.repeatParentSide >= 0) GoUpOneLevel(window, g_input.repeatParentSide);
}

void AfterBothPanelsMoved(const NavContext* context, DWORD error) {
    InputAfterNavigation(context);
    ViewMarkDrives();
    ViewInvalidateDriveBands();
    ViewInvalidatePanel(0);
    ViewInvalidatePanel(1);
    ViewInvalidateCommandBand();
    if (error) ShowRequestError(g_app.mainWindow, NAV_REQUEST_ERROR_CODE, error);
}

}  // namespace

void SelectionCommand(HWND window, int commandId) {
    (void)window;
    int side = ActiveSide();
    Panel* panel = g_app.panels[side];
    if (!panel) return;
    int old = panel->cursor;
    if (!PanelSelectionCommand(&g_input.selection, panel, commandId, ViewVisibleRows(side))) return;
    if (panel->cursor != old) {
        NavCursorMove move = {side, old, panel->cursor};
        InputAfterCursorMove(side, 0, old, move);
    }
    InputRepaintSelection(side);
}

void CommandTargetEqualsSource(HWND window) {
    (void)window;
    NavContext context = InputNavContext();
    DWORD error = NavTargetEqualsSource(g_app.panels, &context);
    AfterBothPanelsMoved(&context, error);
}

void CommandSourceEqualsTarget(HWND window, int repaint) {
    NavContext context = InputNavContext();
    DWORD error = NavSourceEqualsTarget(g_app.panels, &context);
    AfterBothPanelsMoved(&context, error);
    if (repaint) InvalidateRect(window, NULL, FALSE);
}

void CommandSwapPanels(HWND window) {
    (void)window;
    NavContext context = InputNavContext();
    DWORD error = NavSwapPanels(g_app.panels, &context);
    AfterBothPanelsMoved(&context, error);
}

void CommandRefreshAll(HWND window) {
    ViewRebuildDriveBars();
    // Unlike a device change, the shell namespace is read again too.
    for (Panel* panel : g_app.panels)
        if (panel) PanelRefresh(panel);
    ViewMarkDrives();
    InvalidateRect(window, NULL, FALSE);
}

void CommandShowProperties(HWND window) {
    Panel* panel = ActivePanel();
    if (!panel) return;
    wchar_t path[PANEL_PATH_CHARS];
    NavPanelDirectory(panel, path);
    if (!path[0]) return;
    if (PanelCursorOnEntry(panel)) {
        wchar_t full[MAX_PATH];
        if (!PathCombineW(full, path, panel->view[panel->cursor]->name)) return;
        ShowShellProperties(window, full);
    } else {
        ShowShellProperties(window, path);
    }
}

void CommandShowPropertiesOf(HWND window, const wchar_t* path) { ShowShellProperties(window, path); }

void OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    int id = LOWORD(wParam);
    // The repeat-parent button shares its id with a favourites menu item;
    // only the button itself sends it with its handle.
    if (id == IDM_REPEAT_PARENT && lParam && (HWND)lParam == GetDlgItem(window, ID_REPEAT_PARENT)) {
        RepeatParent(window);
        return;
    }
    if (PanelMenuCommand(window, id)) return;
    if (OtherCommand(window, id)) return;
    switch (id) {
    case IDM_PACK: RequestPack(window); return;
    case IDM_UNPACK_SPECIFIC: RequestUnpack(window); return;
    case IDM_PROPERTIES: CommandShowProperties(window); return;
    case IDM_CREATE_SHORTCUT: RequestCreateShortcut(window); return;
    case IDM_EDIT_NEW_FILE: CommandEditNewFile(window); return;
    case IDM_SELECT_GROUP: SelectGroup(window, 0); return;
    case IDM_UNSELECT_GROUP: SelectGroup(window, 1); return;
    case IDM_SAVE_SELECTION_FILE: SelectionFile(window, 0); return;
    case IDM_LOAD_SELECTION_FILE: SelectionFile(window, 1); return;
    case IDM_SWAP_PANELS: CommandSwapPanels(window); return;
    case IDM_TARGET_EQUALS_SOURCE: CommandTargetEqualsSource(window); return;
    }
    if (id >= IDM_DRIVE_MENU_FIRST && id < IDM_DRIVE_MENU_FIRST + 1000) {
        DynamicMenuCommand(window, id);
        return;
    }
    SelectionCommand(window, id);
}

void OnInitMenuPopup(HWND window, HMENU popup) {
    HMENU menu = GetMenu(window);
    if (!menu || popup != GetSubMenu(menu, MENU_POS_SELECT) || !ActivePanel()) return;
    const int items[] = {IDM_NEXT_SELECTED, IDM_PREVIOUS_SELECTED, IDM_RESTORE_SELECTION};
    for (int id : items) {
        int grayed = PanelSelectMenuItemGrayed(&g_input.selection, ActivePanel(), id);
        EnableMenuItem(popup, id, MF_BYCOMMAND | (grayed ? MF_GRAYED : MF_ENABLED));
    }
}

void OnDropFiles(HWND window, HDROP drop) {
    (void)window;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, NULL, 0);
    for (UINT i = 0; i < count; i++) {
        wchar_t path[MAX_PATH];
        if (DragQueryFileW(drop, i, path, MAX_PATH)) ShowTitleMessage(path, 0);
    }
    DragFinish(drop);
}
