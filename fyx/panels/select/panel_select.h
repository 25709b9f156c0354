// Selection in a panel: single entries, ranges, all, groups by extension,
// the keys and the right-button drag that select, the remembered selection
// and selection files. Plain functions over the panel model; the window code
// calls them for the active panel and repaints afterwards.
#pragma once

#include <windows.h>

#include <stdint.h>

#include <string>
#include <vector>

#include "panel.h"

// Movement selection mode, shared by both panels.
enum {
    MOVE_SELECT_NONE = 1,
    MOVE_SELECT_ON = 2,
    MOVE_SELECT_OFF = 3,
};

// Cursor movements that carry a Shift selection.
enum PanelMoveKind {
    MOVE_UP = 1,
    MOVE_DOWN,
    MOVE_PAGE_UP,
    MOVE_PAGE_DOWN,
    MOVE_HOME,
    MOVE_END,
};

// Results of selecting one entry.
enum {
    SELECT_DONE = 0,
    SELECT_UNCHANGED = 1,  // already in the asked state
    SELECT_OUTSIDE = 2,    // position outside the listing
    SELECT_PARENT = 3,     // the parent entry is never selected
};

// Command ids of the Select pop-up handled here. The program's resource
// header defines the same ids as macros; included after it, these give way.
#ifndef IDM_SELECT_DIRS
enum {
    IDM_SELECT_DIRS = 131,
    IDM_SELECT_FILES = 132,
    IDM_SELECT_ALL = 133,
    IDM_INVERT_DIRS = 134,
    IDM_INVERT_FILES = 135,
    IDM_INVERT_ALL = 136,
    IDM_UNSELECT_DIRS = 137,
    IDM_UNSELECT_FILES = 138,
    IDM_UNSELECT_ALL = 139,
    IDM_SAVE_SELECTION = 229,
    IDM_RESTORE_SELECTION = 230,
    IDM_SAVE_SELECTION_FILE = 231,
    IDM_LOAD_SELECTION_FILE = 232,
    IDM_NEXT_SELECTED = 260,
    IDM_PREVIOUS_SELECTED = 261,
    IDM_SELECT_GROUP = 32773,
    IDM_UNSELECT_GROUP = 32774,
};
#endif

// A right-button drag over the rows of one panel.
struct PanelDrag {
    int active;
    int panelIndex;
    int anchor;  // position where the drag began
    int mode;    // MOVE_SELECT_ON or MOVE_SELECT_OFF
};

// The selection state of the whole program, one for both panels.
struct PanelSelection {
    int moveMode;  // MOVE_SELECT_
    PanelDrag drag;
    int remembered;  // 1 once a selection was saved
    std::vector<std::wstring> rememberedNames;
};

void PanelSelectionInit(PanelSelection* selection);

// select_entries.cpp: one entry, ranges, all, names, groups, queries.
int PanelSelectEntry(Panel* panel, int position);
// SELECT_DONE, SELECT_UNCHANGED when not selected, SELECT_OUTSIDE.
int PanelUnselectEntry(Panel* panel, int position);
// SELECT_UNCHANGED for the parent entry, else as Select or Unselect.
int PanelToggleEntry(Panel* panel, int position);
// Positions first .. end - 1; nothing when end <= first or either is outside.
void PanelSelectRange(Panel* panel, int first, int end, int unselect);
// Every position between a and b, both included, in either order:
// selected with MOVE_SELECT_ON, unselected with any other mode.
void PanelSelectRangeInclusive(Panel* panel, int a, int b, int mode);
void PanelSelectFiles(Panel* panel);
void PanelSelectDirectories(Panel* panel);
void PanelUnselectFiles(Panel* panel);
void PanelUnselectDirectories(Panel* panel);
void PanelInvertFiles(Panel* panel);
void PanelInvertDirectories(Panel* panel);
void PanelSelectAll(Panel* panel);
void PanelUnselectAll(Panel* panel);
void PanelInvertAll(Panel* panel);
// The first entry with exactly this name; 1 when no entry has it.
int PanelSelectByName(Panel* panel, const wchar_t* name, int unselect);
// Files whose extension equals the typed one, ASCII letters folded;
// directories untouched. 1 for an empty text (nothing done), else 0.
int PanelSelectGroup(Panel* panel, const wchar_t* extension, int unselect);
int PanelHasSelection(const Panel* panel);
// 0 for an empty listing or the cursor on the parent entry.
int PanelCursorOnEntry(const Panel* panel);
int PanelCursorOnFile(const Panel* panel);

