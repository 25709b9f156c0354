// Painting a panel's list of entries off-screen and copying it to the window
// in one step.
#pragma once

#include <windows.h>

#include "paint_colors.h"
#include "paint_columns.h"
#include "paint_surfaces.h"

enum {
    CURSOR_FULL = 0,            // "Cursor is full without rectangle"
    CURSOR_RECTANGLE = 1,       // "Cursor as a rectangle"
    CURSOR_FULL_RECTANGLE = 2,  // "Cursor full with rectangle"
};

struct PanelListView {
    int width, height;      // of the list area
    int backgroundSurface;  // 0 or 1; the left one when the right panel shows the left picture
    int backgroundX, backgroundY;  // where the list lies in that background
    int active;
    int cursorType;
    int topRow;
    int horizontalScroll;
    int horizontalScrollNeeded;
    int scrolledFullyRight;
};

// Rows that fit in a list of the given height.
int PaintVisibleRows(int listHeight, int rowHeight);
// Draws the visible rows on the list surface and copies it to target at (x, y).
void PaintPanelList(HDC target, int x, int y, const Panel* panel, const PanelColumns* columns,
                    const PaintSurfaces* surfaces, const PanelColors* colors,
                    const PanelListView* view);
