// Zip32.dll as its callers see it: ZpInit, ZpSetOptions and ZpArchive with
// their option, callback and command blocks.
#pragma once

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

#ifdef FYX_BUILDING_ZIP32
#define FYXZIP_API extern "C" __declspec(dllexport)
#else
#define FYXZIP_API extern "C" __declspec(dllimport)
#endif

// Option block; strings are ANSI and copied by ZpSetOptions.
struct ZipOptions {
    char* date;                  // "mmddyyyy" or "yyyy-mm-dd", for the two date filters
    char* rootFolder;            // names are relative to it
    char* tempFolder;            // where the new archive is written when useTempFolder
    int32_t useTempFolder;
    int32_t suffixes;            // not used
    int32_t encrypt;             // traditional encryption; the password callback gives it
    int32_t includeSystemAndHidden;
    int32_t includeVolumeLabel;  // not used
    int32_t excludeExtraAttributes;  // no NTFS time fields
    int32_t noFolderEntries;
    int32_t excludeByDate;       // only files older than the date
    int32_t includeByDate;       // only files of the date or newer
    int32_t verbose;
    int32_t quiet;               // no name lines
    int32_t crlfToLf;            // not used
    int32_t lfToCrlf;            // not used
    int32_t dropFolderNames;     // entries get the last name part only
    int32_t grow;                // kept as an ordinary update: the archive is rewritten safely
    int32_t dosNames;            // not used
    int32_t moveFiles;           // sources are deleted once the archive is complete
    int32_t deleteEntries;       // names are patterns of entries to remove
    int32_t update;              // add new files, replace older entries
    int32_t freshen;             // replace older entries only
    int32_t dropSelfExtractor;   // not used
    int32_t latestTime;          // the archive gets the time of its newest entry
    int32_t comment;             // the comment callback gives the archive comment
    int32_t fixOffsets;          // not used
    int32_t privileges;          // not used
    int32_t encryptionSupported; // not used
    int32_t recurse;             // into subfolders of named folders
    int32_t repair;              // not used
    char level;                  // '0'..'9'; any other value: 6
};

// Text line and its length; returns the length, or -1 to stop.
typedef int(WINAPI* ZpPrintCallback)(LPSTR text, unsigned long length);
// Fills the buffer (64 KiB) with the archive comment.
typedef int(WINAPI* ZpCommentCallback)(LPSTR buffer);
// Buffer, its size, a prompt and a name; 1 when a password was put into the buffer.
typedef int(WINAPI* ZpPasswordCallback)(LPSTR buffer, int size, LPCSTR prompt, LPCSTR name);
// Name and size of each entry written; non-zero stops.
typedef int(WINAPI* ZpServiceCallback)(LPCSTR name, unsigned long size);

struct ZipCallbacks {
    ZpPrintCallback print;
    ZpCommentCallback comment;
    ZpPasswordCallback password;
    ZpServiceCallback service;
};

// Command block: the names (ANSI, relative to the root folder or absolute,
// '*' and '?' allowed) and the archive's path.
struct ZipCommand {
    int32_t count;
    char* archiveName;
    char** names;
};

// Result codes.
enum {
    kZpOk = 0,
    kZpFormat = 3,       // the existing archive is damaged
    kZpNoMemory = 4,
    kZpTooBig = 6,
    kZpCancelled = 9,
    kZpTempError = 10,   // the new archive could not be put in place
    kZpReadError = 11,
    kZpNothingToDo = 12,
    kZpWriteError = 14,
    kZpCreateError = 15,
    kZpParameters = 16,
    kZpOpenError = 18,   // some files could not be read; the others were packed
};

// Lines sent to the print callback:
//   "  adding: <name>" or "updating: <name>" when an entry begins (the name
//   from the 11th character on, relative to the root folder, '\' between parts);
//   "s: <bytes>" after each piece of an entry's data, with the count of its
//   uncompressed bytes just processed.
// The entry points as bound at run time with GetProcAddress.
typedef int(WINAPI* ZpInitFn)(ZipCallbacks* callbacks);
typedef BOOL(WINAPI* ZpSetOptionsFn)(ZipOptions* options);
typedef int(WINAPI* ZpArchiveFn)(ZipCommand command);

FYXZIP_API int WINAPI ZpInit(ZipCallbacks* callbacks);
FYXZIP_API BOOL WINAPI ZpSetOptions(ZipOptions* options);
FYXZIP_API int WINAPI ZpArchive(ZipCommand command);

#if defined(_WIN64)
static_assert(sizeof(ZipOptions) == 144, "ZipOptions layout");
static_assert(offsetof(ZipOptions, level) == 136, "ZipOptions layout");
static_assert(sizeof(ZipCallbacks) == 32, "ZipCallbacks layout");
static_assert(sizeof(ZipCommand) == 24, "ZipCommand layout");
#else
static_assert(sizeof(ZipOptions) == 128, "ZipOptions layout");
static_assert(offsetof(ZipOptions, level) == 124, "ZipOptions layout");
static_assert(sizeof(ZipCallbacks) == 16, "ZipCallbacks layout");
static_assert(sizeof(ZipCommand) == 12, "ZipCommand layout");
#endif
