// The colour profile the panels paint with: loading by name and the eight
// colours taken from it.
#pragma once

#include <windows.h>

#include "prefs.h"

enum {
    PANEL_COLOR_BACKGROUND = 0,
    PANEL_COLOR_DIRECTORY = 1,
    PANEL_COLOR_FILE = 2,
    PANEL_COLOR_CURSOR_RECTANGLE = 3,
    PANEL_COLOR_CURSOR_FULL = 4,
    PANEL_COLOR_INVERSE = 5,
    PANEL_COLOR_FOCUSED_FULL = 6,
    PANEL_COLOR_FOCUSED_RECTANGLE = 7,
};

struct PanelColors {
    COLORREF background;
    COLORREF directory;
    COLORREF file;
    COLORREF cursorRectangle;
    COLORREF cursorFull;
    COLORREF inverse;
    COLORREF focusedFull;
    COLORREF focusedRectangle;
};

// "Default" and "Default2" are the built-in profiles; any other name is a
// file in the program folder, and the built-in default when it cannot be read.
void PaintLoadColorProfile(const wchar_t* name, const wchar_t* programFolder, ColorProfile* out);
// The panel background follows the system window colour when the profile
// says so.
PanelColors PaintColorsFromProfile(const ColorProfile* profile, COLORREF systemWindowColor);
// Replaces the profile in use by the fresh one; 1 when they differed.
int PaintTakeColorProfile(ColorProfile* inUse, const ColorProfile* fresh);
