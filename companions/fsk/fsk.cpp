// Library start and version.
#include "fsk.h"

FYX_FSK_API BOOL FYX_FSK_Initialize(void) {
    // Every width is measured on a memory DC in the default GUI font: check both exist.
    HDC dc = CreateCompatibleDC(NULL);
    if (!dc) return FALSE;
    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    bool ready = font != NULL && SelectObject(dc, font) != NULL;
    DeleteDC(dc);
    return ready ? TRUE : FALSE;
}

FYX_FSK_API const wchar_t* FYX_FSK_GetVersion(void) { return L"1.0"; }
