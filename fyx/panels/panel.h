// A file panel's records: entries, the two-area pool, the view, settings,
// snapshots, and the operations that read, sort and refresh a listing.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <stdint.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "panel_text.h"

// Entry flags.
enum {
    EF_DIRECTORY = 0x01,
    EF_SELECTED = 0x02,
    EF_SIZE_KNOWN = 0x04,
    EF_PARENT = 0x10,
    EF_CURSOR_MARK = 0x20,
    EF_SHARED_ICON = 0x40,
    EF_ICON_RESOLVED = 0x80,
};

// Sort mode bits (settings word 4).
enum {
    SORT_NAME = 0x01,
    SORT_EXT = 0x02,
    SORT_TIME = 0x04,
    SORT_SIZE = 0x10,
    SORT_REVERSE = 0x20,
    SORT_DIRS = 0x40,
    SORT_KEY_BITS = SORT_NAME | SORT_EXT | SORT_TIME | SORT_SIZE,
};

// Window mode bits (settings word 13).
enum {
    WM_LIST_IN_OTHER = 0x01,
    WM_LOAD_ICONS = 0x02,
};

enum PanelMode {
    PANEL_FILESYSTEM = 1,
    PANEL_SHELL = 2,
    PANEL_ARCHIVE = 3,
};

// Results of a reader.
enum {
    READ_DONE = 0,
    READ_ERROR = 1,
    READ_FILE_AREA_FULL = 2,
    READ_DIR_AREA_FULL = 3,
};

const int PANEL_POOL_START = 4000;
const int PANEL_POOL_STEP = 4000;
const int PANEL_DIR_AREA_START = 200;
const int PANEL_DIR_AREA_STEP = 500;
const int PANEL_REMEMBERED_START = 500;
const int PANEL_BACK_DEPTH = 98;
const int PANEL_VISITED_MAX = 20;
const int PANEL_PATH_CHARS = 260;
const int PANEL_SHELL_PATH_CHARS = 1024;
const int PANEL_DATE_CHARS = 30;

// One listed item. The texts live in the panel's text store and stay valid
// until the next read of the panel; a field the current mode does not fill
// points at an empty text rather than at a previous listing's.
struct PanelEntry {
    const wchar_t* sortText;  // name or extension while the key is a text
    uint64_t size;
    FILETIME lastWriteTime;
    const wchar_t* name;
    DWORD attributes;
    const wchar_t* sizeText;
    DWORD flags;
    int32_t iconIndex;
    int32_t iconPending;
    wchar_t dateText[PANEL_DATE_CHARS];
    const wchar_t* dosName;
    const wchar_t* typeText;
    void* shellItem;  // relative item id list, shell mode only
    DWORD shellAttributes;
};

// The 19 display-setting words of one panel, in stored order.
struct PanelSettings {
    int32_t sizeFormat;       // 1 short form, else exact with digit groups
    int32_t dirCase;          // 0 upper, 1 lower, else as stored
    int32_t fileCase;         // 0 upper, 1 lower, else as stored
    int32_t showHidden;       // 1 show all, 0 leave out hidden and system
    int32_t sortMode;         // SORT_ bits
    int32_t showExt;
    int32_t showDosName;
    int32_t showSize;
    int32_t showType;
    int32_t showDate;
    int32_t showTime;
    int32_t showAttributes;
    int32_t typeOrDosWanted;  // 1 when showDosName or showType is 1
    int32_t windowMode;       // WM_ bits
    int32_t showInfoLine1;
    int32_t showInfoLine2;
    int32_t infoLine1Kind;    // 1 counts, 2 file type, 3 free space
    int32_t infoLine2Kind;
    int32_t panelMode;        // PanelMode
};
static_assert(sizeof(PanelSettings) == 19 * 4, "PanelSettings is 19 words");

// The options of the configuration record that the listing depends on.
struct PanelOptions {
    int32_t showParentAtRoot;  // WiewRootDir
    int32_t removableIcons;    // DrvRemovableIcons
    int32_t fixedIcons;        // DrvFixedIcons
    int32_t cdromIcons;        // DrvCDROMIcons
    int32_t networkIcons;      // DrvNetworkIcons
};

