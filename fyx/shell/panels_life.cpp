// The two panels over the main program's life: created at start-up, read
// with the window, refreshed on activation and new settings, saved at the end.
#include <wchar.h>

#include "app.h"
#include "panel_config.h"

void CreatePanels() {
    for (int side = 0; side < 2; ++side) {
        g_app.panels[side] = PanelCreate(side, g_app.panelStartPath[side]);
        if (g_app.panels[side]) PanelApplyConfiguration(g_app.panels[side], &g_app.config);
    }
}

void ReadPanels() {
    for (Panel* panel : g_app.panels) {
        if (!panel) continue;
        // A stored folder that is gone gives way to its nearest existing parent.
        if (!PanelIsDirectory(panel->currentPath)) PanelRecover(panel);
        PanelReadAndPrepare(panel);
        PanelUpdateDiskFigures(panel);
    }
}

void RefreshFileSystemPanels() {
    for (Panel* panel : g_app.panels)
        if (panel && panel->settings.panelMode == PANEL_FILESYSTEM) PanelRefresh(panel);
}

void ApplySettingsToPanels() {
    for (Panel* panel : g_app.panels)
        if (panel) PanelApplyConfiguration(panel, &g_app.config);
}

void StorePanelsInSettings(ConfigRecord* config) {
    wchar_t* paths[2] = {config->FYXLeftWinPath, config->FYXRightWinPath};
    for (int side = 0; side < 2; ++side) {
        const Panel* panel = g_app.panels[side];
        const wchar_t* path = panel && panel->settings.panelMode == PANEL_FILESYSTEM ? panel->currentPath
                                                                                   : g_app.panelStartPath[side];
        wcsncpy(paths[side], path, PREFS_PANEL_PATH_CAPACITY - 1);
        paths[side][PREFS_PANEL_PATH_CAPACITY - 1] = 0;
        if (panel) PanelStoreConfiguration(panel, config);
    }
}

void DestroyPanels() {
    for (Panel*& panel : g_app.panels) {
        if (panel) PanelDestroy(panel);
        panel = NULL;
    }
}
