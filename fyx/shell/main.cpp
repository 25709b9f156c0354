// Fyx main program: the process start, in its fixed order, and the message loop.
#include <windows.h>

#include "app.h"
#include "window_logic.h"

namespace {

// A second copy gives way: it shows the first copy's window and ends.
void ShowFirstInstance() {
    HWND first = FYXPLG_GetFYXWindowHandle();
    if (!first || !IsWindow(first)) return;
    if (IsIconic(first) || !IsWindowVisible(first)) SendMessageW(first, WM_RESTORE_WINDOW, 1, 0);
    SetForegroundWindow(first);
}

void ShowMainWindow(HWND window) {
    const ConfigRecord& c = g_app.config;
    StartPlacement p = DecideStartPlacement(c.FunPosition, c.FYXWindowLeft, c.FYXWindowTop,
                                            c.FYXWindowRight, c.FYXWindowBottom);
    if (p.moveToRect) MoveWindow(window, p.x, p.y, p.width, p.height, FALSE);
    ShowWindow(window, p.showCommand);
    UpdateWindow(window);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    g_app.instance = instance;

    // The stored request block is not read here: it would take a request
    // that a tool still has to read, and the window it names belongs to
    // another running copy, which must not be destroyed.
    ZeroMemory(&g_app.request, sizeof(g_app.request));

    PREFS_InitProgramPath();
    PREFS_LoadAllExtConfiguration(&g_app.config);
    g_app.trayMode = (int)g_app.config.FunFyxMinimizeIcon;

    g_app.instanceMutex = CreateMutexW(NULL, TRUE, L"Fyx 1.2");
    if (g_app.config.FunFyxInstance == 1 && GetLastError() == ERROR_ALREADY_EXISTS) {
        if (g_app.instanceMutex) CloseHandle(g_app.instanceMutex);
        ShowFirstInstance();
        return 0;
    }

    InitializeProgram();

    HWND window = CreateMainWindow(instance);
    if (!window) return 0;

    if (g_app.trayMode == TRAY_ALWAYS) AddTrayIcon(window);
    ShowMainWindow(window);

    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
