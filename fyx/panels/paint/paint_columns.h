// Column widths and positions of a panel, from the widths measured while
// reading; and the texts each column shows for an entry.
#pragma once

#include <windows.h>

#include "panel.h"
#include "panel_format.h"

enum PanelColumn {
    COLUMN_NAME = 0,
    COLUMN_EXT,
    COLUMN_DOS_NAME,
    COLUMN_SIZE,
    COLUMN_TYPE,
    COLUMN_DATE,
    COLUMN_TIME,
    COLUMN_ATTRIBUTES,
    COLUMN_COUNT,
};

// Widths that do not depend on the entries: the titles in the default GUI
// font, the fixed texts and the gap ("  ") in the panel font.
struct PanelColumnBasis {
    int nameTitle, extTitle, dosNameTitle, sizeTitle, typeTitle, commentTitle, dateTitle, timeTitle;
    int gap;
    int dateText;  // "00.00.0000"
    int timeText;  // "55:55:55"
    int attributeText;  // "AHRSC"
};

struct PanelColumns {
    int shown[COLUMN_COUNT];
    int width[COLUMN_COUNT];
    int x[COLUMN_COUNT];  // left edge, relative to the list, before scrolling
    int sizeRight;        // sizes are right-aligned to it
    int total;
};

const int COLUMN_ICON_X = 3;
const int COLUMN_NAME_X = 21;
const int COLUMN_TEXT_INSET = 5;

// Measures the basis: titles with the default GUI font, the rest with the font
// selected into dc.
void PaintMeasureColumnBasis(HDC dc, const wchar_t* const titles[COLUMN_COUNT],
                             const wchar_t* commentTitle, PanelColumnBasis* out);
void PaintLayOutColumns(const ColumnMeasure* measured, const PanelSettings* settings,
                        const PanelColumnBasis* basis, PanelColumns* out);

// The texts of one row, in the panel's cases.
struct PanelRowTexts {
    wchar_t name[PANEL_PATH_CHARS];
    wchar_t ext[PANEL_PATH_CHARS];
    wchar_t size[PANEL_SIZE_TEXT_CHARS];
    wchar_t date[11];
    wchar_t time[10];
    wchar_t attributes[8];
};
void PaintRowTexts(const PanelSettings* settings, const PanelEntry* entry, PanelRowTexts* out);
