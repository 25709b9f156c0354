// Selecting entries one by one, in ranges, all at once, by name and by
// extension, with the panel's counters kept in step.
#include "panel_select.h"

#include <string.h>
#include <wchar.h>

#include "panel_format.h"

static int Outside(const Panel* panel, int position) {
    return position < 0 || position >= panel->total;
}

static int IsDirectory(const PanelEntry* e) { return (e->flags & EF_DIRECTORY) != 0; }

// The bytes an entry adds to the selected bytes: a file's size, or a
// directory's once its size is known.
static uint64_t CountedBytes(const PanelEntry* e) {
    if (!IsDirectory(e)) return e->size;
    return (e->flags & EF_SIZE_KNOWN) ? e->size : 0;
}

int PanelSelectEntry(Panel* panel, int position) {
    if (Outside(panel, position)) return SELECT_OUTSIDE;
    PanelEntry* e = panel->view[position];
    if (e->flags & EF_PARENT) return SELECT_PARENT;
    if (e->flags & EF_SELECTED) return SELECT_UNCHANGED;
    e->flags |= EF_SELECTED;
    if (IsDirectory(e)) panel->selectedDirs++;
    else panel->selectedFiles++;
    panel->selectedBytes += CountedBytes(e);
    return SELECT_DONE;
}

int PanelUnselectEntry(Panel* panel, int position) {
    if (Outside(panel, position)) return SELECT_OUTSIDE;
    PanelEntry* e = panel->view[position];
    if (!(e->flags & EF_SELECTED)) return SELECT_UNCHANGED;
    e->flags &= ~EF_SELECTED;
    if (IsDirectory(e)) {
        if (panel->selectedDirs) panel->selectedDirs--;
    } else if (panel->selectedFiles) {
        panel->selectedFiles--;
    }
    uint64_t bytes = CountedBytes(e);
    panel->selectedBytes = panel->selectedBytes >= bytes ? panel->selectedBytes - bytes : 0;
    return SELECT_DONE;
}

int PanelToggleEntry(Panel* panel, int position) {
    if (!Outside(panel, position) && (panel->view[position]->flags & EF_PARENT)) return SELECT_UNCHANGED;
    if (!Outside(panel, position) && (panel->view[position]->flags & EF_SELECTED))
        return PanelUnselectEntry(panel, position);
    return PanelSelectEntry(panel, position);
}

void PanelSelectRange(Panel* panel, int first, int end, int unselect) {
    if (end <= first || Outside(panel, first) || Outside(panel, end - 1)) return;
    for (int i = first; i < end; i++) {
        if (unselect) PanelUnselectEntry(panel, i);
        else PanelSelectEntry(panel, i);
    }
}

void PanelSelectRangeInclusive(Panel* panel, int a, int b, int mode) {
    if (a > b) {
        int t = a;
        a = b;
        b = t;
    }
    if (a < 0) a = 0;
    if (b >= panel->total) b = panel->total - 1;
    for (int i = a; i <= b; i++) {
        if (mode == MOVE_SELECT_ON) PanelSelectEntry(panel, i);
        else PanelUnselectEntry(panel, i);
    }
}

enum { KIND_FILES, KIND_DIRS };
enum { ACT_SELECT, ACT_UNSELECT, ACT_INVERT };

static void ApplyToKind(Panel* panel, int kind, int action) {
    for (int i = 0; i < panel->total; i++) {
        const PanelEntry* e = panel->view[i];
        if (IsDirectory(e) != (kind == KIND_DIRS)) continue;
        if (action == ACT_SELECT) PanelSelectEntry(panel, i);
        else if (action == ACT_UNSELECT) PanelUnselectEntry(panel, i);
        else PanelToggleEntry(panel, i);
    }
}

void PanelSelectFiles(Panel* panel) { ApplyToKind(panel, KIND_FILES, ACT_SELECT); }
void PanelSelectDirectories(Panel* panel) { ApplyToKind(panel, KIND_DIRS, ACT_SELECT); }
void PanelUnselectFiles(Panel* panel) { ApplyToKind(panel, KIND_FILES, ACT_UNSELECT); }
void PanelUnselectDirectories(Panel* panel) { ApplyToKind(panel, KIND_DIRS, ACT_UNSELECT); }
void PanelInvertFiles(Panel* panel) { ApplyToKind(panel, KIND_FILES, ACT_INVERT); }
void PanelInvertDirectories(Panel* panel) { ApplyToKind(panel, KIND_DIRS, ACT_INVERT); }

void PanelSelectAll(Panel* panel) {
    PanelSelectDirectories(panel);
    PanelSelectFiles(panel);
}

void PanelUnselectAll(Panel* panel) {
    PanelUnselectDirectories(panel);
    PanelUnselectFiles(panel);
}

void PanelInvertAll(Panel* panel) {
    PanelInvertDirectories(panel);
    PanelInvertFiles(panel);
}

int PanelSelectByName(Panel* panel, const wchar_t* name, int unselect) {
    for (int i = 0; i < panel->total; i++) {
        if (wcscmp(panel->view[i]->name, name) != 0) continue;
        if (unselect) PanelUnselectEntry(panel, i);
        else PanelSelectEntry(panel, i);
        return 0;
    }
    return 1;
}

static void UpperAscii(wchar_t* text) {
    for (; *text; text++)
        if (*text >= L'a' && *text <= L'z') *text -= L'a' - L'A';
}

int PanelSelectGroup(Panel* panel, const wchar_t* extension, int unselect) {
    if (!extension || !*extension) return 1;
    wchar_t wanted[PANEL_PATH_CHARS];
    size_t n = wcslen(extension);
    if (n >= PANEL_PATH_CHARS) return 0;  // no extension is that long
    memcpy(wanted, extension, (n + 1) * sizeof(wchar_t));
    UpperAscii(wanted);
    for (int i = 0; i < panel->total; i++) {
        const PanelEntry* e = panel->view[i];
        if (IsDirectory(e)) continue;
        wchar_t ext[PANEL_PATH_CHARS];
        PanelFileExtension(e->name, ext);
        UpperAscii(ext);
        if (wcscmp(ext, wanted) != 0) continue;
        if (unselect) PanelUnselectEntry(panel, i);
        else PanelSelectEntry(panel, i);
    }
    return 0;
}

int PanelHasSelection(const Panel* panel) {
    return panel->selectedDirs != 0 || panel->selectedFiles != 0;
}

int PanelCursorOnEntry(const Panel* panel) {
    if (panel->total <= 0 || Outside(panel, panel->cursor)) return 0;
    return !(panel->cursor == 0 && (panel->view[0]->flags & EF_PARENT));
}

int PanelCursorOnFile(const Panel* panel) {
    return PanelCursorOnEntry(panel) && !IsDirectory(panel->view[panel->cursor]);
}
