// The hand-over block: one copy in named shared memory for every process
// that has the library loaded, guarded by a named mutex so a reader never
// gets half of a stored block.
#include <string.h>

#include "info_block.h"
#include "prefs.h"

namespace {

const wchar_t kSectionName[] = L"FyxPrefsInfo_1";
const wchar_t kLockName[] = L"FyxPrefsInfoLock_1";
const DWORD kLockWaitMs = 5000;

HANDLE g_section;
HANDLE g_lock;
InfoBlock* g_shared;

bool Lock() {
    DWORD result = WaitForSingleObject(g_lock, kLockWaitMs);
    // An abandoned lock still belongs to us now; the block is copied whole
    // under it, so its holder cannot have left it half written.
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

}  // namespace

bool AttachInfoBlock() {
    // The system zero-fills a new paging-file section: the block starts zeroed.
    g_lock = CreateMutexW(NULL, FALSE, kLockName);
    g_section = CreateFileMappingW(INVALID_HANDLE_VALUE, NULL, PAGE_READWRITE, 0, sizeof(InfoBlock),
                                   kSectionName);
    if (g_section) {
        g_shared = (InfoBlock*)MapViewOfFile(g_section, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(InfoBlock));
    }
    return g_lock && g_shared;
}

void DetachInfoBlock() {
    if (g_shared) UnmapViewOfFile(g_shared);
    if (g_section) CloseHandle(g_section);
    if (g_lock) CloseHandle(g_lock);
    g_shared = NULL;
    g_section = NULL;
    g_lock = NULL;
}

PREFS_API int PREFS_SaveInfo(InfoBlock block) {
    if (!g_shared || !g_lock || !Lock()) return 1;
    memcpy(g_shared, &block, sizeof(block));
    ReleaseMutex(g_lock);
    return 0;
}

PREFS_API InfoBlock* PREFS_LoadInfo(InfoBlock* block) {
    if (!g_shared || !g_lock || !Lock()) {
        memset(block, 0, sizeof(*block));
        return block;
    }
    memcpy(block, g_shared, sizeof(*block));
    block->programFolder[PREFS_TEXT_CAPACITY - 1] = 0;
    ReleaseMutex(g_lock);
    return block;
}
