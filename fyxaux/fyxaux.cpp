// Per-process state of the support library, its set-up and its version.
#include "fyxaux.h"
#include "fyxaux_state.h"

namespace {

// Long enough for a whole language line and for any path this library returns.
wchar_t g_returnText[512];
HWND g_mainWindow;

}  // namespace

HWND FyxAuxMainWindow(void) { return g_mainWindow; }

const wchar_t* FyxAuxReturnText(const wchar_t* text) {
    lstrcpynW(g_returnText, text ? text : L"", ARRAYSIZE(g_returnText));
    return g_returnText;
}

FYXFYX_API BOOL FYXFYX_Initialize(HWND* mainWindow) {
    if (!mainWindow) return FALSE;
    g_mainWindow = *mainWindow;
    return TRUE;
}

FYXFYX_API const wchar_t* FYXFYX_GetVersion(void) { return FyxAuxReturnText(L"1.00"); }
