// Reading a file-system directory into a panel, the growth loop of every
// reader, and the preparation that follows a read.
#include "panel.h"

#include <shellapi.h>
#include <shlwapi.h>
#include <string.h>
#include <wchar.h>

#include <algorithm>
#include <new>

#include "panel_format.h"

static const wchar_t kEmpty[] = L"";

static void Raise(int width, int* current, int* maximum) {
    *current = width;
    if (width > *maximum) *maximum = width;
}

static const wchar_t* Store(Panel* panel, const wchar_t* text, size_t length) {
    return TextStoreAdd(&panel->text, text, length);
}

void PanelFillBlankParent(Panel* panel, PanelEntry* e) {
    e->name = L"..";
    e->sortText = e->name;
    e->attributes = FILE_ATTRIBUTE_DIRECTORY;
    e->flags = EF_DIRECTORY | EF_PARENT;
    e->size = 0;
    e->lastWriteTime = FILETIME{0, 0};
    e->sizeText = kEmpty;
    e->iconIndex = 0;
    e->iconPending = 0;
    e->dosName = kEmpty;
    e->typeText = kEmpty;
    e->shellItem = NULL;
    e->shellAttributes = 0;
    PanelBlankDateText(e->dateText);
}

static const wchar_t* TypeName(Panel* panel, const WIN32_FIND_DATAW* found, size_t nameLength) {
    // With SHGFI_USEFILEATTRIBUTES the answer depends only on the kind and
    // the extension, so one question per extension and read is enough.
    std::wstring key;
    if (found->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        key = L"\\";
    } else {
        const wchar_t* dot = wcsrchr(found->cFileName, L'.');
        if (dot) key.assign(dot);
        for (wchar_t& c : key)
            if (c >= L'A' && c <= L'Z') c = (wchar_t)(c + 32);
    }
    auto known = panel->typeNames.find(key);
    if (known != panel->typeNames.end()) return known->second;

    wchar_t path[MAX_PATH * 2];
    size_t dirLength = wcslen(panel->currentPath);
    const wchar_t* name = found->cFileName;
    if (dirLength + 1 + nameLength + 1 > MAX_PATH * 2) return kEmpty;
    memcpy(path, panel->currentPath, dirLength * sizeof(wchar_t));
    if (dirLength && path[dirLength - 1] != L'\\') path[dirLength++] = L'\\';
    memcpy(path + dirLength, name, (nameLength + 1) * sizeof(wchar_t));
    SHFILEINFOW info;
    memset(&info, 0, sizeof(info));
    const wchar_t* text = kEmpty;
    if (SHGetFileInfoW(path, found->dwFileAttributes, &info, sizeof(info),
                       SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES) && info.szTypeName[0]) {
        const wchar_t* stored = Store(panel, info.szTypeName, wcsnlen(info.szTypeName, 79));
        if (stored) text = stored;
    }
    panel->typeNames.emplace(std::move(key), text);
    return text;
}

// The extension as the sort key: a pointer into the name when it is its tail.
static const wchar_t* ExtensionKey(Panel* panel, const wchar_t* name) {
    wchar_t ext[260];
    PanelFileExtension(name, ext);
    size_t n = wcslen(name), k = wcslen(ext);
    if (k <= n && wmemcmp(name + n - k, ext, k) == 0) return name + n - k;
    const wchar_t* stored = Store(panel, ext, k);
    return stored ? stored : kEmpty;
}

void PanelSetSortKeyText(Panel* panel, PanelEntry* e, int sortMode) {
    e->sortText = (sortMode & SORT_EXT) ? ExtensionKey(panel, e->name) : e->name;
}

