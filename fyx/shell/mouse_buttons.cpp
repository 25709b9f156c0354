// The painted buttons: which one is under the pointer, its highlight and
// hint, the press, and what each one does when released over itself.
#include "input.h"

namespace {

// Hint lines of the toolbar buttons, by toolbar command.
const unsigned kToolbarHints[TOOLBAR_BUTTONS] = {15, 16, 18, 17, 20, 21, 22, 23, 24, 25};
const unsigned kPanelButtonHintFirst = 33;
const unsigned kFunctionKeyLabelFirst = 8;
const int kRepeatParentSize = 20;

bool Same(ButtonRef a, ButtonRef b) { return a.group == b.group && (a.group == BUTTONS_NONE || a.index == b.index); }

IconButtonBar* IconBarOf(int group) {
    switch (group) {
    case BUTTONS_TOOLBAR: return &g_view.toolbar;
    case BUTTONS_LEFT_PANEL: return &g_view.panelButtons[0];
    case BUTTONS_RIGHT_PANEL: return &g_view.panelButtons[1];
    }
    return NULL;
}

int DriveSideOf(int group) {
    return group == BUTTONS_LEFT_DRIVES ? 0 : group == BUTTONS_RIGHT_DRIVES ? 1 : -1;
}

void InvalidateGroup(int group) {
    switch (group) {
    case BUTTONS_TOOLBAR: ViewInvalidateToolbar(); break;
    case BUTTONS_FUNCTION_KEYS: ViewInvalidateFunctionKeys(); break;
    case BUTTONS_NONE: break;
    default: ViewInvalidateDriveBands(); break;
    }
}

// Highlight on (1) or off (0) of one button.
void Highlight(ButtonRef b, int on) {
    if (IconButtonBar* bar = IconBarOf(b.group)) {
        IconBarHover(bar, on ? b.index : ICON_BAR_NONE);
    } else if (b.group == BUTTONS_FUNCTION_KEYS) {
        FunctionKeyButton& k = g_view.functionKeys[b.index];
        if (k.state != 2) k.state = on ? 1 : 0;
    } else if (DriveSideOf(b.group) >= 0) {
        DriveButton& d = g_view.driveBars[DriveSideOf(b.group)].buttons[b.index];
        if (on && d.state == DRIVE_NORMAL) d.state = DRIVE_HIGHLIGHTED;
        if (!on && d.state == DRIVE_HIGHLIGHTED) d.state = DRIVE_NORMAL;
    }
    InvalidateGroup(b.group);
}

void ShowHint(ButtonRef b) {
    switch (b.group) {
    case BUTTONS_TOOLBAR: {
        int command = g_view.toolbar.buttons[b.index].command;
        if (command >= 0 && command < TOOLBAR_BUTTONS) ShowTitleLine(kToolbarHints[command], 0);
        break;
    }
    case BUTTONS_LEFT_PANEL:
    case BUTTONS_RIGHT_PANEL:
        ShowTitleLine(kPanelButtonHintFirst + IconBarOf(b.group)->buttons[b.index].command, 0);
        break;
    case BUTTONS_FUNCTION_KEYS: ShowTitleLine(kFunctionKeyLabelFirst + b.index, 0); break;
    case BUTTONS_NONE: ShowTitleMessage(L"", 0); break;
    default:
        FYXFYX_DrawDiskInfoText_FS(g_view.driveBars[DriveSideOf(b.group)].buttons[b.index].character,
                                   &g_input.title);
        break;
    }
}

// Bit n for each drive 'A' + n that the bar lists without a root directory.
DWORD NoRootDrives(const DriveBar* bar) {
    DWORD bits = 0;
    for (int i = 0; i < bar->count; i++) {
        wchar_t c = bar->buttons[i].character;
        if (c >= L'A' && c <= L'Z' && bar->buttons[i].driveType == DRIVE_NO_ROOT_DIR) bits |= 1u << (c - L'A');
    }
    return bits;
}

void ChangeDrive(HWND window, int side, wchar_t character) {
    for (;;) {
        NavContext context = InputNavContext();
        NavDriveResult r;
        NavChangeDrive(g_app.panels, side, character, NoRootDrives(&g_view.driveBars[side]), &context, &r);
        InputAfterNavigation(&context);
        switch (r.action) {
        case NAV_DRIVE_NETWORK:
        case NAV_DRIVE_MY_COMPUTER: RequestShellRoot(window, side, character); break;
        case NAV_DRIVE_REQUEST_ERROR: ShowRequestError(window, NAV_REQUEST_ERROR_CODE, r.error); break;
        case NAV_DRIVE_ERROR_BOX: {
            wchar_t text[512];
            NavDriveErrorText(&r, LanguageLine(&g_app.language, NAV_LINE_NO_DISK), text, 512);
            if (MessageBoxW(window, text, LanguageLine(&g_app.language, NAV_LINE_CAPTION),
                            MB_ICONWARNING | MB_RETRYCANCEL) == IDRETRY)
                continue;
            break;
        }
        }
        break;
    }
    ViewMarkDrives();
    ViewInvalidateDriveBands();
    ViewInvalidatePanel(side);
    ViewInvalidateCommandBand();
}

void ToolbarAction(HWND window, int command) {
    switch (command) {
    case 0: CommandRefreshAll(window); break;
    case 1: CommandTargetEqualsSource(window); break;
    case 2: CommandSourceEqualsTarget(window, 0); break;
    case 3: CommandSwapPanels(window); break;
    case 4: SelectionCommand(window, IDM_SELECT_ALL); break;
    case 5: SelectionCommand(window, IDM_UNSELECT_ALL); break;
    case 6: CommandEditNewFile(window); break;
    case 7: CommandShowProperties(window); break;
    case 8: RequestPack(window); break;
    case 9: RequestUnpack(window); break;
    }
}

void PanelButtonAction(HWND window, int side, int command, POINT p) {
    Panel* panel = g_app.panels[side];
    if (!panel) return;
    switch (command) {
    case 0: OpenFavoritesMenu(window, side); return;
    case 1: OpenParentsMenu(window, side); return;
    case 2: OpenVisitedMenu(window, side); return;
    case 3: {
        NavContext context = InputNavContext();
        DWORD error = 0;
        int r = NavGoToRoot(panel, &context, &error);
        InputAfterNavigation(&context);
        if (r == 2) RequestBrowsedRoot(window, side);
        if (r == 3) ShowRequestError(window, NAV_REQUEST_ERROR_CODE, error);
        break;
    }
    case 4:
        if (panel->settings.panelMode == PANEL_FILESYSTEM)
            NavGoUp(panel, ViewVisibleRows(side));
        else
            RequestGoUpBrowsed(window, side);
        ShowRepeatParent(window, side, p);
        break;
    }
    ViewMarkDrives();
    ViewInvalidatePanel(side);
    ViewInvalidateCommandBand();
}

}  // namespace

