// Into and out of directories: the common change of directory with the
// per-volume memory, Enter, Go up with the back stack, root and recovery.
#include "panel_navigate.h"

#include <shellapi.h>
#include <shlwapi.h>
#include <string.h>
#include <wchar.h>

#include "fsk.h"

static void CopyPath(wchar_t* out, const wchar_t* text) {
    size_t n = text ? wcsnlen(text, PANEL_PATH_CHARS - 1) : 0;
    if (n) memcpy(out, text, n * sizeof(wchar_t));
    out[n] = 0;
}

static void RootOf(const wchar_t* path, wchar_t root[PANEL_PATH_CHARS]) {
    CopyPath(root, path);
    PathStripToRootW(root);
}

void NavStoreVolumePath(VolumeLastPath* list, const wchar_t* path, uint32_t serial) {
    // Volumes without a readable serial would all share one pair.
    if (!list || serial == 0 || list->count >= NAV_VOLUME_PATHS_MAX) return;
    for (int i = 0; i < list->count; i++)
        if (list->pairs[i].serial == serial) {
            CopyPath(list->pairs[i].path, path);
            return;
        }
    CopyPath(list->pairs[list->count].path, path);
    list->pairs[list->count].serial = serial;
    list->count++;
}

const wchar_t* NavLookUpVolumePath(const VolumeLastPath* list, uint32_t serial) {
    if (!list || serial == 0) return NULL;
    for (int i = 0; i < list->count; i++)
        if (list->pairs[i].serial == serial) return list->pairs[i].path;
    return NULL;
}

void NavPanelDirectory(const Panel* panel, wchar_t out[PANEL_PATH_CHARS]) {
    out[0] = 0;
    switch (panel->settings.panelMode) {
    case PANEL_ARCHIVE: CopyPath(out, panel->archiveDir); break;
    case PANEL_SHELL:
        if (wcslen(panel->shellParsingPath) < PANEL_PATH_CHARS &&
            PanelIsDirectory(panel->shellParsingPath))
            CopyPath(out, panel->shellParsingPath);
        break;
    default: CopyPath(out, panel->currentPath); break;
    }
}

DWORD NavChangeDirectory(Panel* panel, const wchar_t* path, NavContext* context) {
    if (!path || !path[0]) return ERROR_PATH_NOT_FOUND;
    if (wcslen(path) >= PANEL_PATH_CHARS) return ERROR_FILENAME_EXCED_RANGE;
    int oldMode = panel->settings.panelMode;
    wchar_t left[PANEL_PATH_CHARS];
    CopyPath(left, oldMode == PANEL_ARCHIVE ? panel->archiveDir : panel->currentPath);
    uint32_t leftSerial = panel->volumeSerial;

    if (!PanelIsDirectory(path)) {
        DWORD error = GetLastError();
        wchar_t root[PANEL_PATH_CHARS];
        RootOf(path, root);
        HWND owner = context ? context->owner : NULL;
        // A drive that is there already cannot be made any more available.
        if (!root[0] || PanelIsDirectory(root) || !FYX_FSK_ActivatePathByShell(owner, root))
            return error ? error : ERROR_PATH_NOT_FOUND;
        if (context) context->drivesChanged = 1;
        if (!PanelIsDirectory(path)) {
            error = GetLastError();
            return error ? error : ERROR_PATH_NOT_FOUND;
        }
    }
    wchar_t oldRoot[PANEL_PATH_CHARS], newRoot[PANEL_PATH_CHARS];
    RootOf(panel->currentPath, oldRoot);
    RootOf(path, newRoot);
    int driveChanged = oldMode != PANEL_FILESYSTEM || wcscmp(oldRoot, newRoot) != 0;
    int error = PanelChangeDirectory(panel, path);
    if (error) return (DWORD)error;
    if (driveChanged && oldMode != PANEL_SHELL && left[0] && left[0] != L'\\' && context)
        NavStoreVolumePath(context->volumes, left, leftSerial);
    return 0;
}

static int JoinName(const wchar_t* dir, const wchar_t* name, wchar_t out[PANEL_PATH_CHARS]) {
    size_t d = wcslen(dir), n = wcslen(name);
    int slash = d && dir[d - 1] != L'\\';
    if (d + slash + n >= PANEL_PATH_CHARS) return 1;
    memcpy(out, dir, d * sizeof(wchar_t));
    if (slash) out[d++] = L'\\';
    memcpy(out + d, name, (n + 1) * sizeof(wchar_t));
    return 0;
}

static int IsRoot(const wchar_t* path) { return PathIsRootW(path) ? 1 : 0; }

// Pushes one level; deeper than the stack holds, the level is counted only.
static void PushBack(Panel* panel) {
    if (panel->backDepth < PANEL_BACK_DEPTH) {
        panel->backStack[panel->backDepth].scroll = panel->topRow;
        panel->backStack[panel->backDepth].cursor = panel->cursor;
    }
    panel->backDepth++;
}

static DWORD EnterDirectory(Panel* panel, const wchar_t* path, int visibleRows) {
    int depth = panel->backDepth;
    PushBack(panel);
    int pushed = panel->backDepth;
    if (PanelChangeDirectory(panel, path) == 0) {
        panel->backDepth = pushed;
        return 0;
    }
    panel->backDepth = depth;
    MessageBeep(MB_ICONEXCLAMATION);
    if (!PanelIsDirectory(panel->currentPath)) NavRecover(panel, visibleRows);
    return 0;
}

