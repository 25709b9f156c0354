// Initialisation of the main program before its window exists.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>
#include <wchar.h>

#include "app.h"
#include "list.h"

void InitializeProgram() {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), 0xFF};
    InitCommonControlsEx(&icc);
    OSVERSIONINFOW version = {sizeof(version)};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExW(&version)) {
#pragma GCC diagnostic pop
        g_app.windowsMajor = version.dwMajorVersion;
        g_app.windowsMinor = version.dwMinorVersion;
    }

    wcsncpy(g_app.programFolder, PREFS_GetProgramPath(), 259);
    g_app.programFolder[259] = 0;
    if (!g_app.programFolder[0]) GetCurrentDirectoryW(260, g_app.programFolder);
    FYXLST_Initialize();
    SetErrorMode(SEM_FAILCRITICALERRORS);

    wchar_t windows[MAX_PATH] = L"C:\\";
    GetWindowsDirectoryW(windows, MAX_PATH);
    wcsncpy(g_app.defaultDriveRoot, windows, 3);
    g_app.defaultDriveRoot[3] = 0;
    OleInitialize(NULL);
    const wchar_t* stored[2] = {g_app.config.FYXLeftWinPath, g_app.config.FYXRightWinPath};
    for (int side = 0; side < 2; ++side)
        wcsncpy(g_app.panelStartPath[side], stored[side][0] ? stored[side] : g_app.defaultDriveRoot, 259);
    CreatePanels();

    g_app.extensionIcons = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 75, 5);

    g_app.verticalScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    g_app.horizontalScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    g_app.arrowCursor = LoadCursorW(NULL, IDC_ARROW);
    g_app.sizingCursor = LoadCursorW(NULL, IDC_SIZEWE);
    g_app.guiFont = (HFONT)GetStockObject(DEFAULT_GUI_FONT);

    LanguageStartUp(&g_app.language, g_app.programFolder, g_app.config.LanguageFile);
}
