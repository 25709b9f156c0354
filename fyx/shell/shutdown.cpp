// Closing the main program: the question, releasing, and saving the settings.
#include <windows.h>

#include <objbase.h>
#include <ole2.h>

#include "input.h"
#include "list.h"
#include "window_logic.h"

bool ConfirmClose(HWND window) {
    if (g_app.config.PotClosing != 1) return true;
    return MessageBoxW(window, FYXPLG_GetLineFromLanguageBuffer(402), FYXPLG_GetLineFromLanguageBuffer(286),
                       MB_OKCANCEL | MB_DEFBUTTON2) == IDOK;
}

void StoreWindowRectangle(HWND window, ConfigRecord* c) {
    RECT windowRect;
    GetWindowRect(window, &windowRect);
    WINDOWPLACEMENT wp = {sizeof(wp)};
    GetWindowPlacement(window, &wp);
    MONITORINFO mi = {sizeof(mi)};
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &mi);
    POINT origin = {mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top};
    bool special = IsIconic(window) || IsZoomed(window) || !IsWindowVisible(window);
    RECT r = RectangleToSave(windowRect, wp.rcNormalPosition, special, origin);
    c->FYXWindowLeft = r.left;
    c->FYXWindowTop = r.top;
    c->FYXWindowRight = r.right;
    c->FYXWindowBottom = r.bottom;
}

int SaveSettings(HWND window) {
    ConfigRecord& c = g_app.config;
    StorePanelsInSettings(&c);
    if (c.FunSavePosition == 1) StoreWindowRectangle(window, &c);
    return PREFS_SaveAllExtConfiguration(c);
}

void ShutDown(HWND window) {
    FYXLST_UnInitialize();
    OleUninitialize();

    if (g_app.windowDc) ReleaseDC(window, g_app.windowDc);
    g_app.windowDc = NULL;

    if (g_app.instanceMutex) {
        ReleaseMutex(g_app.instanceMutex);
        CloseHandle(g_app.instanceMutex);
        g_app.instanceMutex = NULL;
    }
    if (g_app.trayMode == TRAY_ALWAYS || g_app.trayIconShown) DeleteTrayIcon(window);

    LanguageFree(&g_app.language);
    ReleaseStartupResources();
    ViewDestroy();

    SaveSettings(window);
    DestroyPanels();
}