ButtonRef ButtonAtPoint(POINT p) {
    int i = IconBarHitTest(&g_view.toolbar, p);
    if (i != ICON_BAR_NONE) return ButtonRef{BUTTONS_TOOLBAR, i};
    for (int side = 0; side < 2; side++) {
        i = IconBarHitTest(&g_view.panelButtons[side], p);
        if (i != ICON_BAR_NONE) return ButtonRef{side ? BUTTONS_RIGHT_PANEL : BUTTONS_LEFT_PANEL, i};
        const DriveBar* bar = &g_view.driveBars[side];
        if (DriveBarHitPoint(bar, p) >= 0) {
            i = DriveBarHitX(bar, p.x);
            if (i != DRIVE_BAR_NONE && i < bar->count)
                return ButtonRef{side ? BUTTONS_RIGHT_DRIVES : BUTTONS_LEFT_DRIVES, i};
        }
    }
    for (i = 0; i < FUNCTION_KEYS; i++)
        if (PtInRect(&g_view.functionKeys[i].rect, p)) return ButtonRef{BUTTONS_FUNCTION_KEYS, i};
    return ButtonRef{BUTTONS_NONE, 0};
}

int HoverButton(HWND window, ButtonRef b) {
    if (Same(b, g_input.hover)) return 0;
    if (g_input.hover.group != BUTTONS_NONE) Highlight(g_input.hover, 0);
    g_input.hover = b;
    if (b.group != BUTTONS_NONE) {
        Highlight(b, 1);
        if (!g_input.trackingLeave) {
            TRACKMOUSEEVENT t = {sizeof(t), TME_LEAVE, window, 0};
            g_input.trackingLeave = TrackMouseEvent(&t) ? 1 : 0;
        }
    }
    ShowHint(b);
    return 1;
}