int PanelFillEntry(Panel* panel, PanelEntry* e, const WIN32_FIND_DATAW* found) {
    const PanelSettings& s = panel->settings;
    DWORD attributes = found->dwFileAttributes;
    if (s.showHidden == 0 && (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
        return 1;
    size_t nameLength = wcsnlen(found->cFileName, MAX_PATH - 1);
    e->name = Store(panel, found->cFileName, nameLength);
    if (!e->name) return 2;
    e->attributes = attributes;
    e->lastWriteTime = found->ftLastWriteTime;
    e->size = ((uint64_t)found->nFileSizeHigh << 32) | found->nFileSizeLow;
    e->shellItem = NULL;
    e->shellAttributes = 0;
    e->iconIndex = 0;
    PanelFormatDateText(&found->ftLastWriteTime, attributes, panel->timeBias, panel->timeBiasOk,
                        e->dateText);

    int directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    ColumnMeasure& m = panel->columns;
    if (directory) {
        Raise(TextMeasureWidth(&panel->measure, e->name, nameLength, s.dirCase), &m.nameWidth,
              &m.nameMax);
    } else {
        int dot = s.showExt == 1 ? PanelExtensionDot(e->name, nameLength) : -1;
        size_t stem = dot < 0 ? nameLength : (size_t)dot;
        Raise(TextMeasureWidth(&panel->measure, e->name, stem, s.fileCase), &m.nameWidth,
              &m.nameMax);
        if (s.showExt == 1) {
            int extWidth = dot < 0 ? 0
                                   : TextMeasureWidth(&panel->measure, e->name + dot + 1,
                                                      nameLength - dot - 1, s.fileCase);
            Raise(extWidth, &m.extWidth, &m.extMax);
        }
    }

    int typeWanted = s.showType == 1 || (s.showInfoLine1 == 1 && s.infoLine1Kind == 2) ||
                     (s.showInfoLine2 == 1 && s.infoLine2Kind == 2);
    e->typeText = kEmpty;
    if (typeWanted) {
        e->typeText = TypeName(panel, found, nameLength);
        Raise(TextMeasureWidth(&panel->measure, e->typeText, wcslen(e->typeText), 2), &m.typeWidth,
              &m.typeMax);
    }
    e->dosName = kEmpty;
    if (s.showDosName == 1) {
        size_t n = wcsnlen(found->cAlternateFileName, 13);
        if (n) {
            const wchar_t* dos = Store(panel, found->cAlternateFileName, n);
            if (!dos) return 2;
            e->dosName = dos;
        }
        Raise(TextMeasureWidth(&panel->measure, e->dosName, n, 2), &m.dosWidth, &m.dosMax);
    }

    e->sizeText = kEmpty;
    if (directory) {
        e->size = 0;
    } else {
        wchar_t text[PANEL_SIZE_TEXT_CHARS];
        PanelFormatSizeText(e->size, s.sizeFormat, text);
        size_t n = wcslen(text);
        const wchar_t* stored = Store(panel, text, n);
        if (!stored) return 2;
        e->sizeText = stored;
        Raise(TextMeasureWidth(&panel->measure, text, n, 2), &m.sizeWidth, &m.sizeMax);
    }

    int sortMode = s.sortMode;
    if (directory && !(sortMode & SORT_DIRS)) {
        e->sortText = e->name;
    } else {
        // Remembered directory sizes order the list only while a refresh
        // reads the same directory again.
        if (directory && (sortMode & SORT_SIZE))
            e->size = panel->keepCursor && wcscmp(panel->rememberedPath, panel->currentPath) == 0
                          ? PanelLookUpRememberedSize(panel, e->name)
                          : 0;
        PanelSetSortKeyText(panel, e, sortMode);
    }
    return 0;
}

uint64_t PanelLookUpRememberedSize(const Panel* panel, const wchar_t* name) {
    auto it = panel->rememberedByName.find(std::wstring_view(name));
    if (it == panel->rememberedByName.end()) return 0;
    return panel->remembered[it->second].size;
}

static void ResetListing(Panel* panel) {
    panel->selectedDirs = 0;
    panel->selectedFiles = 0;
    panel->cursor = 0;
    panel->listedBytes = 0;
    panel->selectedBytes = 0;
    panel->columns = ColumnMeasure{};
    panel->dirCount = 0;
    panel->fileCount = 0;
    panel->total = 0;
    panel->nextFileSlot = panel->dirArea + 1;
    panel->dirSlot = 0;
    TextStoreReset(&panel->text);
    panel->typeNames.clear();
    panel->timeBias = PanelLocalTimeBias(&panel->timeBiasOk);
    panel->listingCleared = 1;
}

// The file area simply gets longer: nothing in it moves.
static int EnsureFileRoom(Panel* panel) {
    while (panel->nextFileSlot + 2 >= panel->capacity)
        if (PanelGrowFileArea(panel)) return 1;
    return 0;
}

// A larger directory area shifts the files listed so far behind it.
static int GrowDirectoryAreaInPlace(Panel* panel) {
    int oldArea = panel->dirArea;
    if (PanelGrowDirectoryArea(panel)) {
        panel->dirArea = oldArea;
        return 1;
    }
    int shift = panel->dirArea - oldArea;
    panel->nextFileSlot += shift;
    if (EnsureFileRoom(panel)) {
        panel->nextFileSlot -= shift;
        panel->dirArea = oldArea;
        return 1;
    }
    auto first = panel->pool.begin() + oldArea + 1;
    std::rotate(first, first + panel->fileCount, first + panel->fileCount + shift);
    return 0;
}

static int BuildPattern(const wchar_t* dir, wchar_t* out, size_t chars) {
    size_t n = wcslen(dir);
    if (n + 5 > chars) return 1;
    memcpy(out, dir, n * sizeof(wchar_t));
    if (n && out[n - 1] != L'\\') out[n++] = L'\\';
    memcpy(out + n, L"*.*", 4 * sizeof(wchar_t));
    return 0;
}

static int IsDotName(const wchar_t* name, int dots) {
    return name[0] == L'.' && (dots == 1 ? name[1] == 0 : name[1] == L'.' && name[2] == 0);
}

int PanelReadFileSystem(Panel* panel) {
    wchar_t pattern[MAX_PATH + 8];
    if (BuildPattern(panel->currentPath, pattern, MAX_PATH + 8)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return READ_ERROR;
    }
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES) {
            // The previous listing stays as it was.
            SetLastError(error);
            return READ_ERROR;
        }
    }
    ResetListing(panel);
    int startCapacity = panel->capacity;

    panel->atRoot = PathIsRootW(panel->currentPath) ? 1 : 0;
    wcscpy(panel->rootPath, panel->currentPath);
    PathStripToRootW(panel->rootPath);
    if (!panel->atRoot || panel->options.showParentAtRoot) {
        PanelFillBlankParent(panel, panel->pool[0]);
        panel->dirSlot = 1;
        panel->dirCount = 1;
    }

    int result = READ_DONE;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (IsDotName(found.cFileName, 1)) continue;
            if (EnsureFileRoom(panel) ||
                (panel->dirSlot + 2 >= panel->dirArea && GrowDirectoryAreaInPlace(panel))) {
                result = READ_ERROR;
                break;
            }
            int directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (directory && IsDotName(found.cFileName, 2)) {
                if (panel->atRoot) continue;
                PanelEntry* parent = panel->pool[0];
                PanelFillBlankParent(panel, parent);
                parent->attributes = found.dwFileAttributes;
                parent->lastWriteTime = found.ftLastWriteTime;
                continue;
            }
            if (directory) {
                PanelEntry* e = panel->pool[panel->dirSlot];
                int filled = PanelFillEntry(panel, e, &found);
                if (filled == 2) {
                    result = READ_ERROR;
                    break;
                }
                if (filled == 0) {
                    e->flags = EF_DIRECTORY;
                    e->iconPending = 1;
                    panel->dirSlot++;
                    panel->dirCount++;
                }
            } else {
                PanelEntry* e = panel->pool[panel->nextFileSlot];
                int filled = PanelFillEntry(panel, e, &found);
                if (filled == 2) {
                    result = READ_ERROR;
                    break;
                }
                if (filled == 0) {
                    e->flags = 0;
                    e->iconPending = 1;
                    panel->listedBytes += e->size;
                    panel->nextFileSlot++;
                    panel->fileCount++;
                }
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    if (result == READ_ERROR) {
        panel->dirCount = panel->fileCount = panel->total = 0;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return READ_ERROR;
    }
    panel->total = panel->dirCount + panel->fileCount;
    if (panel->capacity != startCapacity) PanelRecreateIconList(panel);
    return READ_DONE;
}

static PanelReader ReaderOf(const Panel* panel) {
    switch (panel->settings.panelMode) {
    case PANEL_SHELL: return panel->shellReader;
    case PANEL_ARCHIVE: return panel->archiveReader;
    default: return PanelReadFileSystem;
    }
}

// Grows the pool for a reader that ran full, at least one step, and on to
// what the reader says it has seen.
static int GrowForReader(Panel* panel, int result) {
    int grown = result == READ_FILE_AREA_FULL ? PanelGrowFileArea(panel)
                                              : PanelGrowDirectoryArea(panel);
    while (!grown && panel->neededDirs + 1 >= panel->dirArea) grown = PanelGrowDirectoryArea(panel);
    while (!grown && panel->dirArea + panel->neededFiles + 2 >= panel->capacity)
        grown = PanelGrowFileArea(panel);
    return grown;
}

int PanelReadAndPrepare(Panel* panel) {
    PanelReader reader = ReaderOf(panel);
    if (!reader) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return 1;
    }
    panel->readPasses = 0;
    for (;;) {
        panel->readPasses++;
        panel->neededDirs = 0;
        panel->neededFiles = 0;
        int result = reader(panel);
        if (result == READ_ERROR) return 1;
        if (result == READ_DONE) break;
        if (GrowForReader(panel, result)) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return 1;
        }
        PanelRecreateIconList(panel);
    }
    PanelSort(panel);
    if (panel->columnLayout) panel->columnLayout(panel);
    panel->pathVisited = 0;
    if (panel->settings.panelMode == PANEL_FILESYSTEM)
        panel->pathVisited = PanelAddVisited(panel, panel->currentPath);
    if (!panel->keepCursor) {
        panel->topRow = 0;
        panel->horizontalScroll = 0;
    }
    return 0;
}
