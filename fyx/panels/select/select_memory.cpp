// The remembered selection, selection files, and the Select pop-up's
// commands and grayed items.
#include "panel_select.h"

#include <commdlg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

#include <new>
#include <string_view>
#include <unordered_map>

void PanelSelectionInit(PanelSelection* selection) {
    selection->moveMode = MOVE_SELECT_NONE;
    selection->drag = PanelDrag{};
    selection->remembered = 0;
    selection->rememberedNames.clear();
}

// Selects, for each name, the first entry with exactly that name.
static void SelectNames(Panel* panel, const std::vector<std::wstring>& names) {
    std::unordered_map<std::wstring_view, int> first;
    try {
        first.reserve(panel->total);
        for (int i = 0; i < panel->total; i++) first.emplace(std::wstring_view(panel->view[i]->name), i);
    } catch (const std::bad_alloc&) {
        for (const std::wstring& name : names) PanelSelectByName(panel, name.c_str(), 0);
        return;
    }
    for (const std::wstring& name : names) {
        auto it = first.find(std::wstring_view(name));
        if (it != first.end()) PanelSelectEntry(panel, it->second);
    }
}

static int SelectedNames(const Panel* panel, std::vector<std::wstring>* out) {
    try {
        out->clear();
        for (int i = 0; i < panel->total; i++)
            if (panel->view[i]->flags & EF_SELECTED) out->emplace_back(panel->view[i]->name);
    } catch (const std::bad_alloc&) {
        return 1;
    }
    return 0;
}

void PanelSaveSelection(PanelSelection* selection, const Panel* panel) {
    std::vector<std::wstring> names;
    if (SelectedNames(panel, &names)) return;  // the previous list stays
    selection->rememberedNames.swap(names);
    selection->remembered = 1;
}

int PanelRestoreSelection(const PanelSelection* selection, Panel* panel) {
    if (!selection->remembered) return 1;
    PanelUnselectAll(panel);
    SelectNames(panel, selection->rememberedNames);
    return 0;
}

int PanelSaveSelectionToFile(const Panel* panel, const wchar_t* path) {
    FILE* file = _wfopen(path, L"w");
    if (!file) return SELECTION_FILE_OPEN_FAILED;
    int failed = 0;
    for (int i = 0; i < panel->total && !failed; i++) {
        const PanelEntry* e = panel->view[i];
        if (!(e->flags & EF_SELECTED)) continue;
        // A name the text encoding cannot hold would end up as half a line.
        if (wcstombs(NULL, e->name, 0) == (size_t)-1) continue;
        if (fputws(e->name, file) < 0 || fputws(L"\n", file) < 0) failed = 1;
    }
    if (ferror(file)) failed = 1;
    if (fclose(file) != 0) failed = 1;
    return failed ? SELECTION_FILE_WRITE_FAILED : SELECTION_FILE_OK;
}

int PanelLoadSelectionFromFile(Panel* panel, const wchar_t* path) {
    FILE* file = _wfopen(path, L"r");
    if (!file) return SELECTION_FILE_OPEN_FAILED;
    std::vector<std::wstring> names;
    // Room for a longest name, its line end and one more character, so an
    // overlong line shows itself.
    wchar_t line[PANEL_PATH_CHARS + 2];
    int overlong = 0;
    while (fgetws(line, PANEL_PATH_CHARS + 2, file)) {
        size_t n = wcslen(line);
        int ended = n > 0 && line[n - 1] == L'\n';
        if (ended) line[--n] = 0;
        if (n > 0 && line[n - 1] == L'\r') line[--n] = 0;
        // The tail of a line too long for a name is no name of its own.
        int skip = overlong || n >= PANEL_PATH_CHARS;
        overlong = !ended && skip;
        if (skip || n == 0) continue;
        try {
            names.emplace_back(line, n);
        } catch (const std::bad_alloc&) {
            break;
        }
    }
    fclose(file);
    PanelUnselectAll(panel);
    SelectNames(panel, names);
    return SELECTION_FILE_OK;
}

int PanelAskSelectionFileName(HWND owner, wchar_t path[PANEL_PATH_CHARS]) {
    path[0] = 0;
    OPENFILENAMEW ofn;
    memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFile = path;
    ofn.nMaxFile = PANEL_PATH_CHARS;
    ofn.Flags = OFN_HIDEREADONLY;
    return GetSaveFileNameW(&ofn) && path[0] ? 1 : 0;
}

int PanelSelectMenuItemGrayed(const PanelSelection* selection, const Panel* active, int commandId) {
    switch (commandId) {
    case IDM_NEXT_SELECTED:
    case IDM_PREVIOUS_SELECTED: return !PanelHasSelection(active);
    case IDM_RESTORE_SELECTION: return !selection->remembered;
    default: return 0;
    }
}

int PanelSelectionCommand(PanelSelection* selection, Panel* active, int commandId, int visibleRows) {
    switch (commandId) {
    case IDM_SELECT_DIRS: PanelSelectDirectories(active); return 1;
    case IDM_SELECT_FILES: PanelSelectFiles(active); return 1;
    case IDM_SELECT_ALL: PanelSelectAll(active); return 1;
    case IDM_INVERT_DIRS: PanelInvertDirectories(active); return 1;
    case IDM_INVERT_FILES: PanelInvertFiles(active); return 1;
    case IDM_INVERT_ALL: PanelInvertAll(active); return 1;
    case IDM_UNSELECT_DIRS: PanelUnselectDirectories(active); return 1;
    case IDM_UNSELECT_FILES: PanelUnselectFiles(active); return 1;
    case IDM_UNSELECT_ALL: PanelUnselectAll(active); return 1;
    case IDM_SAVE_SELECTION: PanelSaveSelection(selection, active); return 1;
    case IDM_RESTORE_SELECTION: PanelRestoreSelection(selection, active); return 1;
    case IDM_NEXT_SELECTED: PanelGoToSelected(active, 1, visibleRows); return 1;
    case IDM_PREVIOUS_SELECTED: PanelGoToSelected(active, 0, visibleRows); return 1;
    default: return 0;
    }
}
