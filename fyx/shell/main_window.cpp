// The main window procedure: each message goes to a small handler.
#include <string.h>
#include <wchar.h>

#include "input.h"
#include "paintkit.h"
#include "view.h"
#include "window_logic.h"

namespace {

void OnCreate(HWND window) {
    g_app.mainWindow = window;
    g_app.windowDc = GetDC(window);
    InitGuiLib();
    LoadButtonIcons(g_app.instance);
    CreateChildWindows(window);
    ViewCreate(window);
    ReadPanels();
    ViewMarkDrives();

    // A fresh request block names this window; tools started from now on
    // report to it.
    ZeroMemory(&g_app.request, sizeof(g_app.request));
    g_app.request.mainWindow = PluginWindowValue(window);
    FYXPLG_SavePluginParams(g_app.request);
    FYXPLG_PutFYXWindowHandle(window);

    BuildListNameBase(window, g_app.listNameBase, 32);
    g_app.listCounter = 0;
}

void OnSize(HWND window, WPARAM sizeType) {
    SizeAction a = DecideSizeAction(g_app.trayMode, sizeType);
    if (a.addTrayIcon) AddTrayIcon(window);
    if (a.deleteTrayIcon && g_app.trayIconShown) DeleteTrayIcon(window);
    if (a.hideWindow) ShowWindow(window, SW_HIDE);
    if (a.repaint) {
        ViewArrange(window);
        InvalidateRect(window, NULL, FALSE);
    }
}

void Restore(HWND window) {
    ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
}

void OnActivate(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) != WA_ACTIVE) return;
    if (!g_app.activatedOnce) {
        g_app.activatedOnce = true;
        SetTimer(window, TIMER_FIRST_ACTIVATION, 50, NULL);
    } else {
        SetTimer(window, TIMER_REACTIVATED, 50, NULL);
    }
}

void OnSettingsChanged(HWND window) {
    // Compared with the settings kept when the options program was started;
    // with no such copy the lines are read again.
    const wchar_t* keptLanguage = g_input.optionsStarted ? g_input.optionsConfig.LanguageFile : NULL;
    PREFS_LoadAllExtConfiguration(&g_app.config);
    LanguageTakeSettings(&g_app.language, window, g_app.programFolder, keptLanguage, g_app.config.LanguageFile,
                         260);
    ApplySettingsToPanels();
    RefreshFileSystemPanels();
    ViewTakeSettings(window);
    ViewMarkDrives();
    InvalidateRect(window, NULL, FALSE);
}

POINT PointOf(LPARAM lParam) {
    POINT p = {(short)LOWORD(lParam), (short)HIWORD(lParam)};
    return p;
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        InputInit(window);
        return 0;
    case WM_SIZE:
        OnSize(window, wParam);
        return 0;
    case WM_ACTIVATE:
        OnActivate(window, wParam);
        break;  // the default processing gives the window the keyboard focus
    case WM_TIMER:
        OnTimer(window, wParam);
        return 0;
    case WM_DEVICECHANGE:
        ViewRebuildDriveBars();
        RefreshFileSystemPanels();
        ViewMarkDrives();
        InvalidateRect(window, NULL, FALSE);
        return TRUE;
    case WM_SYSCOLORCHANGE:
        ViewSystemColorsChanged(window);
        return 0;
    case WM_ERASEBKGND:
        return 0;
    case WM_PAINT:
        ViewPaint(window);
        return 0;
    case WM_COMMAND:
        OnCommand(window, wParam, lParam);
        return 0;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(window, (HMENU)wParam);
        return 0;
    case WM_DRAWITEM:
        if (DrawRepeatParent((const DRAWITEMSTRUCT*)lParam)) return TRUE;
        break;
    case WM_KEYDOWN:
        OnKeyDown(window, wParam, lParam);
        return 0;
    case WM_KEYUP:
        OnKeyUp(window, wParam);
        return 0;
    case WM_SYSKEYDOWN:
        if (OnSysKeyDown(window, wParam)) return 0;
        break;
    case WM_CHAR:
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && SetSplitterCursor()) return TRUE;
        break;
    case WM_MOUSEMOVE:
        OnMouseMove(window, wParam, PointOf(lParam));
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave(window);
        return 0;
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(window, PointOf(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLeftButtonUp(window, PointOf(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLeftDoubleClick(window, PointOf(lParam));
        return 0;
    case WM_RBUTTONDOWN:
        OnRightButtonDown(window, PointOf(lParam));
        return 0;
    case WM_RBUTTONUP:
        OnRightButtonUp(window, PointOf(lParam));
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(window, GET_WHEEL_DELTA_WPARAM(wParam), PointOf(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        if ((HWND)lParam != window) OnCaptureChanged(window);
        return 0;
    case WM_DROPFILES:
        OnDropFiles(window, (HDROP)wParam);
        return 0;
    case WM_TOOL_FINISHED:
        SetTimer(window, TIMER_TOOL_FINISHED, TOOL_FINISHED_DELAY_MS, NULL);
        return 0;
    case WM_ANSWERED_WITH_ZERO:
        return 0;
    case WM_TRAY_NOTIFY:
        if (lParam == WM_LBUTTONDOWN) Restore(window);
        return 0;
    case WM_SETTINGS_CHANGED:
        OnSettingsChanged(window);
        ApplyAllMenuChecks(window);
        return 0;
    case WM_RESTORE_WINDOW:
        if (wParam == 1) Restore(window);
        return 0;
    case WM_CLOSE:
        if (ConfirmClose(window)) {
            ShutDown(window);
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
