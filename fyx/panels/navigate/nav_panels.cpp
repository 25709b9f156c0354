// Moves that involve a drive or both panels: change drive, the other
// panel's directory, swapping, and listing in the other panel.
#include "panel_navigate.h"

#include <string.h>
#include <wchar.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fsk.h"

static wchar_t UpperAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? (wchar_t)(c - 32) : c; }

static wchar_t DriveLetterOf(const wchar_t* path) {
    wchar_t c = UpperAscii(path[0]);
    return c >= L'A' && c <= L'Z' && path[1] == L':' ? c : 0;
}

static int ReadSerial(const wchar_t* root, DWORD* serial) {
    *serial = 0;
    return GetVolumeInformationW(root, NULL, 0, serial, NULL, NULL, NULL, 0) != 0;
}

// The nearest existing directory of a stored path on its own drive.
static int NearestExisting(const wchar_t* stored, const wchar_t* root, wchar_t out[PANEL_PATH_CHARS]) {
    wchar_t path[PANEL_PATH_CHARS];
    wcsncpy(path, stored, PANEL_PATH_CHARS - 1);
    path[PANEL_PATH_CHARS - 1] = 0;
    while (path[0] && wcslen(path) > wcslen(root)) {
        if (FYX_FSK_IsValidDirectory(path) == 0) {
            wcscpy(out, path);
            return 1;
        }
        wchar_t parent[PANEL_PATH_CHARS];
        wcsncpy(parent, FYX_FSK_CutPath(path), PANEL_PATH_CHARS - 1);
        parent[PANEL_PATH_CHARS - 1] = 0;
        if (wcscmp(parent, path) == 0) break;
        wcscpy(path, parent);
    }
    return 0;
}

int NavChangeDrive(Panel* const panels[2], int index, wchar_t character, DWORD noRootDrives,
                   NavContext* context, NavDriveResult* out) {
    Panel* panel = panels[index];
    const Panel* other = panels[1 - index];
    out->action = NAV_DRIVE_DONE;
    out->error = 0;
    out->noDiskText = 0;
    out->letter = UpperAscii(character);

    wchar_t otherDir[PANEL_PATH_CHARS];
    NavPanelDirectory(other, otherDir);
    if (out->letter && out->letter == DriveLetterOf(otherDir)) {
        DWORD error = NavChangeDirectory(panel, otherDir, context);
        if (!error) return 0;
        out->action = NAV_DRIVE_REQUEST_ERROR;
        out->error = error;
        return 1;
    }
    if (character == L'\\') {
        out->action = NAV_DRIVE_NETWORK;
        return 1;
    }
    if (character == L'.') {
        out->action = NAV_DRIVE_MY_COMPUTER;
        return 1;
    }
    if (out->letter < L'A' || out->letter > L'Z') {
        out->action = NAV_DRIVE_ENDED;
        return 1;
    }
    wchar_t root[8];
    swprintf(root, 8, L"%c:\\", out->letter);
    DWORD serial;
    if (!ReadSerial(root, &serial)) {
        DWORD error = GetLastError();
        if (!(noRootDrives & (1u << (out->letter - L'A')))) {
            out->action = NAV_DRIVE_ERROR_BOX;
            out->error = error ? error : ERROR_NOT_READY;
            out->noDiskText = GetDriveTypeW(root) == DRIVE_CDROM;
            return 1;
        }
        FYX_FSK_ActivatePathByShell(context ? context->owner : NULL, root);
        if (context) context->drivesChanged = 1;
        if (!ReadSerial(root, &serial)) {
            out->action = NAV_DRIVE_ENDED;
            out->error = GetLastError();
            return 1;
        }
    }
    wchar_t target[PANEL_PATH_CHARS];
    wcscpy(target, root);
    const wchar_t* stored = context ? NavLookUpVolumePath(context->volumes, serial) : NULL;
    // A stored directory that is gone would make the drive unreachable
    // through its own letter; its nearest existing parent is used instead.
    if (stored && !NearestExisting(stored, root, target)) wcscpy(target, root);
    DWORD error = NavChangeDirectory(panel, target, context);
    if (!error) return 0;
    out->action = NAV_DRIVE_REQUEST_ERROR;
    out->error = error;
    return 1;
}

