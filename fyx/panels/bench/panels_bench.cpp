// Benchmark: a panel's read-and-prepare of a big directory against a bare
// find-file loop over the same directory, and the memory per entry.
#include <windows.h>

#include <stdio.h>
#include <wchar.h>

#include "panel.h"

static const int kFiles = 100000;
static const int kDirs = 2000;

static double Seconds() {
    static LARGE_INTEGER frequency;
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart / (double)frequency.QuadPart;
}

// Made once; a marker file says the tree is complete.
static bool PrepareTree(const wchar_t* root) {
    wchar_t path[MAX_PATH];
    swprintf(path, MAX_PATH, L"%ls\\complete.mark", root);
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES) return true;
    CreateDirectoryW(root, NULL);
    printf("creating %d files and %d directories...\n", kFiles, kDirs);
    for (int i = 0; i < kDirs; i++) {
        swprintf(path, MAX_PATH, L"%ls\\dir%05d", root, i);
        if (!CreateDirectoryW(path, NULL) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    for (int i = 0; i < kFiles; i++) {
        swprintf(path, MAX_PATH, L"%ls\\file%06d.%ls", root, (i * 7919) % kFiles,
                 (i % 3) ? L"txt" : L"dat");
        HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (h == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        WriteFile(h, path, (DWORD)(i % 64), &written, NULL);
        CloseHandle(h);
    }
    swprintf(path, MAX_PATH, L"%ls\\complete.mark", root);
    HANDLE h = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

static int BareLoop(const wchar_t* root) {
    wchar_t pattern[MAX_PATH];
    swprintf(pattern, MAX_PATH, L"%ls\\*.*", root);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do count++;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

int wmain() {
    wchar_t temp[MAX_PATH], root[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    swprintf(root, MAX_PATH, L"%lsfyx_panels_bench", temp);
    if (!PrepareTree(root)) {
        printf("could not create the tree (error %lu)\n", GetLastError());
        return 1;
    }
    BareLoop(root);  // warm the file system caches for both sides alike

    const int kRounds = 3;
    double bare = 1e30, cold = 1e30, warm = 1e30;
    int entries = 0, total = 0, passes = 0, capacity = 0;
    uint64_t bytes = 0;
    for (int round = 0; round < kRounds; round++) {
        double t0 = Seconds();
        entries = BareLoop(root);
        double t1 = Seconds();
        if (t1 - t0 < bare) bare = t1 - t0;

        // A fresh panel starts with 4000 records and grows while reading.
        Panel* panel = PanelCreate(0, root);
        panel->settings.sortMode = SORT_NAME;
        double t2 = Seconds();
        int failed = PanelChangeDirectory(panel, root);
        double t3 = Seconds();
        if (failed) {
            printf("read failed (error %d)\n", failed);
            return 1;
        }
        if (t3 - t2 < cold) cold = t3 - t2;
        passes = panel->readPasses;
        capacity = panel->capacity;
        double t4 = Seconds();
        PanelChangeDirectory(panel, root);
        double t5 = Seconds();
        if (t5 - t4 < warm) warm = t5 - t4;
        total = panel->total;
        bytes = PanelMemoryBytes(panel);
        PanelDestroy(panel);
    }
    printf("entries enumerated: %d, listed: %d, pool %d records, enumerations per new read: %d\n",
           entries, total, capacity, passes);
    printf("bare FindFirstFileW/FindNextFileW loop: %.3f s\n", bare);
    printf("read and prepare (name sort), new panel: %.3f s, ratio %.2f\n", cold, cold / bare);
    printf("read and prepare (name sort), grown panel: %.3f s, ratio %.2f\n", warm, warm / bare);
    printf("memory per entry: %.1f bytes (%llu bytes for %d entries)\n", (double)bytes / total,
           (unsigned long long)bytes, total);
    return 0;
}
