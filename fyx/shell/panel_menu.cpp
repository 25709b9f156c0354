// The Left and Right pop-ups as data: which item mirrors which settings
// word, the check marks a settings block gives, and what an item changes.
#include "input.h"

namespace {

struct PanelMenuIds {
    int dirCase[3];   // upper, lower, as stored
    int fileCase[3];
    int columnName;
    int columns[7];   // Ext, DOS Name, Size, Type, Date, Time, Atr
    int info1[3];     // counts, file type, free space
    int info2[3];
    int listInOther;
    int roundSize;
    int showAll;
    int hideSystem;
    int sortKeys[4];  // name, extension, size, time
    int sortReverse;
    int sortDirs;
};

const PanelMenuIds kPanelMenuIds[2] = {
    {{IDM_LEFT_DIRS_UPPER, IDM_LEFT_DIRS_LOWER, IDM_LEFT_DIRS_AS_STORED},
     {IDM_LEFT_FILES_UPPER, IDM_LEFT_FILES_LOWER, IDM_LEFT_FILES_AS_STORED},
     IDM_LEFT_COLUMN_NAME,
     {IDM_LEFT_COLUMN_EXT, IDM_LEFT_COLUMN_DOS_NAME, IDM_LEFT_COLUMN_SIZE, IDM_LEFT_COLUMN_TYPE,
      IDM_LEFT_COLUMN_DATE, IDM_LEFT_COLUMN_TIME, IDM_LEFT_COLUMN_ATTR},
     {IDM_LEFT_INFO1_COUNTS, IDM_LEFT_INFO1_TYPE, IDM_LEFT_INFO1_SPACE},
     {IDM_LEFT_INFO2_COUNTS, IDM_LEFT_INFO2_TYPE, IDM_LEFT_INFO2_SPACE},
     IDM_LEFT_LIST_IN_OTHER,
     IDM_LEFT_ROUND_SIZE,
     IDM_LEFT_SHOW_ALL,
     IDM_LEFT_HIDE_SYSTEM,
     {IDM_LEFT_SORT_NAME, IDM_LEFT_SORT_EXT, IDM_LEFT_SORT_SIZE, IDM_LEFT_SORT_TIME},
     IDM_LEFT_SORT_REVERSE,
     IDM_LEFT_SORT_DIRS},
    {{IDM_RIGHT_DIRS_UPPER, IDM_RIGHT_DIRS_LOWER, IDM_RIGHT_DIRS_AS_STORED},
     {IDM_RIGHT_FILES_UPPER, IDM_RIGHT_FILES_LOWER, IDM_RIGHT_FILES_AS_STORED},
     IDM_RIGHT_COLUMN_NAME,
     {IDM_RIGHT_COLUMN_EXT, IDM_RIGHT_COLUMN_DOS_NAME, IDM_RIGHT_COLUMN_SIZE, IDM_RIGHT_COLUMN_TYPE,
      IDM_RIGHT_COLUMN_DATE, IDM_RIGHT_COLUMN_TIME, IDM_RIGHT_COLUMN_ATTR},
     {IDM_RIGHT_INFO1_COUNTS, IDM_RIGHT_INFO1_TYPE, IDM_RIGHT_INFO1_SPACE},
     {IDM_RIGHT_INFO2_COUNTS, IDM_RIGHT_INFO2_TYPE, IDM_RIGHT_INFO2_SPACE},
     IDM_RIGHT_LIST_IN_OTHER,
     IDM_RIGHT_ROUND_SIZE,
     IDM_RIGHT_SHOW_ALL,
     IDM_RIGHT_HIDE_SYSTEM,
     {IDM_RIGHT_SORT_NAME, IDM_RIGHT_SORT_EXT, IDM_RIGHT_SORT_SIZE, IDM_RIGHT_SORT_TIME},
     IDM_RIGHT_SORT_REVERSE,
     IDM_RIGHT_SORT_DIRS},
};

const int kSortKeyBits[4] = {SORT_NAME, SORT_EXT, SORT_SIZE, SORT_TIME};

int32_t* ColumnWord(PanelSettings* s, int column) {
    int32_t* words[7] = {&s->showExt,  &s->showDosName, &s->showSize,      &s->showType,
                         &s->showDate, &s->showTime,    &s->showAttributes};
    return words[column];
}

// Index of id in a list of n ids, or -1.
int IndexIn(const int* ids, int n, int id) {
    for (int i = 0; i < n; i++)
        if (ids[i] == id) return i;
    return -1;
}

// Case words: 0 upper, 1 lower, anything else as stored.
int CaseItem(int32_t word) { return word == 0 || word == 1 ? word : 2; }

// Choosing the kind already shown switches the line off.
void ChooseInfoLine(int32_t* shown, int32_t* kind, int chosen) {
    if (*shown == 1 && *kind == chosen) {
        *shown = 0;
    } else {
        *shown = 1;
        *kind = chosen;
    }
}

int ApplyToSide(const PanelMenuIds& m, int id, PanelSettings* s) {
    int i;
    if ((i = IndexIn(m.dirCase, 3, id)) >= 0) {
        if (CaseItem(s->dirCase) == i) return PANEL_MENU_NOTHING;
        s->dirCase = i;
        return PANEL_MENU_REREAD;
    }
    if ((i = IndexIn(m.fileCase, 3, id)) >= 0) {
        if (CaseItem(s->fileCase) == i) return PANEL_MENU_NOTHING;
        s->fileCase = i;
        return PANEL_MENU_REREAD;
    }
    if (id == m.columnName) return PANEL_MENU_NOTHING;  // the name column is always shown
    if ((i = IndexIn(m.columns, 7, id)) >= 0) {
        int32_t* word = ColumnWord(s, i);
        *word = *word == 1 ? 0 : 1;
        s->typeOrDosWanted = s->showDosName == 1 || s->showType == 1 ? 1 : 0;
        return PANEL_MENU_REREAD;
    }
    if ((i = IndexIn(m.info1, 3, id)) >= 0) {
        ChooseInfoLine(&s->showInfoLine1, &s->infoLine1Kind, i + 1);
        return PANEL_MENU_REREAD;
    }
    if ((i = IndexIn(m.info2, 3, id)) >= 0) {
        ChooseInfoLine(&s->showInfoLine2, &s->infoLine2Kind, i + 1);
        return PANEL_MENU_REREAD;
    }
    if (id == m.listInOther) {
        s->windowMode ^= WM_LIST_IN_OTHER;
        return PANEL_MENU_REPAINT;
    }
    if (id == m.roundSize) {
        s->sizeFormat = s->sizeFormat == 1 ? 0 : 1;
        return PANEL_MENU_REREAD;
    }
    if (id == m.showAll || id == m.hideSystem) {
        int wanted = id == m.showAll ? 1 : 0;
        if (s->showHidden == wanted) return PANEL_MENU_NOTHING;
        s->showHidden = wanted;
        return PANEL_MENU_REREAD;
    }
    if ((i = IndexIn(m.sortKeys, 4, id)) >= 0) {
        int mode = PanelSortModeForKey(s->sortMode, kSortKeyBits[i]);
        if (mode == s->sortMode) return PANEL_MENU_NOTHING;
        s->sortMode = mode;
        return PANEL_MENU_RESORT;
    }
    if (id == m.sortReverse || id == m.sortDirs) {
        s->sortMode ^= id == m.sortReverse ? SORT_REVERSE : SORT_DIRS;
        return PANEL_MENU_RESORT;
    }
    return PANEL_MENU_NOT_MINE;
}

}  // namespace

