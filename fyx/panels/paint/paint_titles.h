// The row of column titles: hot title, sort arrows and separators, drawn on
// the title surface and copied to the window.
#pragma once

#include <windows.h>

#include "paint_columns.h"
#include "paint_geometry.h"

struct PanelTitleView {
    // Name, Ext, DOS Name, Size, Type (or "Comment" outside the file system), Date, Time, Atr.
    const wchar_t* titles[COLUMN_COUNT];
    int hot;               // title under the mouse, PANEL_TITLE_NONE for none
    int horizontalScroll;
    int windowLeft;        // the list's left edge in the window, for the recorded bounds
    HICON ascending, descending;  // 16 x 16
    COLORREF face;
};

const int TITLE_SURFACE_HEIGHT = 18;
const int TITLE_COPIED_HEIGHT = 15;
const COLORREF TITLE_HOT_COLOR = RGB(0, 0, 255);

// The sort key bit a click on the title selects, 0 when it is not clickable.
int PaintTitleSortKey(int title, int panelMode, int extShown);
// Draws the titles on surface (at least width x 18) and copies 15 rows of it
// to target at (x, titleY + 1). Records each drawn title's bounds.
void PaintTitleRow(HDC target, int x, int titleY, HDC surface, int width, const Panel* panel,
                   const PanelColumns* columns, const PanelTitleView* view,
                   PanelTitleBounds* bounds);
