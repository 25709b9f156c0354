// The Left and Right pop-ups on the window: each item goes through the menu
// settings block, the check marks follow, the panel is read or sorted again.
#include "input.h"

#include <wchar.h>

void ApplyPanelMenuChecks(HMENU menu, const PanelSettings* settings, int side) {
    if (!menu) return;
    MenuCheck checks[MENU_CHECKS_PER_PANEL];
    int n = PanelMenuChecks(settings, side, checks);
    for (int i = 0; i < n; i++)
        CheckMenuItem(menu, checks[i].id, MF_BYCOMMAND | (checks[i].checked ? MF_CHECKED : MF_UNCHECKED));
}

void ApplyAllMenuChecks(HWND window) {
    HMENU menu = GetMenu(window);
    if (!menu) return;
    for (int side = 0; side < 2; side++) {
        if (!g_app.panels[side]) continue;
        PanelSettings s;
        PanelGetSettings(g_app.panels[side], &s);
        ApplyPanelMenuChecks(menu, &s, side);
    }
    CheckMenuItem(menu, IDM_SHOW_COMMAND_LINE,
                  MF_BYCOMMAND | (g_app.config.FYXShowCommandLine == 1 ? MF_CHECKED : MF_UNCHECKED));
}

int PanelMenuCommand(HWND window, int commandId) {
    int side = PanelMenuSideOf(commandId);
    if (side < 0) return 0;
    Panel* panel = g_app.panels[side];
    if (!panel) return 1;
    PanelGetSettings(panel, &g_input.menuSettings);
    int effect = PanelMenuApply(commandId, &g_input.menuSettings, &side);
    ApplyPanelMenuChecks(GetMenu(window), &g_input.menuSettings, side);
    if (effect == PANEL_MENU_NOTHING) return 1;
    PanelSetSettings(panel, &g_input.menuSettings);
    switch (effect) {
    case PANEL_MENU_REREAD:
        if (panel->settings.panelMode == PANEL_FILESYSTEM) PanelRefresh(panel);
        // Columns and information lines change the whole arrangement.
        InvalidateRect(window, NULL, FALSE);
        break;
    case PANEL_MENU_RESORT:
        PanelResort(panel);
        ViewInvalidatePanel(side);
        break;
    default:
        ViewInvalidatePanel(side);
        break;
    }
    return 1;
}

void ToggleWindowModeBit(HWND window, int side, int bit) {
    Panel* panel = g_app.panels[side];
    if (!panel) return;
    PanelGetSettings(panel, &g_input.menuSettings);
    g_input.menuSettings.windowMode ^= bit;
    int on = (g_input.menuSettings.windowMode & bit) != 0;
    PanelSetSettings(panel, &g_input.menuSettings);
    ApplyPanelMenuChecks(GetMenu(window), &g_input.menuSettings, side);

    unsigned line;
    if (bit == WM_LIST_IN_OTHER) {
        line = on ? NAV_LINE_LIST_MODE_ON : NAV_LINE_LIST_MODE_OFF;
    } else {
        line = on ? 304 : 305;
        if (panel->settings.panelMode == PANEL_FILESYSTEM) PanelRefresh(panel);
        ViewInvalidatePanel(side);
    }
    wchar_t title[260];
    NavFormatListModeTitle(LanguageLine(&g_app.language, line), title, 260);
    SetWindowTextW(window, title);
    // Held like a timed title message: hints wait until timer 5 restores it.
    g_input.title.mayChange = 0;
    SetTimer(window, TIMER_TITLE_BACK, TITLE_MESSAGE_MS, NULL);
}
