// The command line band: prompt, frame and the edit's place.
#include "command_band.h"

#include <stdio.h>

#include "fsk.h"

void CommandBandMeasure(HDC dc, const wchar_t* path, int clientWidth, int top, CommandBand* band)
{
    *band = CommandBand{};
    band->top = top;
    band->clientWidth = clientWidth;
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    swprintf(band->prompt, COMMAND_PROMPT_CHARS, L"%ls>", path ? path : L"");
    int limit = clientWidth / 2 - 5;
    SIZE size = {};
    GetTextExtentPoint32W(dc, band->prompt, lstrlenW(band->prompt), &size);
    if (size.cx > limit) {
        const wchar_t* cut = FYX_FSK_CutStringRightPixelsHdc(dc, band->prompt, limit < 0 ? 0 : limit);
        lstrcpynW(band->prompt, cut ? cut : L"", COMMAND_PROMPT_CHARS);
        GetTextExtentPoint32W(dc, band->prompt, lstrlenW(band->prompt), &size);
    }
    SelectObject(dc, oldFont);
    band->promptWidth = size.cx;
    int width = clientWidth - band->promptWidth - 12;
    SetRect(&band->edit, band->promptWidth + 7, top + 5, band->promptWidth + 7 + (width < 0 ? 0 : width), top + 20);
}

void CommandBandDraw(HDC dc, const CommandBand* band, COLORREF frameColor)
{
    RECT area = {0, band->top + 3, band->clientWidth, band->top + 21};
    HBRUSH brush = CreateSolidBrush(frameColor);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(130, 130, 130));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, area.left, area.bottom - 1, NULL);
    LineTo(dc, area.left, area.top);
    LineTo(dc, area.right, area.top);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(dc, RGB(0, 0, 0));
    TextOutW(dc, 4, band->top + 5, band->prompt, lstrlenW(band->prompt));
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

void CommandBandPlaceEdit(HWND edit, const CommandBand* band)
{
    if (!band) {
        MoveWindow(edit, -10, -10, 5, 5, FALSE);
        return;
    }
    MoveWindow(edit, band->edit.left, band->edit.top, band->edit.right - band->edit.left,
               band->edit.bottom - band->edit.top, TRUE);
    ShowWindow(edit, SW_SHOWNA);
}
