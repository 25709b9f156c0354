// One panel painted whole: extent, scroll bars, title row and list, from the
// per-panel painting state kept here for both panels.
#pragma once

#include <windows.h>

#include "paint_geometry.h"
#include "paint_list.h"
#include "paint_titles.h"

struct PanelPaintState {
    PanelGeometry geometry;
    PanelColumns columns;
    PanelTitleBounds titleBounds;
    int hotTitle;
    int visibleRows;
    int usableWidth;
    int verticalNeeded;
    int horizontalNeeded;
    HWND verticalBar;    // scroll bar windows, made by the main window
    HWND horizontalBar;
};

// The state of the left (0) or right (1) panel.
PanelPaintState* PaintStateOf(int side);
// Widths of titles and fixed texts, taken when the panel font changes.
void PaintSetColumnBasis(const PanelColumnBasis* basis);
// The column layout callback of the panel model (after each read).
void PaintPanelColumnLayout(Panel* panel);

// Visible rows and which scroll bars are needed, for a panel of the given
// extent and listing.
void PaintDecideScrollBars(PanelPaintState* state, int total, int rowHeight, int verticalBarWidth);
// The horizontal position kept within the columns' range (they may have
// narrowed since the last paint).
void PaintClampHorizontalScroll(const PanelPaintState* state, Panel* panel);
// Ranges, pages, positions and places of the two scroll bar windows, from
// the panel's top row and horizontal position.
void PaintUpdateScrollBars(PanelPaintState* state, const Panel* panel);

// The mouse moved to p: the title under it becomes the hot one. 1 when that
// changed (repaint the title row only), else 0.
int PaintUpdateHotTitle(PanelPaintState* state, POINT p);

struct PanelPaintRequest {
    int active;
    int cursorType;
    int backgroundSurface, backgroundX, backgroundY;
    HDC titleSurface;
    PanelTitleView titles;  // hot title and scroll are taken from the state and panel
};
// Title row and list to the window context; the state's geometry must be set.
void PaintPanel(HDC window, Panel* panel, const PaintSurfaces* surfaces, const PanelColors* colors,
                const PanelPaintRequest* request);
