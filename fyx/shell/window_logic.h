// Decisions of the main program's window life, as plain functions.
#pragma once

#include <windows.h>

// How the main window is first shown (FunPosition): the ShowWindow command
// and, for the stored rectangle, where it goes.
struct StartPlacement {
    int showCommand;
    bool moveToRect;
    int x, y, width, height;
};
StartPlacement DecideStartPlacement(unsigned funPosition, int left, int top, int right, int bottom);

// What a WM_SIZE does with the tray icon and the window.
struct SizeAction {
    bool addTrayIcon;
    bool deleteTrayIcon;
    bool hideWindow;
    bool repaint;
};
SizeAction DecideSizeAction(int trayMode, WPARAM sizeType);

// The rectangle to keep for the next start: the restored position of a
// minimized or maximized window, never the minimized place off screen.
RECT RectangleToSave(const RECT& windowRect, const RECT& normalRect, bool minimizedOrMaximized,
                     POINT workAreaOrigin);

// "C%luC" from the main window handle.
void BuildListNameBase(HWND window, wchar_t* base, size_t capacity);
