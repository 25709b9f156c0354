// Fyx file utility library: paths, names, masks, sizes, tree walks, number and
// time texts, text widths and small shell helpers for every program of Fyx.
//
// Texts are UTF-16. A returned text lives in a buffer of that function, one per
// thread, valid until the same function is called again on that thread; it is
// never NULL. NULL text arguments count as "". Results are at most 32767 code
// units; longer results are cut. Sizes are unsigned 64-bit; ~0ULL means unreadable.
// Paths: "\" separates ("/" is accepted on input); a directory path has no
// trailing "\" except a root: "C:\", "\\server\share\", "\".
#pragma once

#include <windows.h>

// The shell's item id list; callers pass an LPCITEMIDLIST.
struct _ITEMIDLIST;

#ifdef FYX_BUILDING_FYX_FSK
#define FYX_FSK_API extern "C" __declspec(dllexport)
#else
#define FYX_FSK_API extern "C" __declspec(dllimport)
#endif

// ~0ULL: the size of an item that cannot be read.
#define FYX_FSK_UNREADABLE_SIZE (~0ULL)

// --- Paths, names and masks (pure text unless said otherwise) ---

// Last component: "C:\a\b" and "C:\a\b\" -> "b"; a root -> ""; "name" -> "name".
FYX_FSK_API const wchar_t* FYX_FSK_GetLastPathString(const wchar_t* path);
// Parent: "C:\a\b" -> "C:\a", "C:\a" -> "C:\", a root -> itself, "name" -> "".
FYX_FSK_API const wchar_t* FYX_FSK_GetPathWithoutLastPath(const wchar_t* path);
// Same result as FYX_FSK_GetPathWithoutLastPath; a root is never cut.
FYX_FSK_API const wchar_t* FYX_FSK_CutPath(const wchar_t* path);
// Without the first component (a root counts as one): "top\a\b" -> "a\b", "top" -> "", "C:\a" -> "a".
FYX_FSK_API const wchar_t* FYX_FSK_CutPathLeft(const wchar_t* path);
// Name reshaped by a mask ("*.*", "*", "" keep it): a mask with a dot shapes base and extension
// (split at the last dot) apart, else the whole name; "?" copies the next character, "*" the rest,
// others stand as typed; "*.bak"+"a.txt" -> "a.bak", "x_*"+"a.txt" -> "x_a.txt", "???.*"+"abcd.e" -> "abc.e".
FYX_FSK_API const wchar_t* FYX_FSK_UpdateLastPathString(const wchar_t* mask, const wchar_t* name);
// Normalised directory: blanks around trimmed, "/" -> "\", doubled "\" single (a UNC
// start kept), "." and ".." resolved (never above the root), no trailing "\" but a root's, "X:" -> "X:\".
FYX_FSK_API const wchar_t* FYX_FSK_UpdateDirectoryPath(const wchar_t* directory);
// TRUE when the text starts at a root of its own: "X:\", "X:" alone, or "\\".
FYX_FSK_API BOOL FYX_FSK_IncludePathRootPath(const wchar_t* text);
// TRUE when the text names a directory only: it ends with "\" or "/", is "X:", or ends in "." or "..".
FYX_FSK_API BOOL FYX_FSK_IsPathOnlyPath(const wchar_t* text);
// TRUE when the text fits a 260-unit path field: 1 to 259 code units, no control characters.
FYX_FSK_API BOOL FYX_FSK_IsPathValidLength(const wchar_t* text);
// File system: 0 when the path is an existing directory, else the system error code
// (ERROR_DIRECTORY when it is a file, ERROR_PATH_NOT_FOUND for an empty path).
FYX_FSK_API DWORD FYX_FSK_IsValidDirectory(const wchar_t* path);
// File system: the normalised path marked with "|" after its longest existing directory:
// "C:\data\|new\sub" when C:\data exists; "C:\data|" when all exist; "|X:\a" when nothing does.
FYX_FSK_API const wchar_t* FYX_FSK_CreateValidAndInvalidDirectoryString(const wchar_t* path);
// The missing part of a marked text (the text after "|"): "C:\data\|new\sub" -> "new\sub".
// An unmarked path is marked first.
FYX_FSK_API const wchar_t* FYX_FSK_GetInvalidDirectoryString(const wchar_t* marked);
// File system: creates every missing directory of a path (marked or not); TRUE when the
// whole path is an existing directory afterwards.
FYX_FSK_API BOOL FYX_FSK_CreatePathFromInvalidPath(const wchar_t* path);
// Every run of the character made a single one: ("a\\\b", '\') -> "a\b".
FYX_FSK_API const wchar_t* FYX_FSK_RemoveDuplicateCharInString(const wchar_t* text, wchar_t character);
// Without the extension of the last component; a dot that is the component's first or last
// character is no extension: "a.tar.gz" -> "a.tar", ".profile" and "a." unchanged.
FYX_FSK_API const wchar_t* FYX_FSK_PathRemoveExtension(const wchar_t* name);
// The extension without its dot, by the same rule: "a.tar.gz" -> "gz", ".profile" -> "".
FYX_FSK_API const wchar_t* FYX_FSK_GetFileExtension(const wchar_t* name);
// File system: full path of a name not yet used in the directory, "~fyx0000.tmp" to
// "~fyxFFFF.tmp" (nothing is created); "" when the directory does not exist or all are used.
FYX_FSK_API const wchar_t* FYX_FSK_GetNewFileNameInDirectory(const wchar_t* directory);

