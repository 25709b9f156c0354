// Fyx drawing library: group frames, 3-D separator lines and open or closed
// rectangles, drawn in a colour set kept per process.
#pragma once

#include <windows.h>

#ifdef FYX_BUILDING_GUILIB
#define GUILIB_API extern "C" __declspec(dllexport)
#else
#define GUILIB_API extern "C" __declspec(dllimport)
#endif

// Sides of GUILIB_DrawRectangle.
enum {
    GUILIB_SIDE_LEFT = 1,
    GUILIB_SIDE_RIGHT = 2,
    GUILIB_SIDE_TOP = 4,
    GUILIB_SIDE_BOTTOM = 8,
    GUILIB_SIDE_ALL = 255,
};

// Each colour is taken when its use value has 1 in its lowest byte, else the
// default is kept. The window and the spare colour are stored, never read.
// Returns 0.
GUILIB_API int InitGuiLib(HWND window = NULL,
                          DWORD useSpare = 0, COLORREF spare = 0,
                          DWORD useSeparatorDark = 0, COLORREF separatorDark = 0,
                          DWORD useSeparatorLight = 0, COLORREF separatorLight = 0,
                          DWORD useGroupBackground = 0, COLORREF groupBackground = 0,
                          DWORD useGroupBorder = 0, COLORREF groupBorder = 0,
                          DWORD useGroupTitle = 0, COLORREF groupTitle = 0);

// A light line on row y and a dark one on row y - 1, from x to x2 (excluded).
GUILIB_API int GUILIB_SeparatorLineH(HDC dc, int x, int y, int x2);
// A dark line in column x and a light one in column x + 1, from y to y2 (excluded).
GUILIB_API int GUILIB_SeparatorLineV(HDC dc, int x, int y, int y2);
// A filled rounded frame with " title " over its top edge at (left + 8, top - 6).
// Titles longer than 253 characters are cut there.
GUILIB_API int GUILIB_DrawGroupRectangle(HDC dc, int left, int top, int width, int height,
                                         const wchar_t* title);
// The sides named by the GUILIB_SIDE_ bits, clockwise from the top-left corner.
GUILIB_API int GUILIB_DrawRectangle(HDC dc, int x, int y, int width, int height, COLORREF color,
                                    DWORD sides);
// "1.01", in a per-process buffer that the next group title overwrites.
GUILIB_API const wchar_t* GUILIB_GetVersion(void);
