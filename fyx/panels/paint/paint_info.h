// The counts information line under a panel's list: selected and listed
// directories, files and bytes.
#pragma once

#include <windows.h>

#include "panel.h"

const COLORREF INFO_SELECTED = RGB(240, 0, 0);
const COLORREF INFO_DIRECTORIES = RGB(0, 0, 130);
const COLORREF INFO_FILES = RGB(0, 130, 0);
const COLORREF INFO_PLAIN = RGB(0, 0, 0);

struct InfoPiece {
    wchar_t text[40];
    COLORREF color;
    int x;  // from the line's left edge
};
const int INFO_PIECES = 15;

// The pieces of the counts line, placed with the font selected into dc.
// Returns the number of pieces.
int PaintCountsPieces(HDC dc, const Panel* panel, int lineWidth, InfoPiece out[INFO_PIECES]);
// Draws the counts line into target within the line's rectangle.
void PaintCountsLine(HDC target, const RECT* line, const Panel* panel);
