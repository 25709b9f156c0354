// The plugin library's shared section: language lines, version slots, window
// handles and the request queue, one copy for all processes of the system.
#include "plugin.h"

#include <string.h>
#include <wchar.h>

namespace {

const wchar_t kSectionName[] = L"FyxPluginShared_1";
const wchar_t kLockName[] = L"FyxPluginLock_1";
const uint32_t kMagic = 0x46595850;  // "PXYF"
const DWORD kPendingLifetimeMs = 60000;

enum { kQueueSlots = 32 };

struct PendingRequest {
    uint32_t used;
    DWORD savedTick;
    uint64_t sequence;
    PluginParams block;
};

struct SharedArea {
    uint32_t magic;
    uint32_t fyxWindow;
    uint32_t optsWindow;
    uint32_t lastSavedValid;
    uint64_t nextSequence;
    PluginParams lastSaved;
    PendingRequest pending[kQueueSlots];
    wchar_t language[FYXPLG_LANGUAGE_LINES][FYXPLG_LANGUAGE_CAPACITY];
    wchar_t version[FYXPLG_VERSION_SLOTS][FYXPLG_VERSION_CAPACITY];
};

HANDLE g_section;
HANDLE g_lock;
SharedArea* g_area;

// Per-process copies handed to callers, one per id so several lines can be
// held at once.
wchar_t g_languageCopy[FYXPLG_LANGUAGE_LINES][FYXPLG_LANGUAGE_CAPACITY];
wchar_t g_versionCopy[FYXPLG_VERSION_SLOTS][FYXPLG_VERSION_CAPACITY];

bool Attach() {
    g_lock = CreateMutexW(NULL, FALSE, kLockName);
    if (!g_lock) return false;
    WaitForSingleObject(g_lock, INFINITE);
    g_section = CreateFileMappingW(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0,
                                   sizeof(SharedArea), kSectionName);
    if (g_section) {
        g_area = (SharedArea*)MapViewOfFile(g_section, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(SharedArea));
        // A fresh section is zero-filled by the system; the magic marks it set up.
        if (g_area && g_area->magic != kMagic) {
            memset(g_area, 0, sizeof(SharedArea));
            g_area->magic = kMagic;
        }
    }
    ReleaseMutex(g_lock);
    return g_area != NULL;
}

void Detach() {
    if (g_area) UnmapViewOfFile(g_area);
    if (g_section) CloseHandle(g_section);
    if (g_lock) CloseHandle(g_lock);
    g_area = NULL;
    g_section = g_lock = NULL;
}

// Scoped hold of the cross-process lock; `ok` is false when the section is missing.
struct Locked {
    bool ok;
    Locked() : ok(g_area != NULL) {
        if (ok) {
            DWORD r = WaitForSingleObject(g_lock, INFINITE);
            // An abandoned mutex still gives us ownership; the data was written
            // field by field under the lock, so it is whole.
            ok = (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED);
        }
    }
    ~Locked() {
        if (ok) ReleaseMutex(g_lock);
    }
};

void CopyText(wchar_t* to, size_t capacity, const wchar_t* from) {
    size_t n = 0;
    if (from) {
        while (n + 1 < capacity && from[n]) ++n;
        memcpy(to, from, n * sizeof(wchar_t));
    }
    memset(to + n, 0, (capacity - n) * sizeof(wchar_t));
}

bool IsRequest(const PluginParams& p) { return p.operation != 0 || p.sourceKind != 0; }

void DropExpired(DWORD now) {
    for (int i = 0; i < kQueueSlots; ++i) {
        PendingRequest& r = g_area->pending[i];
        if (r.used && now - r.savedTick > kPendingLifetimeMs) r.used = 0;
    }
}

void Enqueue(const PluginParams& p, DWORD now) {
    PendingRequest* slot = NULL;
    for (int i = 0; i < kQueueSlots && !slot; ++i)
        if (!g_area->pending[i].used) slot = &g_area->pending[i];
    if (!slot) {
        // Full queue: the oldest request gives way to the newest.
        slot = &g_area->pending[0];
        for (int i = 1; i < kQueueSlots; ++i)
            if (g_area->pending[i].sequence < slot->sequence) slot = &g_area->pending[i];
    }
    slot->used = 1;
    slot->savedTick = now;
    slot->sequence = ++g_area->nextSequence;
    slot->block = p;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) return Attach() ? TRUE : FALSE;
    if (reason == DLL_PROCESS_DETACH) Detach();
    return TRUE;
}

