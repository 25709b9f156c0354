// Messages shown for a while in the main window's title bar.
#include "fyxaux.h"
#include "fyxaux_core.h"
#include "fyxaux_state.h"

FYXFYX_API int FYXFYX_DisplayTitleMessage(const wchar_t* message, int durationMs, FyxTitleState* state) {
    if (!state || state->mayChange == 0) return FYXFYX_TITLE_REFUSED;
    HWND window = FyxAuxMainWindow();
    if (!window || !IsWindow(window)) return FYXFYX_TITLE_REFUSED;

    wchar_t title[FYXFYX_TITLE_CAPACITY];
    FyxAuxComposeTitle(state->baseTitle, message, title, FYXFYX_TITLE_CAPACITY);
    SetWindowTextW(window, title);

    if (durationMs <= 0) return FYXFYX_TITLE_SHOWN;
    // Without a running timer nobody would set the flag back: leave it set.
    if (!SetTimer(window, FYXFYX_TITLE_TIMER, (UINT)durationMs, NULL)) return FYXFYX_TITLE_SHOWN;
    state->mayChange = 0;
    return FYXFYX_TITLE_TIMED;
}
