// Arrangement of the main window's client area.
#include "layout_geometry.h"

#include "paint_geometry.h"

void LayoutFunctionKeyRow(int clientWidth, int top, FunctionKeyRow* row)
{
    row->top = top;
    row->lowerLineY = top + LAYOUT_FKEY_LINE_GAP;
    SetRect(&row->leftBar, 0, top + 2, 2, top + 2 + LAYOUT_FKEY_BUTTON_HEIGHT);
    int width = (clientWidth - 16) / LAYOUT_FKEY_COUNT;
    if (width < 0) width = 0;
    int x = 2;
    for (int i = 0; i < LAYOUT_FKEY_COUNT; ++i) {
        int w = width;
        if (i == LAYOUT_FKEY_COUNT - 1) {
            w = clientWidth - 3 - x;
            if (w < 0) w = 0;
        }
        SetRect(&row->buttons[i], x, top + 2, x + w, top + 2 + LAYOUT_FKEY_BUTTON_HEIGHT);
        SetRect(&row->separators[i], x + w, top + 2, x + w + 2, top + 2 + LAYOUT_FKEY_BUTTON_HEIGHT);
        x += w + 2;
    }
}

int LayoutFunctionKeyRowTop(int bandTop, int showCommandLine)
{
    return showCommandLine == 1 ? bandTop + LAYOUT_COMMAND_ROW_STEP : bandTop;
}

void LayoutArrange(int clientWidth, int clientHeight, double leftPercent, int showCommandLine, MainLayout* out)
{
    *out = MainLayout{};
    out->clientWidth = clientWidth;
    out->clientHeight = clientHeight;
    out->showCommandLine = showCommandLine == 1;
    SetRect(&out->toolbar, 0, 0, clientWidth, LAYOUT_TOOLBAR_HEIGHT);

    // The function-key row stays at the bottom edge; without the command
    // line the panels take its room.
    int rowTop = clientHeight - LAYOUT_FKEY_ROW_HEIGHT;
    int bandTop = out->showCommandLine ? rowTop - LAYOUT_COMMAND_ROW_STEP : rowTop;
    if (bandTop < LAYOUT_PANEL_TOP) bandTop = LAYOUT_PANEL_TOP;
    out->panelsBottom = bandTop;
    if (out->showCommandLine)
        SetRect(&out->commandBand, 0, bandTop, clientWidth, bandTop + LAYOUT_COMMAND_BAND_HEIGHT);
    LayoutFunctionKeyRow(clientWidth, LayoutFunctionKeyRowTop(bandTop, showCommandLine), &out->keys);

    out->split = PaintSplitX(clientWidth, leftPercent);
    SetRect(&out->panels[0], LAYOUT_PANEL_LEFT, LAYOUT_PANEL_TOP, out->split, bandTop);
    SetRect(&out->panels[1], out->split + LAYOUT_SPLITTER_GAP, LAYOUT_PANEL_TOP, clientWidth - LAYOUT_SPLITTER_GAP,
            bandTop);
    for (int i = 0; i < 2; ++i)
        SetRect(&out->driveBands[i], out->panels[i].left, LAYOUT_PANEL_TOP - LAYOUT_DRIVE_BAND_ABOVE,
                out->panels[i].right, LAYOUT_PANEL_TOP - LAYOUT_DRIVE_BAND_ABOVE + LAYOUT_DRIVE_BAND_HEIGHT);
}
