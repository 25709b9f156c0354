// The comparators, the full sort after a read and the re-sort on the view.
#include "panel.h"

#include <algorithm>

int PanelCompareNames(const wchar_t* a, const wchar_t* b) {
    for (;; a++, b++) {
        unsigned x = *a, y = *b;
        if (x >= L'A' && x <= L'Z') x += 32;
        if (y >= L'A' && y <= L'Z') y += 32;
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
    }
}

// Equal keys fall back to the names, so a listing comes out the same way
// every time.
static int CompareKey(const PanelEntry* a, const PanelEntry* b, int key) {
    int r = 0;
    switch (key) {
    case SORT_EXT:
        r = PanelCompareNames(a->sortText, b->sortText);
        break;
    case SORT_SIZE:
        r = a->size < b->size ? -1 : a->size > b->size ? 1 : 0;
        break;
    case SORT_TIME:
        r = CompareFileTime(&a->lastWriteTime, &b->lastWriteTime);
        break;
    default:
        break;
    }
    return r ? r : PanelCompareNames(a->name, b->name);
}

static int KeyOf(int sortMode) {
    if (sortMode & SORT_NAME) return SORT_NAME;
    if (sortMode & SORT_EXT) return SORT_EXT;
    if (sortMode & SORT_TIME) return SORT_TIME;
    if (sortMode & SORT_SIZE) return SORT_SIZE;
    return SORT_NAME;
}

int PanelCompareEntries(const PanelEntry* a, const PanelEntry* b, int sortMode) {
    int r = CompareKey(a, b, KeyOf(sortMode));
    return (sortMode & SORT_REVERSE) ? -r : r;
}

static void SortRange(PanelEntry** first, PanelEntry** last, int sortMode) {
    if (last - first < 2) return;
    std::sort(first, last, [sortMode](const PanelEntry* a, const PanelEntry* b) {
        return PanelCompareEntries(a, b, sortMode) < 0;
    });
}

// Shell folders are always ordered by name; the stored mode stays.
static int EffectiveMode(const Panel* panel) {
    int mode = panel->settings.sortMode;
    if (panel->settings.panelMode == PANEL_SHELL) return SORT_NAME | (mode & SORT_REVERSE);
    return mode;
}

void PanelSort(Panel* panel) {
    if (panel->total == 0) return;
    int mode = EffectiveMode(panel);
    PanelEntry** pool = panel->pool.data();
    int start = panel->dirCount > 0 && (pool[0]->flags & EF_PARENT) ? 1 : 0;
    PanelEntry** dirs = pool + start;
    PanelEntry** dirsEnd = pool + panel->dirCount;
    PanelEntry** files = pool + panel->dirArea + 1;
    if (mode & SORT_DIRS) SortRange(dirs, dirsEnd, mode);
    SortRange(files, files + panel->fileCount, mode);
    if (!(mode & SORT_DIRS)) SortRange(dirs, dirsEnd, SORT_NAME);

    PanelEntry** view = panel->view.data();
    std::copy(pool, dirsEnd, view);
    std::copy(files, files + panel->fileCount, view + panel->dirCount);
}

void PanelResort(Panel* panel) {
    if (panel->total == 0) return;
    int mode = EffectiveMode(panel);
    int shell = panel->settings.panelMode == PANEL_SHELL;
    PanelEntry** view = panel->view.data();
    int start = view[0]->flags & EF_PARENT ? 1 : 0;
    for (int i = (mode & SORT_DIRS) ? 0 : panel->dirCount; i < panel->total; i++)
        PanelSetSortKeyText(panel, view[i], mode);

    int cursor = panel->cursor >= 0 && panel->cursor < panel->total ? panel->cursor : 0;
    view[cursor]->flags |= EF_CURSOR_MARK;
    if (mode & SORT_DIRS) SortRange(view + start, view + panel->dirCount, mode);
    SortRange(view + panel->dirCount, view + panel->total, mode);
    if (!shell && !(mode & SORT_DIRS)) {
        for (int i = 0; i < panel->dirCount; i++) view[i]->sortText = view[i]->name;
        SortRange(view + start, view + panel->dirCount, SORT_NAME);
    }
    for (int i = 0; i < panel->total; i++) {
        if (view[i]->flags & EF_CURSOR_MARK) {
            view[i]->flags &= ~EF_CURSOR_MARK;
            panel->cursor = i;
            break;
        }
    }
}

int PanelSortModeForKey(int sortMode, int key) {
    if ((sortMode & SORT_KEY_BITS) == key) return sortMode;
    return (sortMode & ~SORT_KEY_BITS) | key;
}

int PanelSortModeForTitle(int sortMode, int key) {
    if (KeyOf(sortMode) == key) return sortMode ^ SORT_REVERSE;
    return PanelSortModeForKey(sortMode, key);
}

int PanelApplySortMode(Panel* panel, int sortMode) {
    if (sortMode == panel->settings.sortMode) return 0;
    panel->settings.sortMode = sortMode;
    PanelResort(panel);
    return 1;
}
