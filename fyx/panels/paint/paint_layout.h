// Main-window arrangement that follows from the panels: the splitter drag and
// the function-key row.
#pragma once

#include <windows.h>

struct SplitterDrag {
    int low, high;     // limits: 10 % and 90 % of the client width
    double titlePercent;  // shown in the title, 10 to 90
    double storedPercent; // the new left panel share
};

// Limits of a drag in a client of the given width.
void PaintSplitterLimits(int clientWidth, SplitterDrag* drag);
// A drag movement to x. 0 taken (percentages set), 1 outside the limits.
int PaintSplitterMove(SplitterDrag* drag, int x, int clientWidth);

const int FUNCTION_KEY_COUNT = 7;
// The seven function-key buttons; the row starts 22 pixels below the top of
// the command line band when the command line is shown, at that top otherwise.
void PaintFunctionKeyRow(int clientWidth, int commandBandTop, int commandLineShown,
                         RECT buttons[FUNCTION_KEY_COUNT]);
