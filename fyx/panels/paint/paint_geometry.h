// Where a panel lies in the main window, what lies under a point, and the
// rectangles to invalidate when one part changes.
#pragma once

#include <windows.h>

const int PANEL_TITLE_NONE = 128;
const int PANEL_TITLE_LOOSE_EXT = 8;  // the "Ext" title drawn while the Ext column is hidden
const int PANEL_TITLE_SLOTS = 9;

struct PanelGeometry {
    int left, right;  // horizontal extent in the main window
    int titleY;       // the title row; the list starts 19 lower
    int listTop, listBottom;
};

// The split between the panels: the client width times the percentage,
// kept 50 pixels from either side.
int PaintSplitX(int clientWidth, double percent);
// The horizontal extent of the left (0) or right (1) panel.
void PaintPanelExtent(int side, int clientWidth, double percent, int* left, int* right);

enum {
    ROW_ABOVE_LIST = -1,
    ROW_PAST_END = -2,
};
// The entry under y, or ROW_ABOVE_LIST / ROW_PAST_END.
int PaintRowAtPoint(const PanelGeometry* g, int rowHeight, int visibleRows, int topRow, int total,
                    int y);

struct PanelTitleBounds {
    int left[PANEL_TITLE_SLOTS];   // in window coordinates; right <= left: not drawn
    int right[PANEL_TITLE_SLOTS];
};
// The title under the point, or PANEL_TITLE_NONE.
int PaintTitleAtPoint(const PanelGeometry* g, const PanelTitleBounds* titles, POINT p);

enum PanelArea {
    AREA_OUTSIDE = 0,
    AREA_PATH_ICON,
    AREA_PATH_LINE,
    AREA_TITLES,
    AREA_LIST,
};
PanelArea PaintAreaAtPoint(const PanelGeometry* g, POINT p);

// Rectangles to invalidate, in window coordinates. 1 when the row is not
// visible (nothing to invalidate).
int PaintRowRect(const PanelGeometry* g, int rowHeight, int visibleRows, int topRow, int index,
                 RECT* out);
void PaintListRect(const PanelGeometry* g, RECT* out);
void PaintTitleRect(const PanelGeometry* g, RECT* out);
void PaintIconColumnRect(const PanelGeometry* g, RECT* out);
