// Column layout and row texts. Nothing here measures an entry: the widths
// come from the measurements taken while reading.
#include "paint_columns.h"

#include <string.h>
#include <wchar.h>

namespace {

int TextWidth(HDC dc, const wchar_t* text) {
    SIZE size = {0, 0};
    if (text) GetTextExtentPoint32W(dc, text, (int)wcslen(text), &size);
    return size.cx;
}

void CopyCut(wchar_t* out, size_t capacity, const wchar_t* text, size_t length) {
    if (length >= capacity) length = capacity - 1;
    wmemcpy(out, text, length);
    out[length] = 0;
}

}  // namespace

void PaintMeasureColumnBasis(HDC dc, const wchar_t* const titles[COLUMN_COUNT],
                             const wchar_t* commentTitle, PanelColumnBasis* out) {
    out->gap = TextWidth(dc, L"  ");
    out->dateText = TextWidth(dc, L"00.00.0000");
    out->timeText = TextWidth(dc, L"55:55:55");
    out->attributeText = TextWidth(dc, L"AHRSC");
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    out->nameTitle = TextWidth(dc, titles[COLUMN_NAME]);
    out->extTitle = TextWidth(dc, titles[COLUMN_EXT]);
    out->dosNameTitle = TextWidth(dc, titles[COLUMN_DOS_NAME]);
    out->sizeTitle = TextWidth(dc, titles[COLUMN_SIZE]);
    out->typeTitle = TextWidth(dc, titles[COLUMN_TYPE]);
    out->commentTitle = TextWidth(dc, commentTitle);
    out->dateTitle = TextWidth(dc, titles[COLUMN_DATE]);
    out->timeTitle = TextWidth(dc, titles[COLUMN_TIME]);
    SelectObject(dc, old);
}

void PaintLayOutColumns(const ColumnMeasure* m, const PanelSettings* s, const PanelColumnBasis* b,
                        PanelColumns* out) {
    ZeroMemory(out, sizeof(*out));
    int shell = s->panelMode == PANEL_SHELL;
    int* shown = out->shown;
    shown[COLUMN_NAME] = 1;
    shown[COLUMN_EXT] = !shell && s->showExt == 1;
    shown[COLUMN_DOS_NAME] = !shell && s->showDosName == 1;
    shown[COLUMN_SIZE] = s->showSize == 1;
    shown[COLUMN_TYPE] = shell || s->showType == 1;
    shown[COLUMN_DATE] = !shell && s->showDate == 1;
    shown[COLUMN_TIME] = !shell && s->showTime == 1;
    shown[COLUMN_ATTRIBUTES] = !shell && s->showAttributes == 1;

    int* w = out->width;
    w[COLUMN_NAME] = m->nameMax;
    int nameMin = shown[COLUMN_EXT] ? 35 : 75;
    if (w[COLUMN_NAME] < nameMin) w[COLUMN_NAME] = nameMin;
    if (shown[COLUMN_EXT]) {
        w[COLUMN_EXT] = m->extMax;
        if (w[COLUMN_EXT] != 0 && w[COLUMN_EXT] < 40) w[COLUMN_EXT] = 40;
    }
    if (shown[COLUMN_DOS_NAME]) {
        w[COLUMN_DOS_NAME] = m->dosMax;
        if (w[COLUMN_DOS_NAME] != 0 && w[COLUMN_DOS_NAME] < b->dosNameTitle)
            w[COLUMN_DOS_NAME] = b->dosNameTitle + 5;
    }
    if (shown[COLUMN_SIZE]) {
        w[COLUMN_SIZE] = shell ? b->sizeTitle : (m->sizeMax < 60 ? 60 : m->sizeMax);
        if (w[COLUMN_SIZE] < b->sizeTitle + 5) w[COLUMN_SIZE] = b->sizeTitle + 15;
    }
    if (shown[COLUMN_TYPE]) {
        int title = s->panelMode == PANEL_FILESYSTEM ? b->typeTitle : b->commentTitle;
        w[COLUMN_TYPE] = m->typeMax;
        if (w[COLUMN_TYPE] != 0 && w[COLUMN_TYPE] < title) w[COLUMN_TYPE] = title + 5;
    }
    if (shown[COLUMN_DATE]) w[COLUMN_DATE] = b->dateText;
    if (shown[COLUMN_TIME]) w[COLUMN_TIME] = b->timeText + 3;
    if (shown[COLUMN_ATTRIBUTES]) w[COLUMN_ATTRIBUTES] = b->attributeText;

    const int g = b->gap;
    out->x[COLUMN_NAME] = COLUMN_NAME_X;
    int x = COLUMN_NAME_X + w[COLUMN_NAME];
    const PanelColumn spaced[] = {COLUMN_EXT, COLUMN_DOS_NAME};
    for (PanelColumn c : spaced)
        if (shown[c] && w[c] != 0) {
            out->x[c] = x + g;
            x += g + w[c];
        }
    if (shown[COLUMN_SIZE]) {
        out->x[COLUMN_SIZE] = x + g;
        out->sizeRight = x + g + w[COLUMN_SIZE];
        x = out->sizeRight;
    }
    if (shown[COLUMN_TYPE] && w[COLUMN_TYPE] != 0) {
        out->x[COLUMN_TYPE] = x + g;
        x += g + w[COLUMN_TYPE];
    }
    if (shown[COLUMN_DATE]) {
        out->x[COLUMN_DATE] = x + g;
        x += g + w[COLUMN_DATE];
    }
    if (shown[COLUMN_TIME]) {
        out->x[COLUMN_TIME] = x + 5;
        x += 5 + w[COLUMN_TIME];
    }
    if (shown[COLUMN_ATTRIBUTES]) {
        out->x[COLUMN_ATTRIBUTES] = x + g;
        x += w[COLUMN_ATTRIBUTES] + 2 * g;
    }
    out->total = x + g;
}

