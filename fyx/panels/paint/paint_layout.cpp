// Splitter drag percentages and the function-key row.
#include "paint_layout.h"

void PaintSplitterLimits(int clientWidth, SplitterDrag* drag) {
    drag->low = clientWidth * 10 / 100;
    drag->high = clientWidth * 90 / 100;
    drag->titlePercent = 0;
    drag->storedPercent = 0;
}

int PaintSplitterMove(SplitterDrag* drag, int x, int clientWidth) {
    if (x <= drag->low || x >= drag->high || clientWidth <= 0) return 1;
    double percent = x == clientWidth ? 100.0 : x * 100.0 / clientWidth;
    if (percent < 10) percent = 10;
    if (percent > 90) percent = 90;
    drag->titlePercent = percent;
    drag->storedPercent = percent - 0.2;
    return 0;
}

void PaintFunctionKeyRow(int clientWidth, int commandBandTop, int commandLineShown,
                         RECT buttons[FUNCTION_KEY_COUNT]) {
    int top = commandBandTop + (commandLineShown ? 22 : 0);
    int width = (clientWidth - 16) / FUNCTION_KEY_COUNT;
    int x = 2;  // after the bar at the left edge
    for (int i = 0; i < FUNCTION_KEY_COUNT; i++) {
        int right = i == FUNCTION_KEY_COUNT - 1 ? clientWidth - 3 : x + width;
        SetRect(&buttons[i], x, top + 2, right, top + 22);
        x = right + 2;
    }
}
