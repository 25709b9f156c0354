// Decisions of the main program's window life, as plain functions.
#include "window_logic.h"

#include <stdio.h>

#include "app.h"

StartPlacement DecideStartPlacement(unsigned funPosition, int left, int top, int right, int bottom) {
    StartPlacement p = {SW_SHOWMAXIMIZED, false, 0, 0, 0, 0};
    if (funPosition == 1) {
        p.showCommand = SW_SHOWMINIMIZED;
    } else if (funPosition == 2) {
        p.showCommand = SW_SHOWNORMAL;
        p.moveToRect = true;
        p.x = left;
        p.y = top;
        p.width = right - left;
        p.height = bottom - top;
    }
    return p;
}

SizeAction DecideSizeAction(int trayMode, WPARAM sizeType) {
    SizeAction a = {false, false, false, true};
    if (trayMode == TRAY_NEVER) return a;
    if (sizeType == SIZE_MINIMIZED) {
        a.addTrayIcon = trayMode == TRAY_WHEN_MINIMIZED;
        a.hideWindow = true;
        a.repaint = false;
    } else if (trayMode == TRAY_WHEN_MINIMIZED) {
        a.deleteTrayIcon = true;
    }
    return a;
}

RECT RectangleToSave(const RECT& windowRect, const RECT& normalRect, bool minimizedOrMaximized,
                     POINT workAreaOrigin) {
    if (!minimizedOrMaximized) return windowRect;
    // The normal position is kept in work-area coordinates.
    RECT r = normalRect;
    OffsetRect(&r, workAreaOrigin.x, workAreaOrigin.y);
    return r;
}

void BuildListNameBase(HWND window, wchar_t* base, size_t capacity) {
    swprintf(base, capacity, L"C%luC", (unsigned long)PluginWindowValue(window));
}
