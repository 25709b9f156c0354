// The panel font and the row metrics that follow from its text height.
#pragma once

#include <windows.h>

struct PanelRowMetrics {
    int textHeight;
    int rowHeight;
    int firstRowOffset;  // y of the text in a row
    int iconOffset;      // y of the icon in a row
};

// Fonts of 16 pixels or more get rows one pixel taller than the text; smaller
// ones get 17-pixel rows with the text centred.
PanelRowMetrics PaintRowMetricsForHeight(int textHeight);
// Creates the font on a screen context and reads its text height.
// 0 done, 1 the font could not be made.
int PaintRowMetricsForFont(const LOGFONTW* font, PanelRowMetrics* out);
// The system font dialog, starting from the given font, screen fonts only.
// 0 chosen (written to font), 1 cancelled or failed (font untouched).
int PaintAskPanelFont(HWND owner, LOGFONTW* font);