DWORD NavEnter(Panel* panel, int visibleRows, NavArchiveTest isArchive, NavEnterResult* out) {
    out->action = NAV_ENTER_NOTHING;
    out->code = 0;
    out->path[0] = 0;
    CopyPath(out->directory, panel->currentPath);
    if (panel->total <= 0 || panel->cursor < 0 || panel->cursor >= panel->total) return 0;
    const PanelEntry* e = panel->view[panel->cursor];
    int parent = (e->flags & EF_PARENT) != 0;
    int directory = (e->flags & EF_DIRECTORY) != 0;

    if (panel->settings.panelMode == PANEL_SHELL) {
        out->action = NAV_ENTER_SHELL_ITEM;
        return 0;
    }
    if (panel->settings.panelMode == PANEL_ARCHIVE) {
        CopyPath(out->path, e->name);
        if (directory) {
            out->action = NAV_ENTER_ARCHIVE_FOLDER;
            return 0;
        }
        out->action = NAV_ENTER_ARCHIVE_FILE;
        out->code = NAV_ARCHIVE_FILE_RESULT;
        return out->code;
    }
    if (parent) {
        if (IsRoot(panel->currentPath)) {
            out->action = NAV_ENTER_MY_COMPUTER;
            CopyPath(out->path, panel->currentPath);
            return 0;
        }
        out->action = NAV_ENTER_DONE;
        NavGoUp(panel, visibleRows);
        return 0;
    }
    if (JoinName(panel->currentPath, e->name, out->path)) {
        out->action = NAV_ENTER_DONE;
        out->code = ERROR_FILENAME_EXCED_RANGE;
        return out->code;
    }
    if (directory) {
        out->action = NAV_ENTER_DONE;
        return EnterDirectory(panel, out->path, visibleRows);
    }
    out->action = isArchive && isArchive(out->path) ? NAV_ENTER_OPEN_ARCHIVE : NAV_ENTER_RUN_FILE;
    return 0;
}

DWORD NavRunThroughShell(const wchar_t* path, const wchar_t* directory) {
    SHELLEXECUTEINFOW info;
    memset(&info, 0, sizeof(info));
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpFile = path;
    info.lpDirectory = directory;
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExW(&info)) return 0;
    DWORD error = GetLastError();
    return error ? error : ERROR_GEN_FAILURE;
}

static int FindName(const Panel* panel, int hint, const wchar_t* name) {
    if (hint >= 0 && hint < panel->total && wcscmp(panel->view[hint]->name, name) == 0) return hint;
    for (int i = 0; i < panel->total; i++)
        if (wcscmp(panel->view[i]->name, name) == 0) return i;
    return -1;
}

int NavGoUp(Panel* panel, int visibleRows) {
    if (panel->settings.panelMode != PANEL_FILESYSTEM || IsRoot(panel->currentPath)) return 1;
    wchar_t name[PANEL_PATH_CHARS], parent[PANEL_PATH_CHARS];
    CopyPath(name, FYX_FSK_GetLastPathString(panel->currentPath));
    CopyPath(parent, FYX_FSK_CutPath(panel->currentPath));
    int depth = panel->backDepth;
    if (!parent[0] || PanelChangeDirectory(panel, parent) != 0) {
        MessageBeep(MB_ICONEXCLAMATION);
        NavRecover(panel, visibleRows);
        return 2;
    }
    int hint = 0, scroll = -1;
    if (depth > 0) {
        depth--;
        if (depth < PANEL_BACK_DEPTH) {
            hint = panel->backStack[depth].cursor;
            scroll = panel->backStack[depth].scroll;
        }
    }
    panel->backDepth = depth;
    int found = FindName(panel, hint, name);
    NavSetCursor(panel, found < 0 ? 0 : found);
    int rows = visibleRows < 1 ? 1 : visibleRows;
    if (scroll >= 0) {
        int maxTop = panel->total > rows ? panel->total - rows : 0;
        panel->topRow = scroll > maxTop ? maxTop : scroll;
        // The listing may have changed since: the cursor stays in sight.
        NavMakeRowVisible(panel, panel->cursor, rows, NAV_ROW_CENTRED);
    } else {
        panel->topRow = -1;  // forces the centring below
        NavMakeRowVisible(panel, panel->cursor, rows, NAV_ROW_CENTRED);
    }
    return 0;
}

int NavGoToRoot(Panel* panel, NavContext* context, DWORD* error) {
    if (error) *error = 0;
    if (panel->settings.panelMode != PANEL_FILESYSTEM) return 2;
    if (IsRoot(panel->currentPath)) return 1;
    wchar_t root[PANEL_PATH_CHARS];
    RootOf(panel->currentPath, root);
    DWORD failed = NavChangeDirectory(panel, root, context);
    if (!failed) return 0;
    if (error) *error = failed;
    return 3;
}

int NavRecover(Panel* panel, int visibleRows) {
    if (panel->settings.panelMode != PANEL_ARCHIVE) {
        PanelRecover(panel);
        return 0;
    }
    // Back at the archive file, so the cursor lands on it.
    wchar_t archive[PANEL_PATH_CHARS], dir[PANEL_PATH_CHARS], name[PANEL_PATH_CHARS];
    CopyPath(archive, panel->archivePath);
    CopyPath(dir, FYX_FSK_GetPathWithoutLastPath(archive));
    CopyPath(name, FYX_FSK_GetLastPathString(archive));
    panel->backDepth = 0;
    if (!dir[0] || PanelChangeDirectory(panel, dir) != 0) {
        panel->settings.panelMode = PANEL_FILESYSTEM;
        CopyPath(panel->currentPath, dir[0] ? dir : panel->fallbackPath);
        PanelRecover(panel);
        return 1;
    }
    int found = FindName(panel, -1, name);
    NavSetCursor(panel, found < 0 ? 0 : found);
    NavMakeRowVisible(panel, panel->cursor, visibleRows, NAV_ROW_CENTRED);
    return 1;
}
