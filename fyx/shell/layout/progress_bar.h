// The drawn progress bar (also the free-space bar of the information lines).
#pragma once

#include <windows.h>

enum {
    PROGRESS_SHOW_PERCENT = 0x01,
    PROGRESS_SHOW_LABEL = 0x02,   // "%1.0f%% %s" with the label
    PROGRESS_SHOW_VALUES = 0x04,  // current at the left, total at the right
    PROGRESS_GROUPED = 0x08,      // values as grouped numbers, not short forms
};

struct ProgressBar {
    int x, y;
    int width, height;
    double total;
    double current;
    double percent;
    int filledLength;
    COLORREF fillColor;
    COLORREF frameColor;
    COLORREF textColor;
    COLORREF backColor;
    int options;
    wchar_t label[256];
    int stockFont;
};

void ProgressBarInit(ProgressBar* bar, int x, int y, int width);
void ProgressBarSetTotal(ProgressBar* bar, double total);
// Adds to the current value and recomputes the percentage and length.
void ProgressBarAddValue(ProgressBar* bar, double value);
// Texts as drawn; empty when the option is off.
void ProgressBarTexts(const ProgressBar* bar, wchar_t* middle, int middleChars, wchar_t* left, wchar_t* right,
                      int sideChars);
void ProgressBarDraw(const ProgressBar* bar, HDC target);
