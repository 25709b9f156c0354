// Timers of the main window: deferred refreshes, menu texts, title
// messages, icon loading, pictures, and the mouse operations' timers.
#include "input.h"

void OnTimer(HWND window, WPARAM id) {
    switch (id) {
    case TIMER_REACTIVATED:
        KillTimer(window, id);
        ViewRebuildDriveBars();
        RefreshFileSystemPanels();
        ViewMarkDrives();
        InvalidateRect(window, NULL, FALSE);
        break;
    case TIMER_FIRST_ACTIVATION:
        KillTimer(window, id);
        LanguageApplyMenuTexts(window, &g_app.language);
        ApplyAllMenuChecks(window);
        break;
    case TIMER_CONTEXT_MENU: OnContextTimer(window); break;
    case TIMER_SPLITTER_DONE:
        KillTimer(window, id);
        InvalidateRect(window, NULL, FALSE);
        break;
    case TIMER_TITLE_BACK:
        KillTimer(window, id);
        g_input.title.mayChange = 1;
        FYXFYX_DisplayTitleMessage(L"", 0, &g_input.title);
        break;
    case TIMER_LEFT_ICONS:
    case TIMER_RIGHT_ICONS: {
        KillTimer(window, id);
        HWND target = g_view.iconWindows[id == TIMER_RIGHT_ICONS];
        if (target) SendMessageW(target, WM_ICONS_NEEDED, 0, 0);
        break;
    }
    case TIMER_TOOL_FINISHED:
        KillTimer(window, id);
        RefreshFileSystemPanels();
        InvalidateRect(window, NULL, FALSE);
        break;
    case TIMER_LEFT_PICTURE:
    case TIMER_RIGHT_PICTURE:
        ViewNextPicture(window, id == TIMER_RIGHT_PICTURE);
        InvalidateRect(window, NULL, FALSE);
        break;
    case TIMER_DRAG_SCROLL: DragScrollTick(window); break;
    case TIMER_DRIVE_MENU:
        KillTimer(window, id);
        CarryOutDriveMenuChoice(window);
        break;
    }
}