void NavDriveErrorText(const NavDriveResult* result, const wchar_t* noDiskLine, wchar_t* out,
                       size_t chars) {
    if (!chars) return;
    std::wstring text;
    if (result->noDiskText && noDiskLine) {
        // The line comes from a language file: only %c and %% are formatted.
        for (const wchar_t* p = noDiskLine; *p; p++) {
            if (p[0] == L'%' && p[1] == L'c') {
                text += result->letter;
                p++;
            } else if (p[0] == L'%' && p[1] == L'%') {
                text += L'%';
                p++;
            } else {
                text += *p;
            }
        }
    } else {
        text = FYX_FSK_GetErrorStringFromSystem(result->error);
    }
    size_t n = text.size() < chars - 1 ? text.size() : chars - 1;
    memcpy(out, text.data(), n * sizeof(wchar_t));
    out[n] = 0;
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

DWORD NavListInOther(Panel* const panels[2], const NavCursorMove* move, NavContext* context) {
    if (!move || move->panelIndex < 0 || move->panelIndex > 1) return 0;
    Panel* panel = panels[move->panelIndex];
    if (!(panel->settings.windowMode & WM_LIST_IN_OTHER)) return 0;
    if (panel->settings.panelMode != PANEL_FILESYSTEM) return 0;
    if (panel->cursor < 0 || panel->cursor >= panel->total) return 0;
    const PanelEntry* e = panel->view[panel->cursor];
    // The parent is where the panel comes from, not a listing of its own.
    if (!(e->flags & EF_DIRECTORY) || (e->flags & EF_PARENT)) return 0;
    wchar_t path[PANEL_PATH_CHARS];
    if (JoinName(panel->currentPath, e->name, path)) return ERROR_FILENAME_EXCED_RANGE;
    return NavChangeDirectory(panels[1 - move->panelIndex], path, context);
}

int NavToggleListInOther(Panel* panel) {
    panel->settings.windowMode ^= WM_LIST_IN_OTHER;
    return (panel->settings.windowMode & WM_LIST_IN_OTHER) ? NAV_LINE_LIST_MODE_ON
                                                            : NAV_LINE_LIST_MODE_OFF;
}

void NavFormatListModeTitle(const wchar_t* line, wchar_t* out, size_t chars) {
    if (!chars) return;
    swprintf(out, chars, L"%ls - %ls", L"Fyx 1.2", line ? line : L"");
}

static int SourceIndex(Panel* const panels[2]) { return panels[1]->focus == 1 ? 1 : 0; }

// Sends panel `to` to the directory panel `from` shows, unless both show it.
static DWORD Follow(Panel* to, const Panel* from, NavContext* context) {
    wchar_t fromDir[PANEL_PATH_CHARS], toDir[PANEL_PATH_CHARS];
    NavPanelDirectory(from, fromDir);
    NavPanelDirectory(to, toDir);
    if (!fromDir[0] || wcscmp(fromDir, toDir) == 0) return 0;
    return NavChangeDirectory(to, fromDir, context);
}

DWORD NavTargetEqualsSource(Panel* const panels[2], NavContext* context) {
    int s = SourceIndex(panels);
    return Follow(panels[1 - s], panels[s], context);
}

DWORD NavSourceEqualsTarget(Panel* const panels[2], NavContext* context) {
    int s = SourceIndex(panels);
    return Follow(panels[s], panels[1 - s], context);
}

struct PanelMarks {
    std::vector<std::wstring> selected;
    std::wstring cursorName;
};

static void TakeMarks(const Panel* panel, PanelMarks* marks) {
    for (int i = 0; i < panel->total; i++) {
        const PanelEntry* e = panel->view[i];
        if ((e->flags & EF_SELECTED) && !(e->flags & EF_PARENT)) marks->selected.push_back(e->name);
    }
    if (panel->cursor >= 0 && panel->cursor < panel->total)
        marks->cursorName = panel->view[panel->cursor]->name;
}

static void ApplyMarks(Panel* panel, const PanelMarks* marks) {
    std::vector<std::wstring> names = marks->selected;
    std::sort(names.begin(), names.end());
    for (int i = 0; i < panel->total; i++) {
        PanelEntry* e = panel->view[i];
        if ((e->flags & (EF_SELECTED | EF_PARENT)) ||
            !std::binary_search(names.begin(), names.end(), std::wstring(e->name)))
            continue;
        e->flags |= EF_SELECTED;
        if (e->flags & EF_DIRECTORY) {
            panel->selectedDirs++;
            if (e->flags & EF_SIZE_KNOWN) panel->selectedBytes += e->size;
        } else {
            panel->selectedFiles++;
            panel->selectedBytes += e->size;
        }
    }
    for (int i = 0; i < panel->total; i++)
        if (panel->view[i]->name == marks->cursorName) {
            NavSetCursor(panel, i);
            break;
        }
}

DWORD NavSwapPanels(Panel* const panels[2], NavContext* context) {
    int s = SourceIndex(panels);
    Panel* source = panels[s];
    Panel* target = panels[1 - s];
    wchar_t sourceDir[PANEL_PATH_CHARS], targetDir[PANEL_PATH_CHARS];
    NavPanelDirectory(source, sourceDir);
    NavPanelDirectory(target, targetDir);
    if (!sourceDir[0] || !targetDir[0] || wcscmp(sourceDir, targetDir) == 0) return 0;
    PanelMarks sourceMarks, targetMarks;
    try {
        TakeMarks(source, &sourceMarks);
        TakeMarks(target, &targetMarks);
    } catch (...) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    DWORD error = NavChangeDirectory(source, targetDir, context);
    if (error) return error;
    DWORD second = NavChangeDirectory(target, sourceDir, context);
    try {
        ApplyMarks(source, &targetMarks);
        if (!second) ApplyMarks(target, &sourceMarks);
    } catch (...) {
        // The directories are swapped; only the marks are missing.
    }
    return second;
}
