#include "window_under_test.h"

#include <wchar.h>

ConfigRecord TestSettings(const std::wstring& leftFolder, const std::wstring& rightFolder) {
    ConfigRecord s;
    PREFS_GetDefaultConfiguration(&s);
    s.FunFyxMinimizeIcon = TRAY_NEVER;
    s.PotClosing = 0;
    wcsncpy(s.FYXLeftWinPath, leftFolder.c_str(), PREFS_PANEL_PATH_CAPACITY - 1);
    wcsncpy(s.FYXRightWinPath, rightFolder.c_str(), PREFS_PANEL_PATH_CAPACITY - 1);
    return s;
}

HWND CreateMainWindowFrom(const std::wstring& programFolder, const ConfigRecord& settings) {
    PREFS_StoreProgramPath(programFolder.c_str());
    if (PREFS_SaveAllExtConfiguration(settings) != 0) return NULL;
    g_app.instance = GetModuleHandleW(NULL);
    g_app.activatedOnce = false;
    PREFS_LoadAllExtConfiguration(&g_app.config);
    InitializeProgram();
    return CreateMainWindow(g_app.instance);
}
