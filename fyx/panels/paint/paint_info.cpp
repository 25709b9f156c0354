// Counts line: "[selected,all]" for directories, files and bytes.
#include "paint_info.h"

#include <wchar.h>

#include "panel_format.h"

namespace {

int Width(HDC dc, const wchar_t* text) {
    SIZE s = {0, 0};
    GetTextExtentPoint32W(dc, text, (int)wcslen(text), &s);
    return s.cx;
}

struct Group {
    wchar_t selected[PANEL_SIZE_TEXT_CHARS];
    COLORREF selectedColor;
    wchar_t all[PANEL_SIZE_TEXT_CHARS];
    COLORREF allColor;
};

void Add(InfoPiece* out, int* n, const wchar_t* text, COLORREF color, int x) {
    InfoPiece& p = out[(*n)++];
    wcsncpy(p.text, text, 39);
    p.text[39] = 0;
    p.color = color;
    p.x = x;
}

int GroupWidth(HDC dc, const Group& g) {
    return 8 + Width(dc, g.selected) + 5 + 8 + Width(dc, g.all) + 5 + Width(dc, L"]");
}

// "[", 8 on, the selected part, 5 on ",", 8 on the whole part, 5 on "]".
int PlaceGroup(HDC dc, const Group& g, int x, InfoPiece* out, int* n) {
    Add(out, n, L"[", INFO_PLAIN, x);
    x += 8;
    Add(out, n, g.selected, g.selectedColor, x);
    x += Width(dc, g.selected) + 5;
    Add(out, n, L",", INFO_PLAIN, x);
    x += 8;
    Add(out, n, g.all, g.allColor, x);
    x += Width(dc, g.all) + 5;
    Add(out, n, L"]", INFO_PLAIN, x);
    return x + Width(dc, L"]");
}

COLORREF CountColor(uint64_t count, uint64_t selected, COLORREF own) {
    if (count == 0) return INFO_PLAIN;
    return selected == count ? INFO_SELECTED : own;
}

}  // namespace

int PaintCountsPieces(HDC dc, const Panel* panel, int lineWidth, InfoPiece out[INFO_PIECES]) {
    int total = 0;
    PanelEntry* const* view = PanelView(panel, &total);
    uint32_t dirs = (uint32_t)panel->dirCount;
    if (dirs > 0 && total > 0 && (view[0]->flags & EF_PARENT)) dirs--;
    uint32_t files = (uint32_t)panel->fileCount;

    Group d, f, b;
    PanelFormatSizeText(panel->selectedDirs, 0, d.selected);
    d.selectedColor = panel->selectedDirs ? INFO_SELECTED : INFO_PLAIN;
    PanelFormatSizeText(dirs, 0, d.all);
    d.allColor = CountColor(dirs, panel->selectedDirs, INFO_DIRECTORIES);
    PanelFormatSizeText(panel->selectedFiles, 0, f.selected);
    f.selectedColor = panel->selectedFiles ? INFO_SELECTED : INFO_PLAIN;
    PanelFormatSizeText(files, 0, f.all);
    f.allColor = CountColor(files, panel->selectedFiles, INFO_FILES);
    PanelFormatSizeText(panel->selectedBytes, 1, b.selected);
    b.selectedColor = panel->selectedBytes ? INFO_SELECTED : INFO_PLAIN;
    PanelFormatSizeText(panel->listedBytes, 1, b.all);
    b.allColor = files && panel->selectedFiles == files ? INFO_SELECTED : INFO_PLAIN;

    int n = 0;
    int x = PlaceGroup(dc, d, 5, out, &n);
    PlaceGroup(dc, f, x + 10, out, &n);
    PlaceGroup(dc, b, lineWidth - 5 - GroupWidth(dc, b), out, &n);
    return n;
}

void PaintCountsLine(HDC target, const RECT* line, const Panel* panel) {
    int w = line->right - line->left, h = line->bottom - line->top;
    if (w <= 0 || h <= 0) return;
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, w, h);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    RECT all = {0, 0, w, h};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    InfoPiece pieces[INFO_PIECES];
    int n = PaintCountsPieces(dc, panel, w, pieces);
    for (int i = 0; i < n; i++) {
        SetTextColor(dc, pieces[i].color);
        TextOutW(dc, pieces[i].x, 3, pieces[i].text, (int)wcslen(pieces[i].text));
    }
    SelectObject(dc, oldFont);
    BitBlt(target, line->left, line->top, w, h, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}
