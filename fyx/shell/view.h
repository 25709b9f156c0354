// What the main window draws: the arrangement of its client area, the panel
// surfaces and colours, the drive bars, button bars and function keys, the
// splitter and the command line band; and the invalidations that repaint
// just one part of it.
#pragma once

#include "app.h"
#include "button_widgets.h"
#include "command_band.h"
#include "drive_bar.h"
#include "layout_geometry.h"
#include "layout_paint.h"
#include "paint_panel.h"
#include "paint_picture.h"
#include "paint_surfaces.h"
#include "splitter.h"

// Child window ids.
enum {
    ID_LEFT_VERTICAL_BAR = 1234,
    ID_RIGHT_VERTICAL_BAR = 1235,
    ID_LEFT_HORIZONTAL_BAR = 2236,
    ID_RIGHT_HORIZONTAL_BAR = 2237,
    ID_REPEAT_PARENT = 2222,
    ID_COMMAND_EDIT = 6001,
    ID_LEFT_ICON_WINDOW = 1,
    ID_RIGHT_ICON_WINDOW = 2,
};

const int TOOLBAR_BUTTONS = 10;
const int PANEL_BUTTONS = 5;
const int FUNCTION_KEYS = 7;

struct FyxView {
    MainLayout layout;
    PaintSurfaces surfaces;
    int surfacesReady;
    PaintSurface titleRow;  // screen width x the title row's height
    ColorProfile profile;
    PanelColors colors;
    SystemColors system;
    PanelPicture pictures[2];

    DriveBar driveBars[2];
    IconButtonBar toolbar;           // commands 0..9: the toolbar index
    IconButtonBar panelButtons[2];   // commands 0..4: the button index
    FunctionKeyButton functionKeys[FUNCTION_KEYS];  // F2..F8
    SplitterDrag splitter;
    SplitterLines splitterLines;
    CommandBand commandBand;
    int pathBoxLook[2];  // InfoIconBoxLook of each path line's icon box

    HWND verticalBars[2], horizontalBars[2];
    HWND commandEdit, repeatParentButton, iconWindows[2];
    HFONT commandLineFont;
    HBRUSH menuBrush;  // the menu's background after a system colour change
    HICON sortAscending, sortDescending;
};

extern FyxView g_view;

// view_setup.cpp
// After the child windows exist and before the panels are read: surfaces,
// colours, bars, the scroll bar windows of the panels, the column layout.
void ViewCreate(HWND window);
void ViewDestroy();
// New settings: colour profile, pictures, command line.
void ViewTakeSettings(HWND window);
// WM_SYSCOLORCHANGE.
void ViewSystemColorsChanged(HWND window);
// Toolbar "Refresh", timer 1, drive changes: the drive bars filled again.
void ViewRebuildDriveBars();
// Marks each drive bar's current drive from its panel's path.
void ViewMarkDrives();
// "Set panel font...": 0 changed (panels laid out again), 1 cancelled.
int ViewChoosePanelFont(HWND window);
// Timers 9 and 10: the next picture of a panel whose picture mode shows a folder.
void ViewNextPicture(HWND window, int side);

// view_arrange.cpp
// The arrangement from the client rectangle: bands, panel geometries,
// visible rows, button bar places. Every paint does it anew; input code
// calls it when it needs the geometry before the next paint.
void ViewArrange(HWND window);
int ViewVisibleRows(int side);

// view_paint.cpp
void ViewPaint(HWND window);
// Everything drawn into dc (of the client size) within clip; the
// arrangement must be current.
void ViewDraw(HDC dc, const RECT& clip);
void ViewReleaseBackBuffer();

// view_invalidate.cpp
void ViewInvalidatePanel(int side);      // path line, titles, list, information lines
void ViewInvalidateList(int side);
void ViewInvalidateRow(int side, int index);
void ViewInvalidateTitles(int side);
void ViewInvalidatePathLine(int side);
void ViewInvalidateInfoLines(int side);
void ViewInvalidateDriveBands();         // drive bars and button groups
void ViewInvalidateToolbar();
void ViewInvalidateCommandBand();
void ViewInvalidateFunctionKeys();
// The command line on or off (FYXShowCommandLine): the edit placed or put away.
void ViewPlaceCommandLine(HWND window);

// scroll_hosts.cpp: the window procedure of the four scroll bar hosts.
// The position a scroll request asks for (vertical in entries, horizontal
// in pixels), before the bar clamps it.
int ScrollHostNewPosition(int vertical, int request, const SCROLLINFO& info);
LRESULT CALLBACK ScrollHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