// select_keys.cpp: Insert, Space, Shift movement, the drag, next/previous.
// Moves the cursor down one row the way the Down key does, keeping it in
// the visibleRows rows from panel->topRow; 1 when it moved.
int PanelCursorDownOneRow(Panel* panel, int visibleRows);
// Toggles the entry under the cursor and moves down (the last entry is only
// toggled); 1 when the cursor moved.
int PanelInsertKey(Panel* panel, int visibleRows);

// Size of a directory of an archive listing; ~0ULL when it cannot be had.
typedef uint64_t (*PanelArchiveDirectorySize)(Panel* panel, const PanelEntry* entry);
// Results of the Space key, as bits.
enum {
    SPACE_COMPUTED = 0x01,     // a directory size was computed and shown
    SPACE_UNREADABLE = 0x02,   // the directory could not be measured
    SPACE_MOVED = 0x04,        // the cursor moved down
    SPACE_REFRESHED = 0x08,    // re-read (or re-sorted) to place the directory
};
// The Space key: computes the size of the directory under the cursor when
// it is not known yet (or always with Shift), then acts as Insert. Archive
// panels measure through archiveSize (NULL: never computed).
int PanelSpaceKey(Panel* panel, int shiftHeld, int visibleRows, PanelArchiveDirectorySize archiveSize);

// Shift pressed: the mode from the entry under the cursor. A key repeat
// (bit 30 of the key message) keeps the mode taken at the first press.
void PanelShiftPressed(PanelSelection* selection, const Panel* panel, int repeat);
void PanelShiftReleased(PanelSelection* selection);
// Called by every cursor movement with the cursor before and after it,
// before the cursor is set: resets the mode unless Shift is held or a drag
// runs, then selects or unselects what the movement passed over.
void PanelApplyMoveSelection(PanelSelection* selection, Panel* panel, int shiftHeld, int kind,
                             int oldCursor, int newCursor);

// Right button pressed on a position of the panel: toggles it, puts the
// cursor there and starts the drag. 1 when the position is below the last
// entry (no drag), else 0.
int PanelDragBegin(PanelSelection* selection, Panel* panel, int position);
// Pointer over a position of the dragging panel (clamped to the listing).
void PanelDragMoveTo(PanelSelection* selection, Panel* panel, int position);
void PanelDragEnd(PanelSelection* selection);
// What the 10 ms timer of a drag does for the pointer's height, as a
// PanelMoveKind (0: pointer over the list, no scrolling).
int PanelDragScrollKind(int pointerY, int listTop, int listBottom);

// Cursor to the next (forward) or previous selected entry, wrapping; the
// target is brought into view as the last (forward) or first visible row.
// 1 when the cursor moved.
int PanelGoToSelected(Panel* panel, int forward, int visibleRows);

// select_memory.cpp: the remembered selection, files, the pop-up.
void PanelSaveSelection(PanelSelection* selection, const Panel* panel);
// 1 when nothing was ever saved (panel untouched), else 0.
int PanelRestoreSelection(const PanelSelection* selection, Panel* panel);
// Results of the selection file functions.
enum {
    SELECTION_FILE_OK = 0,
    SELECTION_FILE_OPEN_FAILED = 1,
    SELECTION_FILE_WRITE_FAILED = 2,
};
// One name a line in the run-time's text encoding; names it cannot
// represent are left out.
int PanelSaveSelectionToFile(const Panel* panel, const wchar_t* path);
// Replaces the selection by the listed names present in the panel. A file
// that cannot be opened leaves the selection as it was.
int PanelLoadSelectionFromFile(Panel* panel, const wchar_t* path);
// The system's save-file dialog for a selection file; 1 when a name was
// chosen.
int PanelAskSelectionFileName(HWND owner, wchar_t path[PANEL_PATH_CHARS]);
// 1 when the Select pop-up shows the item grayed.
int PanelSelectMenuItemGrayed(const PanelSelection* selection, const Panel* active, int commandId);
// The Select pop-up's commands that need no dialog; 1 when the id is one
// of them (then the panel needs a repaint), else 0.
int PanelSelectionCommand(PanelSelection* selection, Panel* active, int commandId, int visibleRows);
