// The main window's input side: commands, keys, mouse and timers, with the
// state they share. The deciding parts are plain functions over plain data
// (check marks, panel menu items); the handlers are thin Win32 glue.
#pragma once

// The selection header names the Select pop-up's ids as constants; it must
// come before the resource header defines the same names as macros.
#include "panel_navigate.h"
#include "panel_select.h"

#include <shellapi.h>

#include "fyxaux.h"
#include "view.h"

// Timers of the main window.
enum InputTimer {
    TIMER_CONTEXT_MENU = 3,   // right button held still on a panel
    TIMER_SPLITTER_DONE = 4,  // one more repaint after a splitter drag
    TIMER_TITLE_BACK = 5,     // a timed title message ends
    TIMER_LEFT_ICONS = 6,
    TIMER_RIGHT_ICONS = 7,
    TIMER_TOOL_FINISHED = 8,
    TIMER_LEFT_PICTURE = 9,
    TIMER_RIGHT_PICTURE = 10,
    TIMER_DRAG_SCROLL = 11,   // scrolling while a right-button drag is above or below the list
    TIMER_DRIVE_MENU = 13,
};

const UINT TITLE_MESSAGE_MS = 1500;
const UINT CONTEXT_MENU_DELAY_MS = 300;
const UINT DRAG_SCROLL_MS = 10;
const UINT TOOL_FINISHED_DELAY_MS = 200;
const UINT WM_ANSWERED_WITH_ZERO = 0x8006;

// Who holds the mouse capture.
enum CaptureOwner {
    CAPTURE_NONE = 0,
    CAPTURE_SPLITTER,
    CAPTURE_BUTTON,     // a painted button pressed, acting on release over it
    CAPTURE_RIGHT_DRAG, // right-button selection drag
};

// Painted button groups, for the hover and press state.
enum ButtonGroup {
    BUTTONS_NONE = 0,
    BUTTONS_TOOLBAR,
    BUTTONS_LEFT_PANEL,
    BUTTONS_RIGHT_PANEL,
    BUTTONS_FUNCTION_KEYS,
    BUTTONS_LEFT_DRIVES,
    BUTTONS_RIGHT_DRIVES,
};

struct ButtonRef {
    int group;  // ButtonGroup
    int index;
};

struct FyxInput {
    PanelSelection selection;
    VolumeLastPath volumes;
    PanelSettings menuSettings;  // the block every panel display command goes through
    FyxTitleState title;

    int capture;             // CaptureOwner
    ButtonRef hover;         // button under the pointer
    ButtonRef pressed;       // button the left button went down on
    int trackingLeave;       // WM_MOUSELEAVE requested

    int contextSide;         // panel of the right-button press, -1 for none
    POINT contextPoint;      // where it went down
    int contextOnFolder;     // pressed below the rows: the folder's menu
    int dragSide;            // panel of the running drag
    POINT dragPoint;         // last pointer position of the drag

    int repeatParentSide;    // -1: the repeat-parent button is not shown
    RECT repeatParentArea;

    ConfigRecord optionsConfig;  // the settings when the options program was started
    int optionsStarted;
    // The selection file's name; the system's save dialog unless replaced.
    int (*askSelectionFile)(HWND owner, wchar_t path[PANEL_PATH_CHARS]);
};

extern FyxInput g_input;

// --- input_state.cpp: shared helpers ---
void InputInit(HWND window);
int ActiveSide();
Panel* ActivePanel();
NavContext InputNavContext();
// After a navigation call: drive bars again when a drive became available.
void InputAfterNavigation(const NavContext* context);
// Changes a panel's directory; a failure shows the request error box.
void InputChangeDirectory(int side, const wchar_t* path);
// The panel becomes the active one; both path lines and the prompt repaint.
void MakePanelActive(int side);
// Backspace, "Parent" and its repeat button: the panel goes up one level.
void GoUpOneLevel(HWND window, int side);
// A title message for TITLE_MESSAGE_MS, or with 0 until the next one.
void ShowTitleMessage(const wchar_t* text, int durationMs);
void ShowTitleLine(unsigned lineId, int durationMs);
// A cursor move's selection, the list in the other panel, and repaints.
void InputAfterCursorMove(int side, int kind, int oldCursor, const NavCursorMove& move);
void InputRepaintPanel(int side);
void InputRepaintSelection(int side);
// Runs a file with the shell's default verb; 0 or an error code.
DWORD InputRun(const wchar_t* file, const wchar_t* parameters, const wchar_t* directory);

// --- panel_menu.cpp: the items of the Left and Right pop-ups as data ---
struct MenuCheck {
    int id;
    int checked;
};
const int MENU_CHECKS_PER_PANEL = 30;
// Every check-marked item of one panel's pop-up (0 left, 1 right) as its
// settings have it; returns the count.
int PanelMenuChecks(const PanelSettings* settings, int side, MenuCheck out[MENU_CHECKS_PER_PANEL]);

enum PanelMenuEffect {
    PANEL_MENU_NOT_MINE = 0,  // not a panel display item
    PANEL_MENU_NOTHING,       // nothing changed
    PANEL_MENU_REREAD,        // settings changed: re-read the listing
    PANEL_MENU_RESORT,        // sort mode changed: sort again
    PANEL_MENU_REPAINT,       // only the drawing changes
};
// Changes the settings block as the item asks; *side gets the panel the
// item belongs to.
int PanelMenuApply(int commandId, PanelSettings* settings, int* side);
// The panel a display item belongs to, -1 for other ids.
int PanelMenuSideOf(int commandId);

