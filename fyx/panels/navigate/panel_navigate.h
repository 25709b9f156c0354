// Moving a panel: the cursor within its listing, into and out of
// directories, to the root, to another drive, to the other panel's
// directory. Plain functions over the panel records; the window code turns
// the returned actions into message boxes, shell calls and repaints.
#pragma once

#include <windows.h>

#include <stdint.h>

#include "panel.h"

// --- The last directory used on each volume (one list for the program) ---

const int NAV_VOLUME_PATHS_MAX = 50;

struct VolumePathPair {
    wchar_t path[PANEL_PATH_CHARS];
    uint32_t serial;
};

struct VolumeLastPath {
    VolumePathPair pairs[NAV_VOLUME_PATHS_MAX];
    int count;
};

// Full: nothing changes; a pair of the serial gets the path, else one is
// appended. A serial of 0 (volume not readable) is never stored.
void NavStoreVolumePath(VolumeLastPath* list, const wchar_t* path, uint32_t serial);
// The stored directory of the serial, or NULL.
const wchar_t* NavLookUpVolumePath(const VolumeLastPath* list, uint32_t serial);

// --- Change directory ---

// Where a change starts from and what it may touch.
struct NavContext {
    HWND owner;               // for the shell's questions; NULL while initialising
    VolumeLastPath* volumes;  // may be NULL
    int drivesChanged;        // set to 1 when a drive became available: rebuild the drive bars
};

// The common entry for every path a panel is sent to: 0 or a system error
// code (the panel keeps its path and listing on failure).
DWORD NavChangeDirectory(Panel* panel, const wchar_t* path, NavContext* context);
// The file-system directory a panel shows: its path, the archive's
// directory, or the parsing path of a shell folder that has one; "" if none.
void NavPanelDirectory(const Panel* panel, wchar_t out[PANEL_PATH_CHARS]);

// --- Enter, Go up, Go to root, Recover ---

// What the caller still has to do after Enter.
enum NavEnterAction {
    NAV_ENTER_DONE = 0,         // moved (or beeped): repaint
    NAV_ENTER_RUN_FILE,         // open `path` with the shell, NavRunThroughShell
    NAV_ENTER_OPEN_ARCHIVE,     // open the archive file `path` as a folder
    NAV_ENTER_MY_COMPUTER,      // ".." at a root: My Computer with the cursor on `path`'s drive
    NAV_ENTER_SHELL_ITEM,       // shell mode: the shell browsing enters or runs the item
    NAV_ENTER_ARCHIVE_FOLDER,   // archive mode: the archive browsing enters the folder or goes up
    NAV_ENTER_ARCHIVE_FILE,     // archive mode, a file: result is NAV_ARCHIVE_FILE_RESULT
    NAV_ENTER_NOTHING,          // no entry under the cursor
};

const DWORD NAV_ARCHIVE_FILE_RESULT = 70000;
const DWORD NAV_REQUEST_ERROR_CODE = 500;  // code of the request error box for failures

struct NavEnterResult {
    int action;  // NavEnterAction
    DWORD code;  // 0, NAV_ARCHIVE_FILE_RESULT, or a system error code (request error box 500)
    wchar_t path[PANEL_PATH_CHARS];       // the entry's full path
    wchar_t directory[PANEL_PATH_CHARS];  // the panel's directory
};

// Tells whether the archive listing library supports a file; NULL: none is.
typedef int (*NavArchiveTest)(const wchar_t* path);

// The Enter key and a double click. Returns out->code.
DWORD NavEnter(Panel* panel, int visibleRows, NavArchiveTest isArchive, NavEnterResult* out);
// The shell's default action on a file, in its directory: 0 or an error code.
DWORD NavRunThroughShell(const wchar_t* path, const wchar_t* directory);
// Backspace, and Enter on "..": 0 moved, 1 at a root or not a file-system
// panel (nothing happens), 2 when the read failed and the panel recovered.
int NavGoUp(Panel* panel, int visibleRows);
// The "Root" command: 0 moved, 1 already at the root, 2 not a file-system
// panel (the shell and archive browsing handle theirs), 3 the change failed
// with *error (may be NULL).
int NavGoToRoot(Panel* panel, NavContext* context, DWORD* error);
// After the current directory disappeared. 1 when the archive warning
// (line 411, caption 286, MB_ICONWARNING) is to be shown; the panel is
// then back in its file-system directory with the cursor on the archive.
int NavRecover(Panel* panel, int visibleRows);

