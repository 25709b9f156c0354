// The splitter between the panels: hover zone, drag with an XOR line,
// the percentage in the title and the left panel's new share.
#pragma once

#include <windows.h>

enum SplitterPhase {
    SPLITTER_IDLE = 0,
    SPLITTER_ARMED = 1,     // button down on the zone, no movement yet
    SPLITTER_DRAGGING = 2,
};

// What the window has to do after a mouse event, as bits.
enum {
    SPLITTER_SIZE_CURSOR = 0x01,
    SPLITTER_ARROW_CURSOR = 0x02,
    SPLITTER_CAPTURE = 0x04,
    SPLITTER_BEGIN_LINES = 0x08,  // take the DC, 3-pixel black pen, R2_NOTXORPEN
    SPLITTER_ERASE_LINE = 0x10,   // draw again at erasedX
    SPLITTER_DRAW_LINE = 0x20,    // draw at lineX
    SPLITTER_SET_TITLE = 0x40,    // title text in the record
    SPLITTER_FINISH = 0x80,       // restore and release the DC, release capture, invalidate, timer 4
};

struct SplitterDrag {
    int phase;
    int sizingCursor;  // the east-west cursor is shown
    int lineDrawn;
    int lineX;
    int erasedX;
    int lastX;
    int limitLow, limitHigh;
    double shownPercent;
    wchar_t title[64];
};

const wchar_t* const SPLITTER_PLAIN_TITLE = L"Fyx 1.2";

void SplitterReset(SplitterDrag* drag);
// Mouse movement at (x, y); split is the current split position, the panels
// span top..bottom. May change *leftPercent while dragging.
int SplitterMouseMove(SplitterDrag* drag, int x, int y, int split, int panelsTop, int panelsBottom,
                      int clientWidth, double* leftPercent);
int SplitterButtonDown(SplitterDrag* drag);
int SplitterButtonUp(SplitterDrag* drag);

// The drawing side: a DC of the window with the line pen selected.
struct SplitterLines {
    HWND window;
    HDC dc;
    HPEN pen;
    HGDIOBJ oldPen;
    int oldMix;
};
void SplitterBeginLines(HWND window, SplitterLines* lines);
void SplitterDrawLine(HDC dc, int x, int top, int bottom);
void SplitterEndLines(SplitterLines* lines);
// Carries out the bits of one event for a real window.
void SplitterApply(HWND window, const SplitterDrag* drag, int actions, int panelsTop, int panelsBottom,
                   SplitterLines* lines);
