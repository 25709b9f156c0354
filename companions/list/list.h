// Fyx archive listing library: exported interface.
#pragma once

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

#ifdef FYX_BUILDING_FYXLST
#define FYXLST_API extern "C" __declspec(dllexport)
#else
#define FYXLST_API extern "C" __declspec(dllimport)
#endif

// One entry of an archive folder, filled by FYXLST_ReadList.
struct FyxListRecord {
    wchar_t name[260];   // the name inside its folder
    uint64_t size;       // a folder: everything under it
    uint32_t flags;      // FYXLST_FOLDER
    wchar_t date[30];    // "dd.mm.yyyy  hh:mm:ss  " and six attribute letters (local time)
};
static_assert(sizeof(FyxListRecord) == 592, "FyxListRecord layout");
static_assert(offsetof(FyxListRecord, size) == 520, "FyxListRecord layout");
static_assert(offsetof(FyxListRecord, flags) == 528, "FyxListRecord layout");
static_assert(offsetof(FyxListRecord, date) == 532, "FyxListRecord layout");

enum {
    FYXLST_FOLDER = 0x01,
    FYXLST_TYPE_RAR = 1,
    FYXLST_TYPE_ZIP = 2,
};

// Results of FYXLST_ReadList.
enum {
    FYXLST_DELIVERED = 0,
    FYXLST_ERROR = 2,
    FYXLST_END = 3,
    FYXLST_EMPTY = 4,
};

FYXLST_API const wchar_t* FYXLST_GetVersion(void);
FYXLST_API int FYXLST_Initialize(void);
FYXLST_API void FYXLST_UnInitialize(void);
// Low byte non-zero when the file is a RAR or ZIP archive (programs with an
// archive inside are not: Enter runs them).
FYXLST_API int FYXLST_IsSupportedArchive(const wchar_t* path);
// FYXLST_TYPE_RAR, FYXLST_TYPE_ZIP, or 0.
FYXLST_API int FYXLST_GetArchiveType(const wchar_t* path);
// Reads the archive's directory for the calls below; 0 when it could be read.
FYXLST_API int FYXLST_BrowseArchive(const wchar_t* path);
// `next` 0 starts the folder (path inside the archive, '\' between parts,
// empty at the root), 1 continues it.
FYXLST_API int FYXLST_ReadList(FyxListRecord* record, int next, const wchar_t* folder);
// Unpacked size of everything under `folder` (ending with '\').
FYXLST_API uint64_t FYXLST_GetExtractedDirectorySize(const wchar_t* folder);
// Unpacked size of the whole archive browsed last.
FYXLST_API uint64_t FYXLST_GetExtractedArchiveSize(void);
FYXLST_API void FYXLST_ExitList(void);
