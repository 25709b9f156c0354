// The drawn parts of the main window over its life: made with the window,
// renewed when settings, system colours or the panel font change.
#include <string.h>

#include "paint_colors.h"
#include "paint_icons.h"
#include "view.h"

FyxView g_view;

namespace {

// Toolbar groups: refresh | panel directories | selection | files and archives.
const int kToolbarGroupStarts[] = {1, 4, 6};

bool StartsToolbarGroup(int index) {
    for (int start : kToolbarGroupStarts)
        if (start == index) return true;
    return false;
}

void SetUpButtonBars() {
    IconBarInit(&g_view.toolbar, 4, 2);
    for (int i = 0; i < TOOLBAR_BUTTONS; ++i)
        IconBarAdd(&g_view.toolbar, g_app.toolbarIcons[i], i, 0, StartsToolbarGroup(i));
    for (int side = 0; side < 2; ++side) {
        IconBarInit(&g_view.panelButtons[side], 0, 0);  // placed by the arrangement
        for (int i = 0; i < PANEL_BUTTONS; ++i)
            IconBarAdd(&g_view.panelButtons[side], g_app.panelButtonIcons[i], i, side, 0);
    }
}

void SetFunctionKeyCaptions() {
    for (int i = 0; i < FUNCTION_KEYS; ++i) {
        FunctionKeyButton* key = &g_view.functionKeys[i];
        key->icon = g_app.functionKeyIcons[i];
        wcsncpy(key->caption, LanguageLine(&g_app.language, 8 + i), 63);
        key->caption[63] = 0;
    }
}

LOGFONTW DefaultPanelFont() {
    LOGFONTW font = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    return font;
}

// Widths of the titles and fixed texts, measured with the panel font.
void MeasureColumnBasis() {
    const wchar_t* titles[COLUMN_COUNT];
    for (int i = 0; i < COLUMN_COUNT; ++i) titles[i] = LanguageLine(&g_app.language, i);
    PanelColumnBasis basis;
    PaintMeasureColumnBasis(g_view.surfaces.list.dc, titles, LanguageLine(&g_app.language, 302), &basis);
    PaintSetColumnBasis(&basis);
}

void LoadColors(ColorProfile* profile) {
    PaintLoadColorProfile(g_app.config.ColorProfileFile, g_app.programFolder, profile);
}

void StartPictures(HWND window) {
    const ConfigRecord& c = g_app.config;
    const uint32_t modes[2] = {c.LeftPictureMode, c.RightPictureMode};
    const wchar_t* files[2] = {c.LeftPictureFile, c.RightPictureFile};
    const uint32_t periods[2] = {c.LeftPicturePeriod, c.RightPicturePeriod};
    for (int side = 0; side < 2; ++side) {
        KillTimer(window, 9 + side);
        PaintStartPicture(&g_view.pictures[side], &g_view.surfaces, side, (int)modes[side], files[side],
                          g_view.colors.background);
        if (modes[side] == PICTURE_EVERY_FILE && periods[side] > 0 && g_view.pictures[side].files.size() > 1)
            SetTimer(window, 9 + side, periods[side] * 60000u, NULL);
    }
}

void LayOutPanelColumns() {
    for (Panel* panel : g_app.panels)
        if (panel) PaintPanelColumnLayout(panel);
}

void CreateCommandLineFont() {
    LOGFONTW font = {};
    font.lfHeight = -11;
    font.lfWeight = 400;
    font.lfCharSet = 238;
    font.lfOutPrecision = 3;
    font.lfClipPrecision = 2;
    font.lfQuality = 1;
    font.lfPitchAndFamily = 0x22;
    wcscpy(font.lfFaceName, L"Microsoft Sans Serif");
    g_view.commandLineFont = CreateFontIndirectW(&font);
    SendMessageW(g_view.commandEdit, WM_SETFONT, (WPARAM)g_view.commandLineFont, FALSE);
}

void CreateTitleSurface() {
    PaintSurface& t = g_view.titleRow;
    HDC screen = GetDC(NULL);
    t.dc = CreateCompatibleDC(screen);
    t.bitmap = CreateCompatibleBitmap(screen, GetSystemMetrics(SM_CXSCREEN), TITLE_SURFACE_HEIGHT);
    ReleaseDC(NULL, screen);
    if (t.dc && t.bitmap) {
        t.oldBitmap = SelectObject(t.dc, t.bitmap);
        return;
    }
    if (t.bitmap) DeleteObject(t.bitmap);
    if (t.dc) DeleteDC(t.dc);
    t = PaintSurface{};
    // No titles, no panels: the window paints its plain face.
    PaintReleaseSurfaces(&g_view.surfaces);
    g_view.surfacesReady = 0;
}

void ReleaseTitleSurface() {
    PaintSurface& t = g_view.titleRow;
    if (!t.dc) return;
    SelectObject(t.dc, t.oldBitmap);
    DeleteObject(t.bitmap);
    DeleteDC(t.dc);
    t = PaintSurface{};
}

}  // namespace

