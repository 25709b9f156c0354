// Changing a panel's directory, refreshing it with its cursor, selection and
// computed sizes kept, recovering from a vanished directory, disk figures.
#include "panel.h"

#include <shlwapi.h>
#include <string.h>
#include <wchar.h>

#include <new>

#include "panel_format.h"

static void CopyPath(wchar_t* out, const wchar_t* text) {
    size_t n = wcsnlen(text, PANEL_PATH_CHARS - 1);
    memcpy(out, text, n * sizeof(wchar_t));
    out[n] = 0;
}

static void RootOf(const wchar_t* path, wchar_t* root) {
    CopyPath(root, path);
    PathStripToRootW(root);
}

void PanelUpdateDiskFigures(Panel* panel) {
    if (panel->settings.panelMode == PANEL_SHELL) return;
    wchar_t root[PANEL_PATH_CHARS + 1];
    RootOf(panel->currentPath, root);
    size_t n = wcslen(root);
    if (n && root[n - 1] != L'\\') {
        root[n] = L'\\';
        root[n + 1] = 0;
    }
    panel->driveType = GetDriveTypeW(root);
    panel->volumeSerial = 0;
    panel->fileSystemName[0] = 0;
    DWORD serial = 0;
    if (GetVolumeInformationW(root, NULL, 0, &serial, NULL, NULL, panel->fileSystemName,
                              PANEL_PATH_CHARS))
        panel->volumeSerial = serial;
    else
        panel->fileSystemName[0] = 0;
    panel->freeBytes = PanelDiskFreeBytes(panel->currentPath);
    panel->totalBytes = PanelDiskTotalBytes(panel->currentPath);
    panel->usedBytes = panel->totalBytes >= panel->freeBytes ? panel->totalBytes - panel->freeBytes : 0;
    panel->diskFiguresTaken = 1;

    // The icon option of the drive's type applies when the panel comes to a
    // drive; a refresh on the same drive keeps what the user chose (Shift+2).
    if (_wcsicmp(root, panel->iconRuleRoot) == 0) return;
    wcsncpy(panel->iconRuleRoot, root, PANEL_PATH_CHARS - 1);
    panel->iconRuleRoot[PANEL_PATH_CHARS - 1] = 0;
    int load = -1;
    switch (panel->driveType) {
    case DRIVE_REMOVABLE: load = panel->options.removableIcons; break;
    case DRIVE_FIXED: load = panel->options.fixedIcons; break;
    case DRIVE_REMOTE: load = panel->options.networkIcons; break;
    case DRIVE_CDROM: load = panel->options.cdromIcons; break;
    default: break;
    }
    if (load == 1) panel->settings.windowMode |= WM_LOAD_ICONS;
    else if (load == 0) panel->settings.windowMode &= ~WM_LOAD_ICONS;
}

void PanelRememberState(Panel* panel) {
    int count = 0;
    for (int i = 0; i < panel->total; i++)
        if (panel->view[i]->flags & (EF_SELECTED | EF_SIZE_KNOWN)) count++;
    panel->rememberedByName.clear();
    panel->rememberedCount = 0;
    try {
        if ((size_t)count > panel->remembered.size()) panel->remembered.resize(count);
        panel->rememberedByName.reserve(count);
        for (int i = 0; i < panel->total; i++) {
            const PanelEntry* e = panel->view[i];
            if (!(e->flags & (EF_SELECTED | EF_SIZE_KNOWN))) continue;
            RememberedEntry& r = panel->remembered[panel->rememberedCount];
            r.flags = e->flags;
            CopyPath(r.name, e->name);
            r.size = e->size;
            panel->rememberedByName.emplace(std::wstring_view(r.name), panel->rememberedCount);
            panel->rememberedCount++;
        }
    } catch (const std::bad_alloc&) {
        // What could not be remembered is simply not restored.
    }
    CopyPath(panel->rememberedPath, panel->currentPath);
    panel->savedScroll = panel->topRow;
    panel->savedCursor = panel->cursor;
    if (panel->cursorNameRequest)
        CopyPath(panel->cursorName, panel->requestedCursorName);
    else if (panel->total > 0)
        CopyPath(panel->cursorName, panel->view[panel->cursor]->name);
    else
        panel->cursorName[0] = 0;
}

static int FirstWithName(const Panel* panel, const wchar_t* name) {
    for (int i = 0; i < panel->total; i++)
        if (wcscmp(panel->view[i]->name, name) == 0) return i;
    return -1;
}

static void PlaceCursor(Panel* panel) {
    int saved = panel->savedCursor;
    if (panel->total == 0) {
        panel->cursor = 0;
        return;
    }
    if (saved >= 0 && saved < panel->total && wcscmp(panel->view[saved]->name, panel->cursorName) == 0) {
        panel->cursor = saved;
        return;
    }
    int found = FirstWithName(panel, panel->cursorName);
    if (found >= 0) panel->cursor = found;
    else panel->cursor = saved < 0 ? 0 : saved >= panel->total ? panel->total - 1 : saved;
}

