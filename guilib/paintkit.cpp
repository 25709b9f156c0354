// Fyx drawing library: every function restores what it selected into the
// device context and deletes the pens and brushes it made.
#include "paintkit.h"

#include <wchar.h>

namespace {

const int TEXT_CHARS = 256;
const int TITLE_MAX = TEXT_CHARS - 3;  // two blanks and the terminator

const COLORREF DEFAULT_SEPARATOR_DARK = RGB(150, 150, 150);
const COLORREF DEFAULT_SEPARATOR_LIGHT = RGB(255, 255, 255);
const COLORREF DEFAULT_GROUP_BORDER = RGB(200, 200, 200);
const COLORREF DEFAULT_GROUP_TITLE = RGB(0, 0, 180);

struct ColorSet {
    HWND window;
    COLORREF spare;
    COLORREF separatorDark;
    COLORREF separatorLight;
    int groupBackgroundTaken;  // else the system button face at drawing time
    COLORREF groupBackground;
    COLORREF groupBorder;
    COLORREF groupTitle;
};

ColorSet g_colors = {NULL, 0, DEFAULT_SEPARATOR_DARK, DEFAULT_SEPARATOR_LIGHT, 0, 0,
                     DEFAULT_GROUP_BORDER, DEFAULT_GROUP_TITLE};
wchar_t g_text[TEXT_CHARS];

COLORREF Pick(DWORD use, COLORREF color, COLORREF fallback) {
    return (use & 0xFF) == 1 ? color : fallback;
}

COLORREF GroupBackground() {
    return g_colors.groupBackgroundTaken ? g_colors.groupBackground : GetSysColor(COLOR_BTNFACE);
}

// One solid line from (x1, y1) to (x2, y2), the end point excluded.
void SolidLine(HDC dc, COLORREF color, int x1, int y1, int x2, int y2) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    if (!pen) return;
    HGDIOBJ oldPen = SelectObject(dc, pen);
    POINT oldPos;
    MoveToEx(dc, x1, y1, &oldPos);
    LineTo(dc, x2, y2);
    MoveToEx(dc, oldPos.x, oldPos.y, NULL);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

}  // namespace

GUILIB_API int InitGuiLib(HWND window, DWORD useSpare, COLORREF spare, DWORD useSeparatorDark,
                          COLORREF separatorDark, DWORD useSeparatorLight, COLORREF separatorLight,
                          DWORD useGroupBackground, COLORREF groupBackground, DWORD useGroupBorder,
                          COLORREF groupBorder, DWORD useGroupTitle, COLORREF groupTitle) {
    g_colors.window = window;
    g_colors.spare = Pick(useSpare, spare, 0);
    g_colors.separatorDark = Pick(useSeparatorDark, separatorDark, DEFAULT_SEPARATOR_DARK);
    g_colors.separatorLight = Pick(useSeparatorLight, separatorLight, DEFAULT_SEPARATOR_LIGHT);
    g_colors.groupBackgroundTaken = (useGroupBackground & 0xFF) == 1;
    g_colors.groupBackground = g_colors.groupBackgroundTaken ? groupBackground : 0;
    g_colors.groupBorder = Pick(useGroupBorder, groupBorder, DEFAULT_GROUP_BORDER);
    g_colors.groupTitle = Pick(useGroupTitle, groupTitle, DEFAULT_GROUP_TITLE);
    return 0;
}

GUILIB_API int GUILIB_SeparatorLineH(HDC dc, int x, int y, int x2) {
    SolidLine(dc, g_colors.separatorLight, x, y, x2, y);
    SolidLine(dc, g_colors.separatorDark, x, y - 1, x2, y - 1);
    return 0;
}

GUILIB_API int GUILIB_SeparatorLineV(HDC dc, int x, int y, int y2) {
    SolidLine(dc, g_colors.separatorDark, x, y, x, y2);
    SolidLine(dc, g_colors.separatorLight, x + 1, y, x + 1, y2);
    return 0;
}

GUILIB_API int GUILIB_DrawGroupRectangle(HDC dc, int left, int top, int width, int height,
                                         const wchar_t* title) {
    COLORREF background = GroupBackground();
    HPEN pen = CreatePen(PS_SOLID, 1, g_colors.groupBorder);
    HBRUSH brush = CreateSolidBrush(background);
    if (pen && brush) {
        HGDIOBJ oldPen = SelectObject(dc, pen);
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        RoundRect(dc, left, top, left + width, top + height, 10, 10);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
    }
    if (brush) DeleteObject(brush);
    if (pen) DeleteObject(pen);

    if (!title) title = L"";
    size_t length = wcslen(title);
    if (length > (size_t)TITLE_MAX) length = TITLE_MAX;
    g_text[0] = L' ';
    wmemcpy(g_text + 1, title, length);
    g_text[length + 1] = L' ';
    g_text[length + 2] = 0;

    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    COLORREF oldText = SetTextColor(dc, g_colors.groupTitle);
    COLORREF oldBack = SetBkColor(dc, background);
    int oldMode = SetBkMode(dc, OPAQUE);
    TextOutW(dc, left + 8, top - 6, g_text, (int)length + 2);
    SetBkMode(dc, oldMode);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
    SelectObject(dc, oldFont);
    return 0;
}

GUILIB_API int GUILIB_DrawRectangle(HDC dc, int x, int y, int width, int height, COLORREF color,
                                    DWORD sides) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    if (!pen) return 0;
    HGDIOBJ oldPen = SelectObject(dc, pen);
    POINT oldPos;
    MoveToEx(dc, x, y, &oldPos);
    const struct {
        DWORD bit;
        int x, y;
    } edges[] = {
        {GUILIB_SIDE_TOP, x + width, y},
        {GUILIB_SIDE_RIGHT, x + width, y + height},
        {GUILIB_SIDE_BOTTOM, x, y + height},
        {GUILIB_SIDE_LEFT, x, y},
    };
    for (const auto& e : edges) {
        if (sides & e.bit)
            LineTo(dc, e.x, e.y);
        else
            MoveToEx(dc, e.x, e.y, NULL);
    }
    MoveToEx(dc, oldPos.x, oldPos.y, NULL);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    return 0;
}

GUILIB_API const wchar_t* GUILIB_GetVersion(void) {
    wcscpy(g_text, L"1.01");
    return g_text;
}