void ViewCreate(HWND window) {
    g_view.verticalBars[0] = GetDlgItem(window, ID_LEFT_VERTICAL_BAR);
    g_view.verticalBars[1] = GetDlgItem(window, ID_RIGHT_VERTICAL_BAR);
    g_view.horizontalBars[0] = GetDlgItem(window, ID_LEFT_HORIZONTAL_BAR);
    g_view.horizontalBars[1] = GetDlgItem(window, ID_RIGHT_HORIZONTAL_BAR);
    g_view.commandEdit = GetDlgItem(window, ID_COMMAND_EDIT);
    g_view.repeatParentButton = GetDlgItem(window, ID_REPEAT_PARENT);
    g_view.iconWindows[0] = FindWindowExW(window, NULL, L"lwid", NULL);
    g_view.iconWindows[1] = FindWindowExW(window, NULL, L"rwid", NULL);
    for (int side = 0; side < 2; ++side) {
        PanelPaintState* state = PaintStateOf(side);
        state->verticalBar = g_view.verticalBars[side];
        state->horizontalBar = g_view.horizontalBars[side];
        state->hotTitle = PANEL_TITLE_NONE;
        if (g_app.panels[side]) g_app.panels[side]->columnLayout = PaintPanelColumnLayout;
    }

    LayoutReadSystemColors(&g_view.system);
    LoadColors(&g_view.profile);
    g_view.colors = PaintColorsFromProfile(&g_view.profile, g_view.system.window);
    LOGFONTW font = DefaultPanelFont();
    g_view.surfacesReady = PaintCreateSurfaces(&g_view.surfaces, &font, &g_view.colors, 0, 0) == 0;
    if (g_view.surfacesReady) {
        MeasureColumnBasis();
        CreateTitleSurface();
    }

    g_view.sortAscending =
        (HICON)LoadImageW(g_app.instance, MAKEINTRESOURCEW(IDI_SORT_ASCENDING), IMAGE_ICON, 16, 16, 0);
    g_view.sortDescending =
        (HICON)LoadImageW(g_app.instance, MAKEINTRESOURCEW(IDI_SORT_DESCENDING), IMAGE_ICON, 16, 16, 0);
    DriveBarSetGenericIcon(DriveBarLoadGenericIcon(g_app.instance));
    DriveBarInit(&g_view.driveBars[0], 0, DRIVE_BAR_FILLS, NULL, window);
    DriveBarInit(&g_view.driveBars[1], 1, DRIVE_BAR_FILLS + 1, &g_view.driveBars[0], window);
    ViewRebuildDriveBars();
    SetUpButtonBars();
    SetFunctionKeyCaptions();
    SplitterReset(&g_view.splitter);
    CreateCommandLineFont();
    if (g_view.surfacesReady) StartPictures(window);
}

