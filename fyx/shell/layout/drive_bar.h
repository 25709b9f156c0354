// The drive bar: one button per drive plus My Computer and the network,
// filled from the shell or copied from another bar, drawn into a DC.
#pragma once

#include <windows.h>

const int DRIVE_BAR_MAX_BUTTONS = 128;
const int DRIVE_BAR_NONE = 128;
const int DRIVE_BUTTON_WIDTH = 34;
const int DRIVE_BUTTON_HEIGHT = 20;

enum DriveButtonState {
    DRIVE_NORMAL = 0,
    DRIVE_CURRENT = 1,
    DRIVE_PRESSED = 2,
    DRIVE_HIGHLIGHTED = 3,
};

enum DriveBarKind {
    DRIVE_BAR_FILLS = 1,  // 2 to 4 copy their source
};

struct DriveButton {
    wchar_t character;  // '.' My Computer, '\\' network, else an upper-case letter
    HICON icon;
    int ownsIcon;
    UINT driveType;
    int state;
    int secondMark;
};

struct DriveBar {
    int identity;
    int kind;
    const DriveBar* source;
    HWND mainWindow;
    int x, y;
    int firstVisible;
    int visibleCount;
    int hiddenCount;
    int count;
    DriveButton buttons[DRIVE_BAR_MAX_BUTTONS];
};

// The generic icon for letters the shell gives no icon of its own.
void DriveBarSetGenericIcon(HICON icon);
// Our generic drive picture from the program's resources (fyx_layout_resources).
HICON DriveBarLoadGenericIcon(HINSTANCE instance);
void DriveBarInit(DriveBar* bar, int identity, int kind, const DriveBar* source, HWND mainWindow);
void DriveBarDestroyIcons(DriveBar* bar);
// Fills from the My Computer shell folder (or copies the source); returns the count.
int DriveBarFill(DriveBar* bar);
// Adds a drive root as the shell listing does: "C:" or "C:\"; 0 taken, 1 not a drive root.
int DriveBarAddRoot(DriveBar* bar, const wchar_t* parsingName, UINT driveType, HICON icon, int ownsIcon);
void DriveBarCopyFrom(DriveBar* bar, const DriveBar* source);
// Marks the drive of a path (or, with a shell root, '.' or '\\'); a pressed
// button takes the mark. Returns the marked index or DRIVE_BAR_NONE.
int DriveBarMarkPath(DriveBar* bar, const wchar_t* path);
int DriveBarMarkCharacter(DriveBar* bar, wchar_t character);
void DriveBarSetSecondMark(DriveBar* bar, int index);
// Draws from the first visible button up to rightLimit; sets the visible counts.
void DriveBarDraw(DriveBar* bar, HDC dc, int rightLimit);
// The button under x (bar coordinates of the window), or DRIVE_BAR_NONE.
int DriveBarHitX(const DriveBar* bar, int x);
// The bar's identity when the point is on its visible buttons, else -1.
int DriveBarHitPoint(const DriveBar* bar, POINT point);
int DriveBarIndexOf(const DriveBar* bar, wchar_t character);