void PressPaintedButton(HWND window, ButtonRef b) {
    g_input.pressed = b;
    if (b.group == BUTTONS_FUNCTION_KEYS) g_view.functionKeys[b.index].state = 2;
    if (IconButtonBar* bar = IconBarOf(b.group)) bar->buttons[b.index].state = ICON_RAISED;
    InvalidateGroup(b.group);
    SetCapture(window);
    g_input.capture = CAPTURE_BUTTON;
}

void ActOnButton(HWND window, ButtonRef b, POINT p) {
    switch (b.group) {
    case BUTTONS_TOOLBAR: ToolbarAction(window, g_view.toolbar.buttons[b.index].command); break;
    case BUTTONS_LEFT_PANEL:
    case BUTTONS_RIGHT_PANEL:
        PanelButtonAction(window, b.group == BUTTONS_RIGHT_PANEL, IconBarOf(b.group)->buttons[b.index].command, p);
        break;
    case BUTTONS_FUNCTION_KEYS: OnKeyDown(window, VK_F2 + b.index, 0); break;
    case BUTTONS_LEFT_DRIVES:
    case BUTTONS_RIGHT_DRIVES: {
        int side = DriveSideOf(b.group);
        ChangeDrive(window, side, g_view.driveBars[side].buttons[b.index].character);
        break;
    }
    }
}

// Ends a press: the pressed look goes, and the button acts when the
// release is over the same button.
void ReleasePaintedButton(HWND window, POINT p) {
    ButtonRef b = g_input.pressed;
    g_input.pressed = ButtonRef{BUTTONS_NONE, 0};
    g_input.capture = CAPTURE_NONE;
    ReleaseCapture();
    if (b.group == BUTTONS_FUNCTION_KEYS) g_view.functionKeys[b.index].state = 0;
    if (IconButtonBar* bar = IconBarOf(b.group)) bar->buttons[b.index].state = ICON_NORMAL;
    InvalidateGroup(b.group);
    g_input.hover = ButtonRef{BUTTONS_NONE, 0};
    ButtonRef under = ButtonAtPoint(p);
    HoverButton(window, under);
    if (b.group != BUTTONS_NONE && Same(b, under)) ActOnButton(window, b, p);
}

void ShowRepeatParent(HWND window, int side, POINT p) {
    HWND button = GetDlgItem(window, ID_REPEAT_PARENT);
    if (!button) return;
    int half = kRepeatParentSize / 2;
    g_input.repeatParentSide = side;
    SetRect(&g_input.repeatParentArea, p.x - half, p.y - half, p.x + half, p.y + half);
    SetWindowPos(button, HWND_TOP, p.x - half, p.y - half, kRepeatParentSize, kRepeatParentSize,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void HideRepeatParent(HWND window) {
    HWND button = GetDlgItem(window, ID_REPEAT_PARENT);
    g_input.repeatParentSide = -1;
    if (button) SetWindowPos(button, NULL, -100, -100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
    SetFocus(window);
}

int DrawRepeatParent(const DRAWITEMSTRUCT* item) {
    if (item->CtlType != ODT_BUTTON || item->CtlID != ID_REPEAT_PARENT) return 0;
    RECT r = item->rcItem;
    UINT edge = (item->itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED;
    FillRect(item->hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item->hDC, &r, edge, BF_RECT);
    HICON icon = g_app.panelButtonIcons[4];
    if (icon)
        DrawIconEx(item->hDC, (r.left + r.right - 16) / 2, (r.top + r.bottom - 16) / 2, icon, 16, 16, 0, NULL,
                   DI_NORMAL);
    return 1;
}