// --- Shortening texts; widths are measured with GDI ---
// Without a DC the text is measured on a memory DC in the default GUI font.

// Path fitted into pixels: whole when it fits, else root + "..." + the longest tail of whole
// components that fits ("C:\...\dir\name.txt"), else "...\name", else the name cut as below.
FYX_FSK_API const wchar_t* FYX_FSK_PathCompactPath(const wchar_t* path, int pixels);
// At most `characters` units: whole when it fits, else the start + "..." ("abcdefgh", 6 -> "abc...");
// limits below 4 give the first units without dots. Surrogate pairs are never split.
FYX_FSK_API const wchar_t* FYX_FSK_CutStringRight(const wchar_t* text, int characters);
// Fitted into pixels: whole when it fits, else the longest start + "..." that fits, else "".
FYX_FSK_API const wchar_t* FYX_FSK_CutStringRightPixels(const wchar_t* text, int pixels);
// The same, measured with the font selected into the given DC (NULL: memory DC as above).
FYX_FSK_API const wchar_t* FYX_FSK_CutStringRightPixelsHdc(HDC dc, const wchar_t* text, int pixels);
// Width in pixels of the text in the default GUI font.
FYX_FSK_API int FYX_FSK_GetStringWidth(const wchar_t* text);

// --- Number and time texts ---

// Digit groups of three from the right, separated by one blank: "-1234567" -> "-1 234 567";
// a sign before and any text after the first run of digits are kept; no digits: unchanged.
FYX_FSK_API const wchar_t* FYX_FSK_ConvertSValueToSValueWithSpaces(const wchar_t* digits);
// Short size, units of 1024: below 1024 "N B"; else "1.5 KB" (one decimal below 100 of the unit)
// or "153 MB", rounded half up, units KB MB GB TB PB EB, "." as the decimal point.
FYX_FSK_API const wchar_t* FYX_FSK_GetFYXFormatValueShortString(unsigned long long bytes);
// Duration "H:MM:SS" in whole seconds (cut, not rounded), hours unbounded; negative counts as 0.
FYX_FSK_API const wchar_t* FYX_FSK_GetTimeStringFromMillisecond(long long milliseconds);

// --- File information ---

// One line of an existing file or directory: "1 234 bytes, 31.12.2026 23:59:58, HSRACE"
// (size grouped; last write in local time; present attribute letters H S R A C E, the part left
// out when none); "" when it cannot be read.
FYX_FSK_API const wchar_t* FYX_FSK_GetFileInformationBuffer(const wchar_t* path);
// The same line from a size, a local time (wYear 0: the time part left out) and attributes.
FYX_FSK_API const wchar_t* FYX_FSK_CreateFileInformationBuffer(unsigned long long size, SYSTEMTIME localTime,
                                                                DWORD attributes);