void ViewDestroy() {
    for (DriveBar& bar : g_view.driveBars) DriveBarDestroyIcons(&bar);
    if (g_view.surfacesReady) PaintReleaseSurfaces(&g_view.surfaces);
    g_view.surfacesReady = 0;
    ReleaseTitleSurface();
    ViewReleaseBackBuffer();
    for (HICON* icon : {&g_view.sortAscending, &g_view.sortDescending}) {
        if (*icon) DestroyIcon(*icon);
        *icon = NULL;
    }
    if (g_view.commandLineFont) DeleteObject(g_view.commandLineFont);
    g_view.commandLineFont = NULL;
    // Shutdown: the window and its menu go right after.
    if (g_view.menuBrush) DeleteObject(g_view.menuBrush);
    g_view.menuBrush = NULL;
    for (PanelPicture& picture : g_view.pictures) picture = PanelPicture{};
}

void ViewTakeSettings(HWND window) {
    ColorProfile fresh;
    LoadColors(&fresh);
    if (PaintTakeColorProfile(&g_view.profile, &fresh)) {
        g_view.colors = PaintColorsFromProfile(&g_view.profile, g_view.system.window);
        if (g_view.surfacesReady) PaintApplyColors(&g_view.surfaces, &g_view.colors);
    }
    if (g_view.surfacesReady) StartPictures(window);
    SetFunctionKeyCaptions();
    if (g_view.surfacesReady) MeasureColumnBasis();
    LayOutPanelColumns();
    ViewPlaceCommandLine(window);
}

void ViewSystemColorsChanged(HWND window) {
    LayoutReadSystemColors(&g_view.system);
    g_view.colors = PaintColorsFromProfile(&g_view.profile, g_view.system.window);
    if (g_view.surfacesReady) PaintApplyColors(&g_view.surfaces, &g_view.colors);

    // The menu background follows the 3D face colour.
    HBRUSH fresh = CreateSolidBrush(g_view.system.face);
    MENUINFO info = {sizeof(info), MIM_BACKGROUND};
    info.hbrBack = fresh;
    if (GetMenu(window) && SetMenuInfo(GetMenu(window), &info)) {
        if (g_view.menuBrush) DeleteObject(g_view.menuBrush);
        g_view.menuBrush = fresh;
        DrawMenuBar(window);
    } else {
        DeleteObject(fresh);
    }
    InvalidateRect(window, NULL, FALSE);
}

void ViewRebuildDriveBars() {
    DriveBarFill(&g_view.driveBars[0]);
    DriveBarFill(&g_view.driveBars[1]);
    ViewMarkDrives();
}

void ViewMarkDrives() {
    for (int side = 0; side < 2; ++side) {
        const Panel* panel = g_app.panels[side];
        if (!panel) continue;
        if (panel->settings.panelMode == PANEL_SHELL)
            DriveBarMarkPath(&g_view.driveBars[side], panel->shellParsingPath);
        else
            DriveBarMarkPath(&g_view.driveBars[side], panel->currentPath);
    }
}

int ViewChoosePanelFont(HWND window) {
    if (!g_view.surfacesReady) return 1;
    if (PaintChoosePanelFont(window, &g_view.surfaces, &g_view.colors) != 0) return 1;
    MeasureColumnBasis();
    // Entries are measured while reading: read again so the columns follow the font.
    for (Panel* panel : g_app.panels)
        if (panel) PanelRefresh(panel);
    LayOutPanelColumns();
    InvalidateRect(window, NULL, FALSE);
    return 0;
}

void ViewNextPicture(HWND window, int side) {
    if (!g_view.surfacesReady) return;
    if (PaintNextPicture(&g_view.pictures[side], &g_view.surfaces, side, g_view.colors.background) == 0)
        InvalidateRect(window, NULL, FALSE);
}