int PanelMenuApply(int commandId, PanelSettings* settings, int* side) {
    for (int k = 0; k < 2; k++) {
        PanelSettings copy = *settings;
        int effect = ApplyToSide(kPanelMenuIds[k], commandId, &copy);
        if (effect == PANEL_MENU_NOT_MINE) continue;
        *settings = copy;
        *side = k;
        return effect;
    }
    return PANEL_MENU_NOT_MINE;
}

int PanelMenuSideOf(int commandId) {
    PanelSettings scratch = {};
    int side = -1;
    return PanelMenuApply(commandId, &scratch, &side) == PANEL_MENU_NOT_MINE ? -1 : side;
}

int PanelMenuChecks(const PanelSettings* s, int side, MenuCheck out[MENU_CHECKS_PER_PANEL]) {
    const PanelMenuIds& m = kPanelMenuIds[side];
    int n = 0;
    auto put = [&](int id, bool checked) { out[n++] = MenuCheck{id, checked ? 1 : 0}; };
    for (int i = 0; i < 3; i++) put(m.dirCase[i], CaseItem(s->dirCase) == i);
    for (int i = 0; i < 3; i++) put(m.fileCase[i], CaseItem(s->fileCase) == i);
    put(m.columnName, true);
    PanelSettings copy = *s;
    for (int i = 0; i < 7; i++) put(m.columns[i], *ColumnWord(&copy, i) == 1);
    for (int i = 0; i < 3; i++) put(m.info1[i], s->showInfoLine1 == 1 && s->infoLine1Kind == i + 1);
    for (int i = 0; i < 3; i++) put(m.info2[i], s->showInfoLine2 == 1 && s->infoLine2Kind == i + 1);
    put(m.listInOther, (s->windowMode & WM_LIST_IN_OTHER) != 0);
    put(m.roundSize, s->sizeFormat == 1);
    put(m.showAll, s->showHidden == 1);
    put(m.hideSystem, s->showHidden != 1);
    for (int i = 0; i < 4; i++) put(m.sortKeys[i], (s->sortMode & kSortKeyBits[i]) != 0);
    put(m.sortReverse, (s->sortMode & SORT_REVERSE) != 0);
    put(m.sortDirs, (s->sortMode & SORT_DIRS) != 0);
    return n;
}