// --- commands_panel.cpp: the Left and Right pop-ups on the window ---
void ApplyPanelMenuChecks(HMENU menu, const PanelSettings* settings, int side);
// Both panels and the command line item.
void ApplyAllMenuChecks(HWND window);
// 1 when the id was a panel display item.
int PanelMenuCommand(HWND window, int commandId);
// The Shift+1 / Shift+2 toggles of a window-mode bit with their title.
void ToggleWindowModeBit(HWND window, int side, int bit);

// --- commands.cpp ---
void OnCommand(HWND window, WPARAM wParam, LPARAM lParam);
void OnInitMenuPopup(HWND window, HMENU popup);
void OnDropFiles(HWND window, HDROP drop);
// The toolbar's actions, also reached from keys.
void SelectionCommand(HWND window, int commandId);
void CommandTargetEqualsSource(HWND window);
void CommandSourceEqualsTarget(HWND window, int repaint);
void CommandSwapPanels(HWND window);
void CommandRefreshAll(HWND window);
void CommandShowProperties(HWND window);
void CommandShowPropertiesOf(HWND window, const wchar_t* path);

// --- commands_other.cpp: Commands, Net, Configuration, Help pop-ups ---
// 1 when the id was one of them.
int OtherCommand(HWND window, int commandId);

// --- text_dialog.cpp: one edit line with OK and Cancel, built in memory ---
struct TextDialog {
    const wchar_t* title;
    const wchar_t* label;
    const wchar_t* ok;
    const wchar_t* cancel;
    int keepOpenWhenEmpty;  // OK with an empty edit keeps the dialog
    wchar_t text[PANEL_PATH_CHARS];  // initial text in, answer out
};
const int TEXT_DIALOG_EDIT_ID = 1002;
// 1 OK, 0 cancelled.
int AskText(HWND owner, TextDialog* dialog);

// --- new_file.cpp ---
// Results of creating the new file.
enum { NEW_FILE_CREATED = 0, NEW_FILE_EXISTED = 1, NEW_FILE_FAILED = 2 };
int CreateEmptyFileIn(const wchar_t* directory, const wchar_t* name);
void CommandEditNewFile(HWND window);

// --- later_actions.cpp: actions carried out by later parts ---
void RequestCopy(HWND window, int move);
void RequestDelete(HWND window);
void RequestPack(HWND window);
void RequestUnpack(HWND window);
void RequestRename(HWND window);
void RequestView(HWND window);
void RequestEdit(HWND window);
void RequestMakeDirectory(HWND window);
void RequestCreateShortcut(HWND window);
void RequestVolumeLabel(HWND window);
void RequestAbout(HWND window);
void RequestGoUpBrowsed(HWND window, int side);
void RequestExtractAndExecute(HWND window, int side);
void RequestOpenArchive(HWND window, int side, const wchar_t* path);
void RequestShellBrowse(HWND window, int side, int action, const wchar_t* path);
// The network neighborhood ('\\') or My Computer ('.') for a panel.
void RequestShellRoot(HWND window, int side, wchar_t character);
// Root of a shell or archive panel.
void RequestBrowsedRoot(HWND window, int side);
void OpenSelectionContextMenu(HWND window, int side);
void OpenFolderContextMenu(HWND window, int side);
void OpenDriveContextMenu(HWND window, int side, wchar_t drive);
void OpenDriveMenu(HWND window, int side);
void OpenFavoritesMenu(HWND window, int side);
void OpenParentsMenu(HWND window, int side);
void OpenVisitedMenu(HWND window, int side);
void CarryOutDriveMenuChoice(HWND window);
void DynamicMenuCommand(HWND window, int commandId);
void ShowRequestError(HWND window, DWORD code, DWORD error);

// --- keys.cpp ---
// Enter and a double click on the active panel's cursor entry.
void EnterEntry(HWND window, int side);
// A cursor movement key (PanelMoveKind) on a panel.
void MoveCursor(int side, int kind);
// 1 when the key message was handled.
int OnKeyDown(HWND window, WPARAM key, LPARAM lParam);
void OnKeyUp(HWND window, WPARAM key);
// 1 handled, 0 for the default processing.
int OnSysKeyDown(HWND window, WPARAM key);

// --- mouse.cpp and mouse_buttons.cpp ---
void OnMouseMove(HWND window, WPARAM keys, POINT p);
void OnLeftButtonDown(HWND window, POINT p);
void OnLeftButtonUp(HWND window, POINT p);
void OnLeftDoubleClick(HWND window, POINT p);
void OnRightButtonDown(HWND window, POINT p);
void OnRightButtonUp(HWND window, POINT p);
void OnMouseWheel(HWND window, int delta, POINT screenPoint);
void OnMouseLeave(HWND window);
void OnCaptureChanged(HWND window);
// mouse_buttons.cpp: the painted buttons under a point, hover and press.
ButtonRef ButtonAtPoint(POINT p);
// 1 when the hover changed.
int HoverButton(HWND window, ButtonRef button);
void PressPaintedButton(HWND window, ButtonRef button);
void ReleasePaintedButton(HWND window, POINT p);
void ActOnButton(HWND window, ButtonRef button, POINT p);
void ShowRepeatParent(HWND window, int side, POINT p);
void HideRepeatParent(HWND window);
// WM_DRAWITEM of the repeat-parent button; 1 when it was that button.
int DrawRepeatParent(const DRAWITEMSTRUCT* item);
// WM_SETCURSOR in the client area; 1 when the sizing cursor was set.
int SetSplitterCursor();

// --- shutdown.cpp: saving as at the end of the program ---
void StoreWindowRectangle(HWND window, ConfigRecord* config);
// The panels and, when asked for, the window position into the record, and
// the record to "Fyx.ini"; 0 saved.
int SaveSettings(HWND window);

// --- timers.cpp ---
void OnTimer(HWND window, WPARAM id);
void DragScrollTick(HWND window);
void OnContextTimer(HWND window);