void PaintRowTexts(const PanelSettings* s, const PanelEntry* e, PanelRowTexts* out) {
    ZeroMemory(out, sizeof(*out));
    const wchar_t* name = e->name ? e->name : L"";
    size_t length = wcslen(name);
    int directory = (e->flags & EF_DIRECTORY) != 0;
    int shell = s->panelMode == PANEL_SHELL;

    if (shell) {
        CopyCut(out->name, PANEL_PATH_CHARS, name, length);
    } else {
        int dot = (!directory && s->showExt == 1) ? PanelExtensionDot(name, length) : -1;
        if (dot >= 0) {
            CopyCut(out->name, PANEL_PATH_CHARS, name, (size_t)dot);
            CopyCut(out->ext, PANEL_PATH_CHARS, name + dot + 1, length - dot - 1);
        } else {
            CopyCut(out->name, PANEL_PATH_CHARS, name, length);
        }
        int nameCase = directory ? s->dirCase : s->fileCase;
        PanelApplyNameCase(out->name, nameCase);
        PanelApplyNameCase(out->ext, nameCase);
    }

    if (shell) {
        if (directory) wcscpy(out->size, L"DIR");
    } else if (e->flags & EF_PARENT) {
        wcscpy(out->size, L"DIR");
    } else if (directory) {
        // Directory sizes are computed later, so their text is made here.
        if (e->flags & EF_SIZE_KNOWN)
            PanelFormatSizeText(e->size, s->sizeFormat, out->size);
        else
            wcscpy(out->size, L"DIR");
    } else if (e->sizeText) {
        CopyCut(out->size, PANEL_SIZE_TEXT_CHARS, e->sizeText, wcslen(e->sizeText));
    }

    size_t dateLength = wcsnlen(e->dateText, PANEL_DATE_CHARS);
    if (dateLength >= 10) CopyCut(out->date, 11, e->dateText, 10);
    if (dateLength >= 20) CopyCut(out->time, 10, e->dateText + 11, 9);
    if (dateLength > 22) CopyCut(out->attributes, 8, e->dateText + 22, dateLength - 22);
}
