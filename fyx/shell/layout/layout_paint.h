// Painting of the frame parts the layout owns: separator lines, the
// function-key row; and the system colours re-read on WM_SYSCOLORCHANGE.
#pragma once

#include <windows.h>

#include "button_widgets.h"
#include "layout_geometry.h"

struct SystemColors {
    COLORREF window;
    COLORREF face;
    COLORREF activeBorder;
    COLORREF activeCaption;
    COLORREF inactiveCaption;
    COLORREF captionText;
    COLORREF inactiveCaptionText;
    COLORREF light;  // derived from the face colour
    COLORREF dark;
};

void LayoutReadSystemColors(SystemColors* colors);
// A horizontal separator (dark over light) across the width at y.
void LayoutDrawSeparatorLine(HDC dc, int y, int left, int right, const SystemColors* colors);
// The row's two 2-pixel lines, its left bar, the separators and the buttons.
void LayoutDrawFunctionKeyRow(HDC dc, const FunctionKeyRow* row, int clientWidth, const FunctionKeyButton* keys,
                              const SystemColors* colors);
