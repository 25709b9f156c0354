// Icon button bars (toolbar and button groups) and function-key buttons.
#pragma once

#include <windows.h>

const int ICON_BAR_MAX_BUTTONS = 16;
const int ICON_BAR_NONE = 128;
const int ICON_BAR_PITCH = 22;
const int ICON_BAR_SEPARATOR = 6;

enum IconButtonState {
    ICON_NORMAL = 0,
    ICON_RAISED = 1,
    ICON_SUNKEN = 2,
};

struct IconButton {
    HICON icon;
    int command;
    int group;
    int state;
    int separatorBefore;  // a 6-pixel separator stands before this button
};

struct IconButtonBar {
    int x, y;
    int count;
    IconButton buttons[ICON_BAR_MAX_BUTTONS];
};

void IconBarInit(IconButtonBar* bar, int x, int y);
// 0 added, 1 when full.
int IconBarAdd(IconButtonBar* bar, HICON icon, int command, int group, int separatorBefore);
// Left edge of a button relative to the bar.
int IconBarButtonX(const IconButtonBar* bar, int index);
int IconBarWidth(const IconButtonBar* bar);
// Button under a window point, or ICON_BAR_NONE.
int IconBarHitTest(const IconButtonBar* bar, POINT point);
// Marks the hovered button sunken unless it is raised; clears other sunken
// ones. Returns 1 when a state changed.
int IconBarHover(IconButtonBar* bar, int index);
void IconBarDraw(const IconButtonBar* bar, HDC dc);

struct FunctionKeyButton {
    RECT rect;
    HICON icon;
    wchar_t caption[64];
    int state;       // 0 normal, 2 pressed, others highlighted
    int secondMark;
    COLORREF ownColor;
};

void FunctionKeyDraw(const FunctionKeyButton* button, HDC dc);
