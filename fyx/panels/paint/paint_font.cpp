// Row metrics from the panel font, and the font dialog.
#include "paint_font.h"

#include <commdlg.h>

PanelRowMetrics PaintRowMetricsForHeight(int textHeight) {
    PanelRowMetrics m;
    m.textHeight = textHeight;
    if (textHeight >= 16) {
        m.rowHeight = textHeight + 1;
        m.firstRowOffset = 0;
        m.iconOffset = (textHeight - 15) / 2;
    } else {
        m.rowHeight = 17;
        m.firstRowOffset = (17 - textHeight) / 2;
        m.iconOffset = 0;
    }
    return m;
}

int PaintRowMetricsForFont(const LOGFONTW* font, PanelRowMetrics* out) {
    HFONT made = CreateFontIndirectW(font);
    if (!made) return 1;
    HDC screen = GetDC(NULL);
    HGDIOBJ old = SelectObject(screen, made);
    TEXTMETRICW tm;
    BOOL ok = GetTextMetricsW(screen, &tm);
    SelectObject(screen, old);
    ReleaseDC(NULL, screen);
    DeleteObject(made);
    if (!ok) return 1;
    *out = PaintRowMetricsForHeight(tm.tmHeight);
    return 0;
}

int PaintAskPanelFont(HWND owner, LOGFONTW* font) {
    LOGFONTW copy = *font;
    CHOOSEFONTW choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.lpLogFont = &copy;
    choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontW(&choose)) return 1;
    *font = copy;
    return 0;
}
