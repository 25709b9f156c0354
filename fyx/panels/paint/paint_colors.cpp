// Colour profile loading and the panel colours drawn from it.
#include "paint_colors.h"

#include <string.h>
#include <wchar.h>

void PaintLoadColorProfile(const wchar_t* name, const wchar_t* programFolder, ColorProfile* out) {
    ZeroMemory(out, sizeof(*out));
    if (!name) name = L"";
    if (wcscmp(name, L"Default") == 0) {
        PREFS_LoadColorProfileDefault(out);
        return;
    }
    if (wcscmp(name, L"Default2") == 0) {
        PREFS_LoadColorProfileDefault2(out);
        return;
    }
    wchar_t path[MAX_PATH];
    size_t folder = programFolder ? wcslen(programFolder) : 0;
    int needSlash = folder > 0 && programFolder[folder - 1] != L'\\' && programFolder[folder - 1] != L'/';
    // A name that would not fit is not cut into some other file's name.
    if (name[0] && folder + needSlash + wcslen(name) < MAX_PATH) {
        wcscpy(path, folder ? programFolder : L"");
        if (needSlash) wcscat(path, L"\\");
        wcscat(path, name);
        PREFS_LoadColorProfile(out, path);
    }
    if (out->loaded == 0) {
        ZeroMemory(out, sizeof(*out));
        PREFS_LoadColorProfileDefault(out);
    }
}

PanelColors PaintColorsFromProfile(const ColorProfile* profile, COLORREF systemWindowColor) {
    const ColorSlot* s = profile->slots;
    PanelColors c;
    c.background = s[PANEL_COLOR_BACKGROUND].flag == 1 ? systemWindowColor : s[PANEL_COLOR_BACKGROUND].color;
    c.directory = s[PANEL_COLOR_DIRECTORY].color;
    c.file = s[PANEL_COLOR_FILE].color;
    c.cursorRectangle = s[PANEL_COLOR_CURSOR_RECTANGLE].color;
    c.cursorFull = s[PANEL_COLOR_CURSOR_FULL].color;
    c.inverse = s[PANEL_COLOR_INVERSE].color;
    c.focusedFull = s[PANEL_COLOR_FOCUSED_FULL].color;
    c.focusedRectangle = s[PANEL_COLOR_FOCUSED_RECTANGLE].color;
    return c;
}

int PaintTakeColorProfile(ColorProfile* inUse, const ColorProfile* fresh) {
    // The slots decide; the name is only shown by the options program.
    if (inUse->loaded == fresh->loaded &&
        memcmp(inUse->slots, fresh->slots, sizeof(inUse->slots)) == 0)
        return 0;
    *inUse = *fresh;
    return 1;
}
