// The drawn progress bar of the free-space information line.
#pragma once

#include <windows.h>

#include "panel_format.h"

enum {
    PROGRESS_SHOW_PERCENT = 0x01,
    PROGRESS_SHOW_LABEL = 0x02,   // "%1.0f%% label"
    PROGRESS_SHOW_VALUES = 0x04,  // current at the left, total at the right
    PROGRESS_GROUPED = 0x08,      // values with digit groups, else short forms
};

struct PanelProgressBar {
    int x, y, width, height;
    double total, current;
    double percent;
    int filled;  // pixels
    COLORREF fill, frame, text, empty;
    DWORD options;
    wchar_t label[256];
    int stockFont;  // e.g. DEFAULT_GUI_FONT
};

void PaintProgressInit(PanelProgressBar* bar, int x, int y, int width, double total);
// Adds to the current value and recomputes the percentage and filled length.
void PaintProgressAdd(PanelProgressBar* bar, double value);
struct PanelProgressTexts {
    wchar_t center[300];
    wchar_t left[PANEL_SIZE_TEXT_CHARS];
    wchar_t right[PANEL_SIZE_TEXT_CHARS];
};
void PaintProgressTexts(const PanelProgressBar* bar, PanelProgressTexts* out);
// Draws off-screen and copies the bar to target at its position.
void PaintProgressDraw(const PanelProgressBar* bar, HDC target);
