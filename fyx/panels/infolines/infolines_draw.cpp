// Drawing of the path line and the information lines.
#include "fsk.h"
#include "infolines.h"
#include "progress_bar.h"

static void Line(HDC dc, COLORREF color, int x1, int y1, int x2, int y2)
{
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, NULL);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

static void Fill(HDC dc, const RECT* rc, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, rc, brush);
    DeleteObject(brush);
}

static int Width(HDC dc, const wchar_t* text)
{
    SIZE size = {};
    GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
    return size.cx;
}

void InfoLineRects(const Panel* panel, int left, int right, int listBottom, RECT* upper, RECT* lower)
{
    SetRectEmpty(upper);
    SetRectEmpty(lower);
    int y = listBottom;
    if (panel->settings.showInfoLine1 == 1) {
        SetRect(upper, left, y, right, y + INFO_LINE_HEIGHT);
        y += INFO_LINE_HEIGHT;
    }
    if (panel->settings.showInfoLine2 == 1) SetRect(lower, left, y, right, y + INFO_LINE_HEIGHT);
}

// Draws one group from x and returns the x after it.
static int DrawGroup(HDC dc, const InfoGroup* g, int x, int y)
{
    for (int i = 0; i < 5; ++i) {
        const InfoPiece* p = &g->pieces[i];
        if (i == 2 || i == 4) x += 5;
        SetTextColor(dc, p->color);
        TextOutW(dc, x, y, p->text, lstrlenW(p->text));
        x += Width(dc, p->text);
        if (i == 0 || i == 2) x += 8;
    }
    return x;
}

static int GroupWidth(HDC dc, const InfoGroup* g)
{
    int w = 8 + 8 + 5 + 5;
    for (int i = 0; i < 5; ++i) w += Width(dc, g->pieces[i].text);
    return w;
}

static void DrawCounts(HDC dc, const Panel* panel, const RECT* line)
{
    InfoCounts counts;
    InfoCountsFromPanel(panel, &counts);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    int y = line->top + 3;
    int x = DrawGroup(dc, &counts.directories, line->left + 5, y);
    DrawGroup(dc, &counts.files, x + 10, y);
    DrawGroup(dc, &counts.bytes, line->right - 5 - GroupWidth(dc, &counts.bytes), y);
    SelectObject(dc, oldFont);
}

static void DrawFileType(HDC dc, const Panel* panel, const RECT* line)
{
    LOGFONTW description = {};
    HFONT font = CreateFontIndirectW(&description);
    HGDIOBJ oldFont = SelectObject(dc, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    int height = metrics.tmHeight > 16 ? 16 : metrics.tmHeight;
    SetTextColor(dc, INFO_BLACK);
    const wchar_t* text = InfoCursorTypeText(panel);
    TextOutW(dc, line->left + 5, line->top + (INFO_LINE_HEIGHT - height) / 2, text, lstrlenW(text));
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

static void DrawFreeSpace(HDC dc, const Panel* panel, const RECT* line, const wchar_t* freeSpaceLine)
{
    ProgressBar bar;
    ProgressBarInit(&bar, line->left + 3, line->top + 2, line->right - line->left - 4);
    bar.options = 0;
    if (panel->settings.panelMode != PANEL_SHELL && panel->totalBytes > 0) {
        ProgressBarSetTotal(&bar, (double)panel->totalBytes);
        ProgressBarAddValue(&bar, (double)panel->freeBytes);
    } else {
        // Nothing to show: an empty bar, not the full one of a zero total.
        bar.total = 1;
    }
    ProgressBarDraw(&bar, dc);
    if (panel->settings.panelMode == PANEL_SHELL || panel->totalBytes == 0) return;
    wchar_t middle[300], free[64], total[64];
    InfoFreeSpaceText(panel, freeSpaceLine, middle, 300);
    lstrcpynW(free, FYX_FSK_GetFYXFormatValueShortString(panel->freeBytes), 64);
    lstrcpynW(total, FYX_FSK_GetFYXFormatValueShortString(panel->totalBytes), 64);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(dc, INFO_BLACK);
    RECT area = {bar.x + 3, bar.y, bar.x + bar.width - 3, bar.y + bar.height};
    DrawTextW(dc, middle, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    DrawTextW(dc, free, -1, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    DrawTextW(dc, total, -1, &area, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
}

void InfoDrawLine(HDC dc, const Panel* panel, const RECT* line, int kind, int hasLineAbove,
                  const wchar_t* freeSpaceLine)
{
    if (IsRectEmpty(line)) return;
    Fill(dc, line, GetSysColor(COLOR_BTNFACE));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = GetTextColor(dc);
    switch (kind) {
    case INFO_COUNTS: DrawCounts(dc, panel, line); break;
    case INFO_FILE_TYPE: DrawFileType(dc, panel, line); break;
    case INFO_FREE_SPACE: DrawFreeSpace(dc, panel, line, freeSpaceLine); break;
    default: break;
    }
    Line(dc, INFO_DARK_LINE, line->left, line->top, line->left, line->bottom);
    Line(dc, INFO_LIGHT_LINE, line->left, line->bottom - 1, line->right, line->bottom - 1);
    if (hasLineAbove) Line(dc, INFO_LIGHT_LINE, line->left, line->top, line->right, line->top);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

void InfoDrawPathLine(HDC dc, const Panel* panel, const RECT* line, const InfoPathLook* look)
{
    RECT box = {line->left, line->top, line->left + INFO_PATH_ICON_BOX, line->bottom};
    Fill(dc, &box, GetSysColor(COLOR_BTNFACE));
    if (look->icon) DrawIconEx(dc, box.left + 5, box.top + 1, look->icon, 16, 16, 0, NULL, DI_NORMAL);
    if (look->boxLook != INFO_BOX_FLAT) {
        COLORREF topLeft = look->boxLook == INFO_BOX_RAISED ? INFO_LIGHT_LINE : INFO_DARK_LINE;
        COLORREF bottomRight = look->boxLook == INFO_BOX_RAISED ? INFO_DARK_LINE : INFO_LIGHT_LINE;
        Line(dc, topLeft, box.left, box.bottom - 1, box.left, box.top);
        Line(dc, topLeft, box.left, box.top, box.right - 1, box.top);
        Line(dc, bottomRight, box.right - 1, box.top, box.right - 1, box.bottom - 1);
        Line(dc, bottomRight, box.left, box.bottom - 1, box.right, box.bottom - 1);
    }

    RECT field = {box.right, line->top, line->right, line->bottom};
    Fill(dc, &field, GetSysColor(look->active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    Line(dc, INFO_DARK_LINE, field.left, field.bottom - 1, field.left, field.top);
    Line(dc, INFO_DARK_LINE, field.left, field.top, field.right, field.top);
    Line(dc, INFO_LIGHT_LINE, field.left, field.bottom - 1, field.right, field.bottom - 1);

    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(dc, GetSysColor(look->active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    wchar_t path[PANEL_SHELL_PATH_CHARS + 8], free[64];
    InfoPathText(panel, path, PANEL_SHELL_PATH_CHARS + 8);
    InfoPathFreeText(panel, free, 64);
    int room = (line->right - line->left) - Width(dc, free) - 50;
    const wchar_t* cut = FYX_FSK_CutStringRightPixelsHdc(dc, path, room < 0 ? 0 : room);
    RECT text = {field.left + 5, field.top, field.right, field.bottom};
    DrawTextW(dc, cut ? cut : L"", -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (free[0]) {
        RECT right = {field.right - 232, field.top, field.right - 32, field.bottom};
        DrawTextW(dc, free, -1, &right, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}