FYXPLG_API void FYXPLG_PutLineToLanguageBuffer(unsigned id, const wchar_t* text) {
    if (id >= FYXPLG_LANGUAGE_LINES) return;
    Locked lock;
    if (lock.ok) CopyText(g_area->language[id], FYXPLG_LANGUAGE_CAPACITY, text);
}

FYXPLG_API const wchar_t* FYXPLG_GetLineFromLanguageBuffer(unsigned id) {
    static const wchar_t empty[1] = {0};
    if (id >= FYXPLG_LANGUAGE_LINES) return empty;
    Locked lock;
    if (lock.ok) CopyText(g_languageCopy[id], FYXPLG_LANGUAGE_CAPACITY, g_area->language[id]);
    return g_languageCopy[id];
}

FYXPLG_API void FYXPLG_InitVersionBuffer(void) {
    Locked lock;
    if (lock.ok) memset(g_area->version, 0, sizeof(g_area->version));
}

FYXPLG_API void FYXPLG_PutLineToVersionBuffer(unsigned slot, const wchar_t* text) {
    if (slot >= FYXPLG_VERSION_SLOTS) return;
    Locked lock;
    if (lock.ok) CopyText(g_area->version[slot], FYXPLG_VERSION_CAPACITY, text);
}

FYXPLG_API const wchar_t* FYXPLG_GetLineFromVersionBuffer(unsigned slot) {
    static const wchar_t empty[1] = {0};
    if (slot >= FYXPLG_VERSION_SLOTS) return empty;
    Locked lock;
    if (lock.ok) CopyText(g_versionCopy[slot], FYXPLG_VERSION_CAPACITY, g_area->version[slot]);
    return g_versionCopy[slot];
}

FYXPLG_API const wchar_t* FYXPLG_GetVersion(void) { return L"1.0"; }

FYXPLG_API void FYXPLG_PutFYXWindowHandle(HWND window) {
    Locked lock;
    if (lock.ok) g_area->fyxWindow = PluginWindowValue(window);
}

FYXPLG_API HWND FYXPLG_GetFYXWindowHandle(void) {
    Locked lock;
    return lock.ok ? (HWND)(uintptr_t)g_area->fyxWindow : NULL;
}

FYXPLG_API void FYXPLG_PutFyxOptsWindowHandle(HWND window) {
    Locked lock;
    if (lock.ok) g_area->optsWindow = PluginWindowValue(window);
}

FYXPLG_API HWND FYXPLG_GetFyxOptsWindowHandle(void) {
    Locked lock;
    return lock.ok ? (HWND)(uintptr_t)g_area->optsWindow : NULL;
}

FYXPLG_API void FYXPLG_SavePluginParams(PluginParams params) {
    Locked lock;
    if (!lock.ok) return;
    DWORD now = GetTickCount();
    DropExpired(now);
    g_area->lastSaved = params;
    g_area->lastSavedValid = 1;
    if (IsRequest(params)) Enqueue(params, now);
}

FYXPLG_API PluginParams FYXPLG_LoadPluginParams(void) {
    PluginParams result;
    memset(&result, 0, sizeof(result));
    Locked lock;
    if (!lock.ok) return result;
    DropExpired(GetTickCount());
    PendingRequest* oldest = NULL;
    for (int i = 0; i < kQueueSlots; ++i) {
        PendingRequest& r = g_area->pending[i];
        if (r.used && (!oldest || r.sequence < oldest->sequence)) oldest = &r;
    }
    if (oldest) {
        result = oldest->block;
        oldest->used = 0;
    } else if (g_area->lastSavedValid) {
        result = g_area->lastSaved;
    }
    return result;
}