struct RememberedEntry {
    DWORD flags;
    wchar_t name[PANEL_PATH_CHARS];
    uint64_t size;
};

struct PanelSummary {
    uint32_t totalEntries;
    uint32_t dirEntries;
    uint32_t fileEntries;
    uint32_t selectedFiles;
    uint32_t selectedDirs;
    uint64_t freeBytes;
    uint64_t totalBytes;
    uint64_t usedBytes;
    uint64_t listedBytes;
    uint64_t selectedBytes;
    wchar_t currentPath[PANEL_PATH_CHARS];
    uint32_t volumeSerial;
};

// The parts of an entry an operation needs, owned by the snapshot.
struct EntrySnapshot {
    uint64_t size;
    FILETIME lastWriteTime;
    wchar_t name[PANEL_PATH_CHARS];
    DWORD attributes;
    DWORD flags;
    void* shellItem;
    DWORD shellAttributes;
};

// Widths of the last measured text and the widest so far, in pixels.
struct ColumnMeasure {
    int nameWidth, nameMax;
    int extWidth, extMax;
    int dosWidth, dosMax;
    int typeWidth, typeMax;
    int sizeWidth, sizeMax;
};

struct BackStackPair {
    int scroll;
    int cursor;
};

struct Panel;
// Reader of one panel mode: READ_DONE, READ_ERROR or an area-full result.
typedef int (*PanelReader)(Panel* panel);
// Column layout from the measurements, supplied by the painting code.
typedef void (*PanelColumnLayout)(Panel* panel);

struct Panel {
    int index;  // 0 left, 1 right
    int focus;  // 1 active, 2 other
    PanelSettings settings;
    PanelOptions options;

    // Listing: pool slots 0..D-1 are the directory area (slot 0 the parent
    // entry when there is one), the file area starts at D+1.
    std::vector<std::unique_ptr<PanelEntry[]>> blocks;
    std::vector<PanelEntry*> pool;
    std::vector<PanelEntry*> view;
    int dirArea;   // D
    int capacity;  // C
    int dirCount;  // includes the parent entry
    int fileCount;
    int total;
    int nextFileSlot;
    int dirSlot;
    int cursor;
    HIMAGELIST iconList;
    TextStore text;
    TextMeasure measure;
    ColumnMeasure columns;
    PanelColumnLayout columnLayout;
    PanelReader shellReader;
    PanelReader archiveReader;
    int readPasses;  // reader calls of the last read and prepare
    // A reader that ran full may say how many entries it has seen in all
    // (the parent entry counted with the directories); the pool then grows
    // to that before the single re-read. 0: unknown, grow one step.
    int neededDirs;
    int neededFiles;
    int64_t timeBias;  // local minus UTC, taken once per read
    int timeBiasOk;
    std::unordered_map<std::wstring, const wchar_t*> typeNames;  // per read

    uint32_t selectedDirs;
    uint32_t selectedFiles;
    uint64_t selectedBytes;
    uint64_t listedBytes;

    UINT driveType;
    DWORD volumeSerial;
    wchar_t fileSystemName[PANEL_PATH_CHARS];
    uint64_t freeBytes;
    uint64_t totalBytes;
    uint64_t usedBytes;
    int diskFiguresTaken;
    wchar_t iconRuleRoot[PANEL_PATH_CHARS];  // drive root the icon option was last taken for

    wchar_t currentPath[PANEL_PATH_CHARS];
    wchar_t fallbackPath[PANEL_PATH_CHARS];
    wchar_t rootPath[PANEL_PATH_CHARS];
    wchar_t archivePath[PANEL_PATH_CHARS];
    wchar_t archiveDir[PANEL_PATH_CHARS];
    wchar_t shellDisplayPath[PANEL_SHELL_PATH_CHARS];
    wchar_t shellParsingPath[PANEL_SHELL_PATH_CHARS];
    wchar_t cursorName[PANEL_PATH_CHARS];

