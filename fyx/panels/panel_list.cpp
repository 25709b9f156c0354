// A panel's life, its two-area pool and its growth, settings and snapshots.
#include "panel.h"

#include <shlwapi.h>
#include <string.h>
#include <wchar.h>

#include <new>

#include "panel_config.h"

static void CopyPath(wchar_t* out, size_t chars, const wchar_t* text) {
    size_t n = text ? wcslen(text) : 0;
    if (n >= chars) n = chars - 1;
    if (n) memcpy(out, text, n * sizeof(wchar_t));
    out[n] = 0;
}

// Appends `count` fresh records to the pool; the view follows the capacity.
static int AddRecords(Panel* panel, int count) {
    try {
        std::unique_ptr<PanelEntry[]> block(new PanelEntry[count]());
        panel->pool.reserve(panel->pool.size() + count);
        panel->view.resize(panel->pool.size() + count, NULL);
        for (int i = 0; i < count; i++) panel->pool.push_back(&block[i]);
        panel->blocks.push_back(std::move(block));
    } catch (const std::bad_alloc&) {
        panel->view.resize(panel->pool.size());
        return 1;
    }
    panel->capacity = (int)panel->pool.size();
    return 0;
}

void PanelRecreateIconList(Panel* panel) {
    if (panel->iconList) ImageList_Destroy(panel->iconList);
    panel->iconList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, panel->capacity + 20, 5);
    // Transparent like the first list, so icons never sit on white boxes
    // over a background picture.
    if (panel->iconList) ImageList_SetBkColor(panel->iconList, CLR_NONE);
}

Panel* PanelCreate(int index, const wchar_t* initialPath) {
    Panel* panel = new (std::nothrow) Panel();
    if (!panel) return NULL;
    panel->index = index;
    panel->focus = index == 0 ? 1 : 2;
    // Usable before the configuration is applied: the defaults' view.
    ConfigRecord defaults;
    PREFS_GetDefaultConfiguration(&defaults);
    PanelApplyConfiguration(panel, &defaults);
    panel->dirArea = PANEL_DIR_AREA_START;
    if (AddRecords(panel, PANEL_POOL_START)) {
        delete panel;
        return NULL;
    }
    try {
        panel->remembered.resize(PANEL_REMEMBERED_START);
    } catch (const std::bad_alloc&) {
        delete panel;
        return NULL;
    }
    panel->iconList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, PANEL_POOL_START + 20, 5);
    if (panel->iconList) ImageList_SetBkColor(panel->iconList, CLR_NONE);

    wchar_t windows[MAX_PATH] = L"C:\\";
    UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) CopyPath(windows, MAX_PATH, L"C:\\");
    PathStripToRootW(windows);
    CopyPath(panel->fallbackPath, PANEL_PATH_CHARS, windows);
    CopyPath(panel->currentPath, PANEL_PATH_CHARS,
             initialPath && *initialPath ? initialPath : panel->fallbackPath);
    CopyPath(panel->rootPath, PANEL_PATH_CHARS, panel->currentPath);
    PathStripToRootW(panel->rootPath);
    panel->atRoot = PathIsRootW(panel->currentPath) ? 1 : 0;
    return panel;
}

void PanelDestroy(Panel* panel) {
    if (!panel) return;
    if (panel->iconList) ImageList_Destroy(panel->iconList);
    TextMeasureRelease(&panel->measure);
    delete panel;
}

int PanelGrowFileArea(Panel* panel) {
    return AddRecords(panel, PANEL_POOL_STEP);
}

int PanelGrowDirectoryArea(Panel* panel) {
    panel->dirArea += PANEL_DIR_AREA_STEP;
    if (panel->dirArea >= panel->capacity) return PanelGrowFileArea(panel);
    return 0;
}

void PanelGetSettings(const Panel* panel, PanelSettings* out) {
    *out = panel->settings;
}

void PanelSetSettings(Panel* panel, const PanelSettings* in) {
    panel->settings = *in;
}

void PanelGetSummary(const Panel* panel, PanelSummary* out) {
    out->totalEntries = (uint32_t)panel->total;
    out->dirEntries = (uint32_t)panel->dirCount;
    out->fileEntries = (uint32_t)panel->fileCount;
    out->selectedFiles = panel->selectedFiles;
    out->selectedDirs = panel->selectedDirs;
    out->freeBytes = panel->freeBytes;
    out->totalBytes = panel->totalBytes;
    out->usedBytes = panel->usedBytes;
    out->listedBytes = panel->listedBytes;
    out->selectedBytes = panel->selectedBytes;
    CopyPath(out->currentPath, PANEL_PATH_CHARS, panel->currentPath);
    out->volumeSerial = panel->volumeSerial;
}

int PanelGetSnapshot(const Panel* panel, int position, EntrySnapshot* out) {
    if (position < 0 || position >= panel->total) return 1;
    const PanelEntry* e = panel->view[position];
    out->size = e->size;
    out->lastWriteTime = e->lastWriteTime;
    CopyPath(out->name, PANEL_PATH_CHARS, e->name);
    out->attributes = e->attributes;
    out->flags = e->flags;
    out->shellItem = e->shellItem;
    out->shellAttributes = e->shellAttributes;
    return 0;
}

PanelEntry* const* PanelView(const Panel* panel, int* total) {
    *total = panel->total;
    return panel->view.data();
}

int PanelTakeActiveSnapshot(Panel* const panels[2], ActivePanelSnapshot* out) {
    int source = panels[0]->focus == 1 ? 0 : panels[1]->focus == 1 ? 1 : -1;
    if (source < 0) return 1;
    const Panel* s = panels[source];
    const Panel* t = panels[1 - source];
    out->sourceIndex = source;
    out->sourceCursor = s->cursor;
    PanelGetSummary(s, &out->source);
    PanelGetSummary(t, &out->target);
    out->sourceEntry = EntrySnapshot{};
    out->targetEntry = EntrySnapshot{};
    PanelGetSnapshot(s, s->cursor, &out->sourceEntry);
    PanelGetSnapshot(t, t->cursor, &out->targetEntry);
    PanelGetSettings(s, &out->sourceSettings);
    PanelGetSettings(t, &out->targetSettings);
    return 0;
}

static int SamePathFolded(const wchar_t* a, const wchar_t* b) {
    for (;; a++, b++) {
        wchar_t x = *a, y = *b;
        if (x >= L'A' && x <= L'Z') x = (wchar_t)(x + 32);
        if (y >= L'A' && y <= L'Z') y = (wchar_t)(y + 32);
        if (x != y) return 0;
        if (!x) return 1;
    }
}

int PanelAddVisited(Panel* panel, const wchar_t* path) {
    for (int i = 0; i < panel->visitedCount; i++)
        if (SamePathFolded(panel->visited[i], path)) return 1;
    if (panel->visitedCount == PANEL_VISITED_MAX) {
        memmove(panel->visited[0], panel->visited[1],
                sizeof(panel->visited[0]) * (PANEL_VISITED_MAX - 1));
        panel->visitedCount--;
    }
    CopyPath(panel->visited[panel->visitedCount++], PANEL_PATH_CHARS, path);
    return 0;
}

uint64_t PanelMemoryBytes(const Panel* panel) {
    uint64_t bytes = (uint64_t)panel->capacity * sizeof(PanelEntry);
    bytes += panel->pool.capacity() * sizeof(PanelEntry*);
    bytes += panel->view.capacity() * sizeof(PanelEntry*);
    bytes += TextStoreBytes(&panel->text);
    bytes += panel->remembered.capacity() * sizeof(RememberedEntry);
    return bytes;
}