// --- Change drive ---

enum NavDriveAction {
    NAV_DRIVE_DONE = 0,        // changed
    NAV_DRIVE_NETWORK,         // '\\': the network neighborhood of the shell namespace
    NAV_DRIVE_MY_COMPUTER,     // '.': My Computer
    NAV_DRIVE_ERROR_BOX,       // the drive error box (Retry: the same call again)
    NAV_DRIVE_REQUEST_ERROR,   // the request error box, code 500, with `error`
    NAV_DRIVE_ENDED,           // the drive could not be connected: nothing more
};

struct NavDriveResult {
    int action;        // NavDriveAction
    DWORD error;       // the system error behind a box
    int noDiskText;    // error box: line 423 with `letter` (a CD-ROM drive), else the system's text
    wchar_t letter;
};

// Line ids of the boxes.
const int NAV_LINE_CAPTION = 286;
const int NAV_LINE_NO_DISK = 423;
const int NAV_LINE_ARCHIVE_ERROR = 411;
const int NAV_LINE_LIST_MODE_OFF = 306;
const int NAV_LINE_LIST_MODE_ON = 307;

// A drive bar click or drive menu choice for panel `index`: a letter,
// '\\' or '.'. `noRootDrives` has bit n set for each drive 'A' + n that the
// drive bar lists without a root directory. 0 changed, 1 otherwise.
int NavChangeDrive(Panel* const panels[2], int index, wchar_t character, DWORD noRootDrives,
                   NavContext* context, NavDriveResult* out);
// The text of the drive error box: line 423 with the letter put in for a
// missing disk, else the system's text for the error.
void NavDriveErrorText(const NavDriveResult* result, const wchar_t* noDiskLine, wchar_t* out,
                       size_t chars);

// --- Cursor moves ---

// Every move goes through one routine that clamps the cursor and records
// this, for the list-in-the-other-panel mode.
struct NavCursorMove {
    int panelIndex;
    int oldCursor;
    int newCursor;
};

enum NavRowPlace {
    NAV_ROW_FIRST = 0,  // first visible row, clamped so that the last page is full
    NAV_ROW_LAST,
    NAV_ROW_CENTRED,
};

NavCursorMove NavSetCursor(Panel* panel, int index);
// Scrolls only when the row is not visible, to the given place.
void NavMakeRowVisible(Panel* panel, int row, int visibleRows, int place);
NavCursorMove NavMoveUp(Panel* panel, int visibleRows);
NavCursorMove NavMoveDown(Panel* panel, int visibleRows);
NavCursorMove NavPageUp(Panel* panel, int visibleRows);
NavCursorMove NavPageDown(Panel* panel, int visibleRows);
NavCursorMove NavHome(Panel* panel, int visibleRows);
NavCursorMove NavEnd(Panel* panel, int visibleRows);
// A letter or digit key without Shift (its key code, the upper-case
// character): the next entry after the cursor, wrapping, whose name begins
// with it (ASCII letters folded); ".." is skipped. No match: no move.
NavCursorMove NavQuickSearch(Panel* panel, wchar_t key, int visibleRows);

// --- Both panels ---

// After a move: when the moved panel has WM_LIST_IN_OTHER and its cursor
// entry is a directory, the other panel lists it. 0 or an error code.
DWORD NavListInOther(Panel* const panels[2], const NavCursorMove* move, NavContext* context);
// Shift+1: toggles the bit; returns the line of the title (307 set, 306 cleared).
int NavToggleListInOther(Panel* panel);
// "%s - %s" of "Fyx 1.2" and the line.
void NavFormatListModeTitle(const wchar_t* line, wchar_t* out, size_t chars);

// The source is the active panel. 0 done or nothing to do, else an error code.
DWORD NavTargetEqualsSource(Panel* const panels[2], NavContext* context);
DWORD NavSourceEqualsTarget(Panel* const panels[2], NavContext* context);
// The panels exchange directories; each selects the names that were
// selected in the panel whose directory it now shows.
DWORD NavSwapPanels(Panel* const panels[2], NavContext* context);
