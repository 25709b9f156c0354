// Off-screen drawing surfaces shared by both panels: the list surface with the
// panel font, the cursor bar and one background per panel.
#pragma once

#include <windows.h>

#include "paint_colors.h"
#include "paint_font.h"

struct PaintSurface {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ oldBitmap;
};

struct PaintSurfaces {
    int width, height;  // of the list and background surfaces
    LOGFONTW fontChoice;
    HFONT font;
    HGDIOBJ oldListFont;
    PanelRowMetrics rows;
    PaintSurface list;
    PaintSurface cursorBar;  // width x row height, "Cursor full"
    PaintSurface background[2];
    int backgroundHasPicture[2];
};

// width or height 0: the primary screen's. 0 created, 1 out of GDI resources
// (everything made so far is released again).
int PaintCreateSurfaces(PaintSurfaces* s, const LOGFONTW* font, const PanelColors* colors,
                        int width, int height);
void PaintReleaseSurfaces(PaintSurfaces* s);
// A new panel font: the cursor bar follows the new row height. 0 done, 1 failed
// (the old font stays).
int PaintSetPanelFont(PaintSurfaces* s, const LOGFONTW* font, const PanelColors* colors);
// "Set panel font...": the font dialog, then the new font. 0 changed, 1 cancelled.
int PaintChoosePanelFont(HWND owner, PaintSurfaces* s, const PanelColors* colors);
// Refills the cursor bar and the backgrounds that show no picture.
void PaintApplyColors(PaintSurfaces* s, const PanelColors* colors);
void PaintFillSurface(const PaintSurface* surface, int width, int height, COLORREF color);
