// Arrangement of the main window's client area: bands, panels, the split,
// the command line band and the function-key row, as plain numbers.
#pragma once

#include <windows.h>

const int LAYOUT_TOOLBAR_HEIGHT = 26;
const int LAYOUT_TOOLBAR_LINE_Y = 27;
const int LAYOUT_DRIVE_BAND_HEIGHT = 24;
const int LAYOUT_DRIVE_BAND_ABOVE = 50;  // band top above the panels' top
const int LAYOUT_PANEL_TOP = LAYOUT_TOOLBAR_LINE_Y + 3 + LAYOUT_DRIVE_BAND_ABOVE;
const int LAYOUT_PANEL_LEFT = 2;
const int LAYOUT_SPLIT_MIN = 50;
const int LAYOUT_SPLITTER_GAP = 4;
const int LAYOUT_COMMAND_BAND_HEIGHT = 23;
const int LAYOUT_COMMAND_ROW_STEP = 22;  // function-key row below the band's top
const int LAYOUT_FKEY_LINE_GAP = 22;     // between the row's two lines
const int LAYOUT_FKEY_ROW_HEIGHT = LAYOUT_FKEY_LINE_GAP + 2;
const int LAYOUT_FKEY_COUNT = 7;
const int LAYOUT_FKEY_BUTTON_HEIGHT = 20;

struct FunctionKeyRow {
    int top;           // y of the upper 2-pixel line
    int lowerLineY;    // y of the lower 2-pixel line
    RECT buttons[LAYOUT_FKEY_COUNT];
    RECT separators[LAYOUT_FKEY_COUNT];  // the 2-pixel gap after each button
    RECT leftBar;
};

struct MainLayout {
    int clientWidth, clientHeight;
    RECT toolbar;
    RECT driveBands[2];
    RECT panels[2];      // title row y down to the bottom of the information lines
    int split;           // x of the split
    int panelsBottom;
    int showCommandLine;
    RECT commandBand;    // empty when the command line is off
    FunctionKeyRow keys;
};

// Widths of the function-key buttons for a client width.
void LayoutFunctionKeyRow(int clientWidth, int top, FunctionKeyRow* row);
// Top of the function-key row for a command line band starting at bandTop.
int LayoutFunctionKeyRowTop(int bandTop, int showCommandLine);
// Whole arrangement; panels take the height left between the bands.
void LayoutArrange(int clientWidth, int clientHeight, double leftPercent, int showCommandLine, MainLayout* out);
