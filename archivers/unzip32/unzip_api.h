// UNZIP32.DLL as its callers see it: the option and callback blocks of
// Wiz_SingleEntryUnzip, the callbacks' forms and the answers they give.
#pragma once

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

#ifdef FYX_BUILDING_UNZIP32
#define FYXUNZIP_API extern "C" __declspec(dllexport)
#else
#define FYXUNZIP_API extern "C" __declspec(dllimport)
#endif

// Option block: 15 flags of 32 bits, then the archive and extraction folder
// names (ANSI code page, caller's buffers of 260 bytes).
struct UnzipOptions {
    int32_t extractOnlyNewer;
    int32_t spacesToUnderscores;
    int32_t promptToOverwrite;
    int32_t quietLevel;
    int32_t writeToStdout;       // unpacked bytes go to the print callback
    int32_t testOnly;
    int32_t verboseListing;      // lists instead of unpacking
    int32_t freshen;             // only files that exist and are older
    int32_t showComment;
    int32_t recreateFolders;     // 0: every file lands in the extraction folder
    int32_t alwaysOverwrite;
    int32_t convertLineEnds;
    int32_t archiveInfoOnly;
    int32_t caseInsensitive;     // of the include and exclude patterns
    int32_t restoreAccessRights;
    char* archiveName;
    char* extractFolder;         // null or empty: the current folder
};

// Text line and its length; returns the length, or -1 to stop the work.
typedef int(WINAPI* UzPrintCallback)(LPSTR text, unsigned long length);
typedef int(WINAPI* UzSoundCallback)(void);
// Entry name (ANSI, '/' between parts, folders end with '/') and the query kind.
typedef int(WINAPI* UzReplaceCallback)(LPSTR name, int kind);
// Buffer for the password and its size, a prompt and the entry name; 0 when
// a password was put into the buffer, -1 when the user declined.
typedef int(WINAPI* UzPasswordCallback)(LPSTR buffer, int size, LPCSTR prompt, LPCSTR name);
// Before each entry is written: sizes, compression factor (percent), the
// entry's local time, a marker (' ', or '*' when encrypted), the output
// name (beginning with the extraction folder), the method text, the CRC and
// the encryption flag; then this library's two extra values, the entry's
// Windows attributes and its MS-DOS date (high word) and time (low word).
typedef void(WINAPI* UzMessageCallback)(unsigned long size, unsigned long compressedSize, unsigned factor,
                                        unsigned month, unsigned day, unsigned year, unsigned hour,
                                        unsigned minute, char marker, LPCSTR name, LPCSTR method,
                                        unsigned long crc, char encrypted, unsigned long attributes,
                                        unsigned long dosDateTime);
// Entry name and size after each entry; non-zero stops the work.
typedef int(WINAPI* UzServiceCallback)(LPCSTR name, unsigned long size);

struct UnzipCallbacks {
    UzPrintCallback print;
    UzSoundCallback sound;
    UzReplaceCallback replace;
    UzPasswordCallback password;
    UzMessageCallback message;
    UzServiceCallback service;
    // Filled by the library: totals of the archive.
    uint32_t totalSizeCompressed;
    uint32_t totalSize;
    uint32_t compressionFactor;
    uint32_t numberOfMembers;
    uint16_t commentLength;
};

// Query kinds of the replace callback.
enum {
    kUzQueryOlder = 1,      // the existing file is older than the entry
    kUzQueryNotOlder = 2,   // the existing file is as new as the entry or newer
    kUzQueryFolder = 3,     // a folder entry whose folder exists (merged)
    kUzQuerySelect = 4,     // asked for every entry first: where does it go?
};

// Answers to kUzQuerySelect.
enum {
    kUzSelectFullPath = -2,  // the whole stored path under the extraction folder
    kUzSelectLastPart = -1,  // only the last name part, into the extraction folder
    kUzSelectSkip = -3,
    // n >= 0: the stored name from character n on (UTF-16 characters)
};

// Answers to the other kinds.
enum {
    kUzReplaceYesShort = 6,    // overwrite
    kUzReplaceNo = 100,        // keep the existing file
    kUzReplaceYes = 102,       // overwrite
    kUzReplaceAll = 103,       // overwrite this and all later ones
    kUzReplaceNone = 104,      // keep this and all later ones
    // any other answer keeps the existing file
};

// Result codes.
enum {
    kUzOk = 0,
    kUzWarning = 1,         // some entries were refused or skipped
    kUzError = 2,           // damaged entries (CRC, data, sizes)
    kUzSevere = 3,          // the archive could not be read
    kUzNoMemory = 4,
    kUzNotFound = 9,        // no archive, or not a ZIP archive
    kUzBadParameters = 10,
    kUzNothingMatched = 11,
    kUzDiskFull = 50,
    kUzCancelled = 80,
    kUzUnsupported = 81,    // method or encryption not available
    kUzBadPassword = 82,
};

// The entry point as bound at run time with GetProcAddress.
typedef int(WINAPI* WizSingleEntryUnzipFn)(int includeCount, char** includeNames, int excludeCount,
                                           char** excludeNames, UnzipOptions* options, UnzipCallbacks* callbacks);

FYXUNZIP_API int WINAPI Wiz_SingleEntryUnzip(int includeCount, char** includeNames, int excludeCount,
                                             char** excludeNames, UnzipOptions* options,
                                             UnzipCallbacks* callbacks);

#if defined(_WIN64)
static_assert(sizeof(UnzipOptions) == 80, "UnzipOptions layout");
static_assert(offsetof(UnzipOptions, archiveName) == 64, "UnzipOptions layout");
static_assert(sizeof(UnzipCallbacks) == 72, "UnzipCallbacks layout");
#else
static_assert(sizeof(UnzipOptions) == 68, "UnzipOptions layout");
static_assert(offsetof(UnzipOptions, archiveName) == 60, "UnzipOptions layout");
static_assert(sizeof(UnzipCallbacks) == 44, "UnzipCallbacks layout");
static_assert(offsetof(UnzipCallbacks, totalSizeCompressed) == 24, "UnzipCallbacks layout");
#endif
