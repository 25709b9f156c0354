// The path line above a panel's titles and the two information lines under
// its list: their texts and colours from a Panel, and their drawing.
#pragma once

#include <windows.h>

#include "panel.h"

const int INFO_LINE_HEIGHT = 20;
const int INFO_PATH_ICON_BOX = 27;

enum InfoLineKind {
    INFO_COUNTS = 1,
    INFO_FILE_TYPE = 2,
    INFO_FREE_SPACE = 3,
};

const COLORREF INFO_BLACK = RGB(0, 0, 0);
const COLORREF INFO_SELECTED = RGB(240, 0, 0);
const COLORREF INFO_DIRECTORIES = RGB(0, 0, 130);
const COLORREF INFO_FILES = RGB(0, 130, 0);
const COLORREF INFO_DARK_LINE = RGB(130, 130, 130);
const COLORREF INFO_LIGHT_LINE = RGB(255, 255, 255);

struct InfoPiece {
    wchar_t text[48];
    COLORREF color;
};

// One bracket group: "[", selected, ",", all, "]".
struct InfoGroup {
    InfoPiece pieces[5];
};

struct InfoCounts {
    InfoGroup directories;
    InfoGroup files;
    InfoGroup bytes;  // right-aligned
};

// Directories without the parent entry.
uint32_t InfoDirectoryCount(const Panel* panel);
void InfoCountsFromFigures(uint32_t selectedDirs, uint32_t dirs, uint32_t selectedFiles, uint32_t files,
                           uint64_t selectedBytes, uint64_t listedBytes, InfoCounts* out);
void InfoCountsFromPanel(const Panel* panel, InfoCounts* out);

// Path line text: the path with its drive letter in lower case, or in the
// shell mode "\\name\*.*" of the last component of the display path.
void InfoPathText(const Panel* panel, wchar_t* out, int chars);
// Free bytes in short form (file-system mode only, else empty).
void InfoPathFreeText(const Panel* panel, wchar_t* out, int chars);
// The middle text of the free-space bar: "%1.0f%% " + line 422 filled.
void InfoFreeSpaceText(const Panel* panel, const wchar_t* freeSpaceLine, wchar_t* out, int chars);
double InfoFreePercent(const Panel* panel);
// Type text of the entry under the cursor, or empty.
const wchar_t* InfoCursorTypeText(const Panel* panel);

enum InfoIconBoxLook {
    INFO_BOX_FLAT = 0,
    INFO_BOX_RAISED = 1,  // under the mouse pointer
    INFO_BOX_SUNKEN = 2,  // something dragged over the panel
};

struct InfoPathLook {
    int active;
    int boxLook;
    HICON icon;
};

// Rectangles of the shown information lines for a panel whose list ends at listBottom.
void InfoLineRects(const Panel* panel, int left, int right, int listBottom, RECT* upper, RECT* lower);
void InfoDrawPathLine(HDC dc, const Panel* panel, const RECT* line, const InfoPathLook* look);
// kind of InfoLineKind; hasLineAbove draws the top light line.
void InfoDrawLine(HDC dc, const Panel* panel, const RECT* line, int kind, int hasLineAbove,
                  const wchar_t* freeSpaceLine);