void PanelRestoreState(Panel* panel) {
    PlaceCursor(panel);
    if (panel->rememberedCount == 0) return;
    std::unordered_map<std::wstring_view, int> positions;
    try {
        positions.reserve(panel->total);
        for (int i = 0; i < panel->total; i++)
            positions.emplace(std::wstring_view(panel->view[i]->name), i);
    } catch (const std::bad_alloc&) {
        return;
    }
    int widened = 0;
    for (int k = 0; k < panel->rememberedCount; k++) {
        const RememberedEntry& r = panel->remembered[k];
        auto it = positions.find(std::wstring_view(r.name));
        if (it == positions.end()) continue;
        PanelEntry* e = panel->view[it->second];
        if (e->flags & EF_PARENT) continue;
        int directory = (e->flags & EF_DIRECTORY) != 0;
        // Only the user's marks carry over; what the entry is now comes from
        // the new listing (a file may have replaced a directory of that name).
        DWORD kept = r.flags & EF_SELECTED;
        if (directory) kept |= r.flags & EF_SIZE_KNOWN;
        e->flags = (e->flags & ~(EF_SELECTED | EF_SIZE_KNOWN | EF_SHARED_ICON)) | kept;
        if (directory) {
            if (kept & EF_SELECTED) panel->selectedDirs++;
            if (kept & EF_SIZE_KNOWN) {
                e->size = r.size;
                if (kept & EF_SELECTED) panel->selectedBytes += e->size;
                wchar_t text[PANEL_SIZE_TEXT_CHARS];
                PanelFormatSizeText(e->size, panel->settings.sizeFormat, text);
                size_t n = wcslen(text);
                const wchar_t* stored = TextStoreAdd(&panel->text, text, n);
                if (stored) e->sizeText = stored;
                int width = TextMeasureWidth(&panel->measure, text, n, 2);
                panel->columns.sizeWidth = width;
                if (width > panel->columns.sizeMax) {
                    panel->columns.sizeMax = width;
                    widened = 1;
                }
            }
        } else if (kept & EF_SELECTED) {
            panel->selectedFiles++;
            panel->selectedBytes += e->size;
        }
    }
    if (widened && panel->columnLayout) panel->columnLayout(panel);
}

void PanelClearRefreshRequests(Panel* panel) {
    panel->keepCursor = 0;
    panel->cursorNameRequest = 0;
}

int PanelChangeDirectory(Panel* panel, const wchar_t* path) {
    if (!path || wcslen(path) >= PANEL_PATH_CHARS) return ERROR_FILENAME_EXCED_RANGE;
    wchar_t target[PANEL_PATH_CHARS];
    CopyPath(target, path);
    if (!PanelIsDirectory(target)) {
        DWORD error = GetLastError();
        return error ? error : ERROR_PATH_NOT_FOUND;
    }
    wchar_t oldPath[PANEL_PATH_CHARS], oldRoot[PANEL_PATH_CHARS], newRoot[PANEL_PATH_CHARS];
    CopyPath(oldPath, panel->currentPath);
    RootOf(oldPath, oldRoot);
    RootOf(target, newRoot);
    int oldMode = panel->settings.panelMode;
    if (!panel->keepCursor) panel->backDepth = 0;
    int driveChanged = wcscmp(oldRoot, newRoot) != 0 || oldMode != PANEL_FILESYSTEM;
    panel->settings.panelMode = PANEL_FILESYSTEM;
    CopyPath(panel->currentPath, target);
    panel->listingCleared = 0;
    if (PanelReadAndPrepare(panel)) {
        DWORD error = GetLastError();
        CopyPath(panel->currentPath, oldPath);
        panel->settings.panelMode = oldMode;
        if (panel->listingCleared) PanelReadAndPrepare(panel);
        return error ? error : ERROR_GEN_FAILURE;
    }
    if (driveChanged || !panel->diskFiguresTaken) PanelUpdateDiskFigures(panel);
    // The remembered state belongs to the directory it was taken in.
    if (panel->keepCursor && wcscmp(panel->rememberedPath, panel->currentPath) == 0)
        PanelRestoreState(panel);
    return 0;
}

void PanelRecover(Panel* panel) {
    panel->backDepth = 0;
    if (panel->settings.panelMode != PANEL_FILESYSTEM) return;
    wchar_t root[PANEL_PATH_CHARS];
    RootOf(panel->currentPath, root);
    if (!PanelIsDirectory(root)) {
        wchar_t fallback[PANEL_PATH_CHARS];
        CopyPath(fallback, panel->fallbackPath);
        PanelChangeDirectory(panel, fallback);
        return;
    }
    wchar_t path[PANEL_PATH_CHARS];
    CopyPath(path, panel->currentPath);
    size_t rootLength = wcslen(root);
    for (;;) {
        wchar_t* cut = wcsrchr(path, L'\\');
        if (!cut) return;
        if (cut == path + 2 && path[1] == L':') {
            if (path[3] == 0) return;
            path[3] = 0;
        } else {
            *cut = 0;
        }
        if (wcslen(path) < rootLength) return;
        if (PanelIsDirectory(path)) {
            PanelChangeDirectory(panel, path);
            return;
        }
    }
}

void PanelRefresh(Panel* panel) {
    int mode = panel->settings.panelMode;
    if (mode == PANEL_ARCHIVE) return;
    if (mode == PANEL_FILESYSTEM && !PanelIsDirectory(panel->currentPath)) {
        PanelRecover(panel);
        return;
    }
    PanelUpdateDiskFigures(panel);
    PanelRememberState(panel);
    panel->keepCursor = 1;
    if (mode == PANEL_SHELL) {
        if (PanelReadAndPrepare(panel) == 0) PanelRestoreState(panel);
        return;
    }
    wchar_t path[PANEL_PATH_CHARS];
    CopyPath(path, panel->currentPath);
    if (PanelChangeDirectory(panel, path)) {
        panel->keepCursor = 0;
        if (!PanelIsDirectory(panel->currentPath)) PanelRecover(panel);
    }
}
