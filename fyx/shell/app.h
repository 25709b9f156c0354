// Process-wide state of the main program and the messages between its windows.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "language.h"
#include "panel.h"
#include "plugin.h"
#include "prefs.h"
#include "resource_ids.h"

enum : UINT {
    WM_TRAY_NOTIFY = 0x8001,
    WM_TOOL_FINISHED = 0x8002,
    WM_SETTINGS_CHANGED = 0x8003,
    WM_ICONS_NEEDED = 0x8004,
    WM_RESTORE_WINDOW = 0x8005,
};

enum TrayMode { TRAY_ALWAYS = 0, TRAY_WHEN_MINIMIZED = 1, TRAY_NEVER = 2 };

enum ShellTimer { TIMER_REACTIVATED = 1, TIMER_FIRST_ACTIVATION = 2 };

struct FyxApp {
    HINSTANCE instance;
    HWND mainWindow;
    HDC windowDc;
    PluginParams request;  // the request being built
    ConfigRecord config;
    wchar_t programFolder[260];
    wchar_t defaultDriveRoot[4];  // root of the Windows folder, e.g. "C:\"
    HANDLE instanceMutex;
    int trayMode;
    bool trayIconShown;
    bool activatedOnce;
    wchar_t listNameBase[32];  // "C%luC" of the main window handle
    unsigned listCounter;
    wchar_t title[101];
    wchar_t className[101];
    DWORD windowsMajor, windowsMinor;
    wchar_t panelStartPath[2][260];  // left, right
    Panel* panels[2];
    LanguageTable language;

    // Taken at start-up and released at shutdown.
    HIMAGELIST extensionIcons;  // 16 x 16 icons of file types
    int verticalScrollWidth, horizontalScrollHeight;
    HCURSOR arrowCursor, sizingCursor;
    HFONT guiFont;
    HICON toolbarIcons[10], panelButtonIcons[5], functionKeyIcons[7];
};

extern FyxApp g_app;

// startup.cpp
void InitializeProgram();
// panels_life.cpp
void CreatePanels();
void ReadPanels();
void RefreshFileSystemPanels();
void ApplySettingsToPanels();
void StorePanelsInSettings(ConfigRecord* config);
void DestroyPanels();
// resources.cpp
void LoadButtonIcons(HINSTANCE instance);
void ReleaseStartupResources();
// window_classes.cpp
bool RegisterWindowClasses(HINSTANCE instance);
// Title and class from the string resources, classes registered, window created.
HWND CreateMainWindow(HINSTANCE instance);
void CreateChildWindows(HWND mainWindow);
// main_window.cpp
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// tray.cpp
void AddTrayIcon(HWND window);
void DeleteTrayIcon(HWND window);
// shutdown.cpp
bool ConfirmClose(HWND window);
void ShutDown(HWND window);
