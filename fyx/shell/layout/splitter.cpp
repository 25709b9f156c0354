// The splitter drag as a small state machine plus its thin drawing glue.
#include "splitter.h"

#include <stdio.h>
#include <string.h>

void SplitterReset(SplitterDrag* drag)
{
    *drag = SplitterDrag{};
}

static int InHoverZone(int x, int y, int split, int panelsTop, int panelsBottom)
{
    return x > split + 2 && x < split + 5 && y > panelsTop && y < panelsBottom;
}

int SplitterMouseMove(SplitterDrag* drag, int x, int y, int split, int panelsTop, int panelsBottom,
                      int clientWidth, double* leftPercent)
{
    if (drag->phase == SPLITTER_IDLE) {
        int inside = InHoverZone(x, y, split, panelsTop, panelsBottom);
        if (inside && !drag->sizingCursor) {
            drag->sizingCursor = 1;
            return SPLITTER_SIZE_CURSOR;
        }
        if (!inside && drag->sizingCursor) {
            drag->sizingCursor = 0;
            return SPLITTER_ARROW_CURSOR;
        }
        return 0;
    }
    if (drag->phase == SPLITTER_ARMED) {
        drag->phase = SPLITTER_DRAGGING;
        drag->limitLow = (int)(clientWidth * 0.1);
        drag->limitHigh = (int)(clientWidth * 0.9);
        drag->lastX = -1;
        return SPLITTER_BEGIN_LINES;
    }
    if (x == drag->lastX || x <= drag->limitLow || x >= drag->limitHigh || clientWidth <= 0) return 0;
    int actions = SPLITTER_DRAW_LINE | SPLITTER_SET_TITLE;
    if (drag->lineDrawn) {
        actions |= SPLITTER_ERASE_LINE;
        drag->erasedX = drag->lineX;
    }
    drag->lineDrawn = 1;
    drag->lineX = x;
    drag->lastX = x;
    double percent = x == clientWidth ? 100.0 : x * 100.0 / clientWidth;
    if (percent < 10) percent = 10;
    if (percent > 90) percent = 90;
    drag->shownPercent = percent;
    swprintf(drag->title, 64, L"%ls - %2.2f %%", SPLITTER_PLAIN_TITLE, percent);
    *leftPercent = percent - 0.2;
    return actions;
}

int SplitterButtonDown(SplitterDrag* drag)
{
    if (drag->phase != SPLITTER_IDLE || !drag->sizingCursor) return 0;
    drag->phase = SPLITTER_ARMED;
    return SPLITTER_CAPTURE;
}

int SplitterButtonUp(SplitterDrag* drag)
{
    int actions = 0;
    if (drag->phase == SPLITTER_DRAGGING) {
        actions = SPLITTER_FINISH | SPLITTER_SET_TITLE;
        swprintf(drag->title, 64, L"%ls", SPLITTER_PLAIN_TITLE);
    } else if (drag->phase == SPLITTER_ARMED) {
        actions = SPLITTER_FINISH;  // only the capture to give back
    }
    drag->phase = SPLITTER_IDLE;
    drag->lineDrawn = 0;
    return actions;
}

void SplitterBeginLines(HWND window, SplitterLines* lines)
{
    lines->window = window;
    lines->dc = GetDC(window);
    lines->pen = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
    lines->oldPen = SelectObject(lines->dc, lines->pen);
    lines->oldMix = SetROP2(lines->dc, R2_NOTXORPEN);
}

void SplitterDrawLine(HDC dc, int x, int top, int bottom)
{
    MoveToEx(dc, x, top, NULL);
    LineTo(dc, x, bottom);
}

void SplitterEndLines(SplitterLines* lines)
{
    if (!lines->dc) return;
    SetROP2(lines->dc, lines->oldMix);
    SelectObject(lines->dc, lines->oldPen);
    DeleteObject(lines->pen);
    ReleaseDC(lines->window, lines->dc);
    *lines = SplitterLines{};
}

void SplitterApply(HWND window, const SplitterDrag* drag, int actions, int panelsTop, int panelsBottom,
                   SplitterLines* lines)
{
    if (actions & SPLITTER_SIZE_CURSOR) SetCursor(LoadCursor(NULL, IDC_SIZEWE));
    if (actions & SPLITTER_ARROW_CURSOR) SetCursor(LoadCursor(NULL, IDC_ARROW));
    if (actions & SPLITTER_CAPTURE) SetCapture(window);
    if (actions & SPLITTER_BEGIN_LINES) SplitterBeginLines(window, lines);
    if (lines->dc && (actions & SPLITTER_ERASE_LINE)) SplitterDrawLine(lines->dc, drag->erasedX, panelsTop, panelsBottom);
    if (lines->dc && (actions & SPLITTER_DRAW_LINE)) SplitterDrawLine(lines->dc, drag->lineX, panelsTop, panelsBottom);
    if (actions & SPLITTER_SET_TITLE) SetWindowTextW(window, drag->title);
    if (actions & SPLITTER_FINISH) {
        SplitterEndLines(lines);
        ReleaseCapture();
        InvalidateRect(window, NULL, FALSE);
        SetTimer(window, 4, 50, NULL);
    }
}