// MS-DOS date (high word) and time (low word), which are local already, as a SYSTEMTIME
// with its day of the week; all zero when the packed value is no valid time.
FYX_FSK_API SYSTEMTIME FYX_FSK_ConvertDOSTimeToLocalSystemTime(DWORD dosDateTime);
// The system's message for an error code on one line (no trailing line end or blanks);
// "Error N" when the system has none.
FYX_FSK_API const wchar_t* FYX_FSK_GetErrorStringFromSystem(DWORD errorCode);

// --- Sizes; walks are iterative, enter no directory links and skip unreadable folders ---

// Size of a file; ~0ULL when it cannot be read or is a directory.
FYX_FSK_API unsigned long long FYX_FSK_GetFileSize(const wchar_t* path);
// Size of an open file; ~0ULL when it cannot be read.
FYX_FSK_API unsigned long long FYX_FSK_GetFileSizeByHandle(HANDLE file);
// Bytes of all files of all levels; ~0ULL when the directory itself cannot be read.
FYX_FSK_API unsigned long long FYX_FSK_GetDirectorySizeInBytes(const wchar_t* directory);
// The same; modes 0 and 2 also build the tree for FYX_FSK_GetTreeRecord (other modes leave it).
FYX_FSK_API unsigned long long FYX_FSK_GetDirectorySizeInBytesParams(const wchar_t* directory, int mode);
// Number of files of all levels (0 when unreadable); modes 0 and 2 also build the tree.
FYX_FSK_API unsigned long long FYX_FSK_GetDirectoryFileNumberParams(const wchar_t* directory, int mode);
// Free bytes the caller may use on the volume of a path (its root tried too); ~0ULL when unreadable.
FYX_FSK_API unsigned long long FYX_FSK_GetDiskFreeSpaceInBytes(const wchar_t* path);
// Total bytes of the volume of a path (its root tried too); ~0ULL when unreadable.
FYX_FSK_API unsigned long long FYX_FSK_GetDiskTotalInBytes(const wchar_t* path);

// --- The directory tree (one per process, for one thread at a time) ---

// Builds the tree of a directory: it and all its directories, parents first; each record is
// the directory's text as given (trailing separators dropped) followed by "\name" parts.
// Returns the number of records; 0 (and an empty tree) when the path is no directory.
FYX_FSK_API DWORD FYX_FSK_DoDirTree(const wchar_t* directory);
// Mode 0 rewinds and returns ""; 1 the next record parents first (the top first);
// 2 the next record children first (the top last); "" after the last one. Rewind before
// changing the order.
FYX_FSK_API const wchar_t* FYX_FSK_GetTreeRecord(int mode);
// Releases the tree.
FYX_FSK_API void FYX_FSK_DoDirTreeFree(void);

// --- Shell helpers (COM is initialised for the call when the caller has not) ---

// File-system path of an item id list; "" when it has none.
FYX_FSK_API const wchar_t* FYX_FSK_GetPathFromFileSystemPidl(const struct _ITEMIDLIST* pidl);
// Target path of a shortcut (.lnk) file; "" when it cannot be read or has no path target.
FYX_FSK_API const wchar_t* FYX_FSK_GetShortcutTarget(const wchar_t* linkPath);
// Makes a path available: reconnects a remembered network drive or a share, asking through
// the owner window when needed; TRUE when the path is an existing directory afterwards.
FYX_FSK_API BOOL FYX_FSK_ActivatePathByShell(HWND owner, const wchar_t* path);

// Prepares the library (the measuring font); TRUE when ready.
FYX_FSK_API BOOL FYX_FSK_Initialize(void);
// The library's version text, "1.0".
FYX_FSK_API const wchar_t* FYX_FSK_GetVersion(void);