    BackStackPair backStack[PANEL_BACK_DEPTH];
    int backDepth;
    wchar_t visited[PANEL_VISITED_MAX][PANEL_PATH_CHARS];
    int visitedCount;
    std::vector<RememberedEntry> remembered;
    int rememberedCount;
    std::unordered_map<std::wstring_view, int> rememberedByName;
    wchar_t rememberedPath[PANEL_PATH_CHARS];  // directory the list was taken in

    int atRoot;
    int keepCursor;
    int cursorNameRequest;
    wchar_t requestedCursorName[PANEL_PATH_CHARS];
    int pathVisited;
    int listingCleared;  // a read emptied the listing since the last look
    int savedScroll;
    int savedCursor;
    int topRow;
    int horizontalScroll;
};

// Everything the operation front-end takes of both panels before a request.
struct ActivePanelSnapshot {
    int sourceIndex;
    int sourceCursor;
    PanelSummary source;
    PanelSummary target;
    EntrySnapshot sourceEntry;
    EntrySnapshot targetEntry;
    PanelSettings sourceSettings;
    PanelSettings targetSettings;
};

// panel_list.cpp
Panel* PanelCreate(int index, const wchar_t* initialPath);
void PanelDestroy(Panel* panel);
void PanelGetSettings(const Panel* panel, PanelSettings* out);
void PanelSetSettings(Panel* panel, const PanelSettings* in);
void PanelGetSummary(const Panel* panel, PanelSummary* out);
// 0 copied, 1 when the position is outside the listing (out untouched).
int PanelGetSnapshot(const Panel* panel, int position, EntrySnapshot* out);
PanelEntry* const* PanelView(const Panel* panel, int* total);
// 0 taken, 1 when no panel has the focus.
int PanelTakeActiveSnapshot(Panel* const panels[2], ActivePanelSnapshot* out);
// Growth of the areas; 0 ok, 1 out of memory.
int PanelGrowFileArea(Panel* panel);
int PanelGrowDirectoryArea(Panel* panel);
void PanelRecreateIconList(Panel* panel);
// 1 when the path was already in the visited list.
int PanelAddVisited(Panel* panel, const wchar_t* path);
uint64_t PanelMemoryBytes(const Panel* panel);

// panel_fsk.cpp: 1 when the path is an existing directory, else 0 with the
// reason as the last error.
int PanelIsDirectory(const wchar_t* path);

// panel_read.cpp
int PanelReadAndPrepare(Panel* panel);
int PanelReadFileSystem(Panel* panel);
// 0 listed, 1 rejected by the filter, 2 out of memory.
int PanelFillEntry(Panel* panel, PanelEntry* entry, const WIN32_FIND_DATAW* found);
void PanelFillBlankParent(Panel* panel, PanelEntry* entry);
uint64_t PanelLookUpRememberedSize(const Panel* panel, const wchar_t* name);
// The text key of an entry for a sort mode: its extension or its name.
void PanelSetSortKeyText(Panel* panel, PanelEntry* entry, int sortMode);

// panel_refresh.cpp
int PanelChangeDirectory(Panel* panel, const wchar_t* path);
void PanelRefresh(Panel* panel);
void PanelRecover(Panel* panel);
void PanelRememberState(Panel* panel);
void PanelRestoreState(Panel* panel);
void PanelClearRefreshRequests(Panel* panel);
void PanelUpdateDiskFigures(Panel* panel);

// panel_sort.cpp
int PanelCompareNames(const wchar_t* a, const wchar_t* b);
int PanelCompareEntries(const PanelEntry* a, const PanelEntry* b, int sortMode);
void PanelSort(Panel* panel);
void PanelResort(Panel* panel);
// The mode after a "Sort by ..." menu choice of one key bit: unchanged when
// it is already the key, else that key with reverse and directories kept.
int PanelSortModeForKey(int sortMode, int key);
// The mode after a click on the title of a key: reverse toggled when it is
// the current key, else as the menu.
int PanelSortModeForTitle(int sortMode, int key);
// Sets the mode and re-sorts; 1 when it changed.
int PanelApplySortMode(Panel* panel, int sortMode);
