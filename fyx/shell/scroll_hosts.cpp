// The four scroll bar hosts: each carries its panel's window scroll bar and
// turns its messages into the panel's top row or horizontal position.
#include "view.h"

namespace {

int SideOf(HWND host) {
    int id = GetDlgCtrlID(host);
    return id == ID_RIGHT_VERTICAL_BAR || id == ID_RIGHT_HORIZONTAL_BAR ? 1 : 0;
}

}  // namespace

int ScrollHostNewPosition(int vertical, int request, const SCROLLINFO& info) {
    int pos = info.nPos, page = (int)info.nPage;
    int step = vertical ? 1 : 10;
    bool atEnd = pos + page == info.nMax + 1;
    switch (request) {
    case SB_LINEUP:
        return (vertical ? pos > 0 : pos != 0) ? pos - step : pos;
    case SB_LINEDOWN:
        return atEnd ? pos : pos + step;
    case SB_PAGEUP:
        return vertical && pos - page < 0 ? 0 : pos - page;
    case SB_PAGEDOWN:
        if (vertical && pos + page > info.nMax - page + 1) return info.nMax - page + 1;
        return pos + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return info.nTrackPos;
    case SB_TOP:
        return info.nMin;
    case SB_BOTTOM:
        return info.nMax;
    }
    return pos;
}

static LRESULT OnScroll(HWND host, int vertical, WPARAM wParam) {
    int side = SideOf(host);
    Panel* panel = g_app.panels[side];
    if (!panel) return 0;
    int bar = vertical ? SB_VERT : SB_HORZ;
    SCROLLINFO info = {sizeof(info), SIF_ALL};
    if (!GetScrollInfo(host, bar, &info)) return 0;
    int request = LOWORD(wParam);
    int pos = ScrollHostNewPosition(vertical, request, info);
    // The vertical thumb reports the 16-bit position of the message.
    if (vertical && (request == SB_THUMBTRACK || request == SB_THUMBPOSITION)) pos = HIWORD(wParam);
    if (request == SB_ENDSCROLL) return 0;
    // The bar clamps the position; the panel keeps what the bar keeps.
    pos = SetScrollPos(host, bar, pos, TRUE);
    pos = GetScrollPos(host, bar);
    if (vertical) {
        if (pos == panel->topRow) return 0;
        panel->topRow = pos;
        ViewInvalidateList(side);
    } else {
        if (pos == panel->horizontalScroll) return 0;
        panel->horizontalScroll = pos;
        ViewInvalidateList(side);
        ViewInvalidateTitles(side);
    }
    return 0;
}

static LRESULT PaintNothing(HWND window) {
    PAINTSTRUCT ps;
    BeginPaint(window, &ps);
    EndPaint(window, &ps);
    return 0;
}

// Each host carries one window scroll bar, so only its own message comes.
LRESULT CALLBACK ScrollHostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        return PaintNothing(window);
    case WM_VSCROLL:
        return OnScroll(window, 1, wParam);
    case WM_HSCROLL:
        return OnScroll(window, 0, wParam);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
