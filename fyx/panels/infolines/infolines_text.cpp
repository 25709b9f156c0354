// Texts and colours of the path line and the information lines.
#include <stdio.h>

#include "fsk.h"
#include "infolines.h"

uint32_t InfoDirectoryCount(const Panel* panel)
{
    uint32_t dirs = panel->dirCount > 0 ? (uint32_t)panel->dirCount : 0;
    if (dirs && !panel->pool.empty() && panel->pool[0] && (panel->pool[0]->flags & EF_PARENT)) --dirs;
    return dirs;
}

static void Piece(InfoPiece* p, const wchar_t* text, COLORREF color)
{
    lstrcpynW(p->text, text, 48);
    p->color = color;
}

static void Grouped(InfoPiece* p, unsigned long long value, COLORREF color)
{
    wchar_t digits[32];
    swprintf(digits, 32, L"%llu", value);
    Piece(p, FYX_FSK_ConvertSValueToSValueWithSpaces(digits), color);
}

static void Group(InfoGroup* g, COLORREF selectedColor, COLORREF allColor)
{
    Piece(&g->pieces[0], L"[", INFO_BLACK);
    g->pieces[1].color = selectedColor;
    Piece(&g->pieces[2], L",", INFO_BLACK);
    g->pieces[3].color = allColor;
    Piece(&g->pieces[4], L"]", INFO_BLACK);
}

static COLORREF CountColor(uint32_t selected, uint32_t all, COLORREF own)
{
    return all > 0 && selected >= all ? INFO_SELECTED : own;
}

void InfoCountsFromFigures(uint32_t selectedDirs, uint32_t dirs, uint32_t selectedFiles, uint32_t files,
                           uint64_t selectedBytes, uint64_t listedBytes, InfoCounts* out)
{
    Group(&out->directories, selectedDirs ? INFO_SELECTED : INFO_BLACK, CountColor(selectedDirs, dirs, INFO_DIRECTORIES));
    Grouped(&out->directories.pieces[1], selectedDirs, out->directories.pieces[1].color);
    Grouped(&out->directories.pieces[3], dirs, out->directories.pieces[3].color);

    Group(&out->files, selectedFiles ? INFO_SELECTED : INFO_BLACK, CountColor(selectedFiles, files, INFO_FILES));
    Grouped(&out->files.pieces[1], selectedFiles, out->files.pieces[1].color);
    Grouped(&out->files.pieces[3], files, out->files.pieces[3].color);

    int allBytes = files > 0 && selectedFiles >= files;
    Group(&out->bytes, selectedBytes ? INFO_SELECTED : INFO_BLACK, allBytes ? INFO_SELECTED : INFO_BLACK);
    Piece(&out->bytes.pieces[1], FYX_FSK_GetFYXFormatValueShortString(selectedBytes), out->bytes.pieces[1].color);
    Piece(&out->bytes.pieces[3], FYX_FSK_GetFYXFormatValueShortString(listedBytes), out->bytes.pieces[3].color);
}

void InfoCountsFromPanel(const Panel* panel, InfoCounts* out)
{
    InfoCountsFromFigures(panel->selectedDirs, InfoDirectoryCount(panel), panel->selectedFiles,
                          panel->fileCount > 0 ? (uint32_t)panel->fileCount : 0, panel->selectedBytes,
                          panel->listedBytes, out);
}

void InfoPathText(const Panel* panel, wchar_t* out, int chars)
{
    if (panel->settings.panelMode == PANEL_SHELL) {
        const wchar_t* path = panel->shellDisplayPath;
        int end = lstrlenW(path);
        while (end > 0 && path[end - 1] == L'\\') --end;
        int start = end;
        while (start > 0 && path[start - 1] != L'\\') --start;
        wchar_t last[PANEL_SHELL_PATH_CHARS];
        lstrcpynW(last, path + start, end - start + 1);
        swprintf(out, chars, L"\\\\%ls\\*.*", last);
        return;
    }
    lstrcpynW(out, panel->currentPath, chars);
    if (out[0] >= L'A' && out[0] <= L'Z') out[0] = (wchar_t)(out[0] - L'A' + L'a');
}

void InfoPathFreeText(const Panel* panel, wchar_t* out, int chars)
{
    out[0] = 0;
    if (panel->settings.panelMode == PANEL_FILESYSTEM)
        lstrcpynW(out, FYX_FSK_GetFYXFormatValueShortString(panel->freeBytes), chars);
}

double InfoFreePercent(const Panel* panel)
{
    if (panel->settings.panelMode == PANEL_SHELL || panel->totalBytes == 0) return 0;
    return (double)panel->freeBytes * 100.0 / (double)panel->totalBytes;
}

void InfoFreeSpaceText(const Panel* panel, const wchar_t* freeSpaceLine, wchar_t* out, int chars)
{
    out[0] = 0;
    if (panel->settings.panelMode == PANEL_SHELL) return;
    wchar_t free[64];
    lstrcpynW(free, FYX_FSK_GetFYXFormatValueShortString(panel->freeBytes), 64);
    wchar_t line[256];
    // The language line holds one %s; anything else in it is shown as text.
    const wchar_t* format = freeSpaceLine ? freeSpaceLine : L" (%s) free space";
    const wchar_t* at = wcsstr(format, L"%s");
    if (at)
        swprintf(line, 256, L"%.*ls%ls%ls", (int)(at - format), format, free, at + 2);
    else
        lstrcpynW(line, format, 256);
    swprintf(out, chars, L"%1.0f%% %ls", InfoFreePercent(panel), line);
}

const wchar_t* InfoCursorTypeText(const Panel* panel)
{
    if (panel->cursor < 0 || panel->cursor >= (int)panel->view.size()) return L"";
    const PanelEntry* e = panel->view[panel->cursor];
    return e && e->typeText ? e->typeText : L"";
}
