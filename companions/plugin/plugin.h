// Companion library "plugin": data handed between the system's processes.
//
// Every buffer lives in one named section of shared memory ("FyxPluginShared_1",
// paging-file backed) that the first process loading plugin.dll creates and
// the last one to unload releases: nothing survives when no program runs.
// A named mutex ("FyxPluginLock_1") guards every read and write of the
// section, so a reader never sees half of a text or of a request block.
//
// Requests: every block saved with a nonzero `operation` or `sourceKind` is a
// request and joins a queue of pending requests; FYXPLG_LoadPluginParams
// hands out the oldest pending one (each exactly once), so a tool always reads
// the request that was stored for it even when the main program stores the
// next request before that tool has started. With nothing pending it returns
// the block saved last (all zeros when none was ever saved). A pending request
// that no tool took within 60 seconds is dropped: its tool never started.
#pragma once

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

#ifdef FYX_BUILDING_PLUGIN
#define FYXPLG_API extern "C" __declspec(dllexport)
#else
#define FYXPLG_API extern "C" __declspec(dllimport)
#endif

enum {
    FYXPLG_LANGUAGE_LINES = 452,     // ids 0 to 451
    FYXPLG_LANGUAGE_CAPACITY = 512,  // code units kept per line, terminator included
    FYXPLG_VERSION_SLOTS = 8,
    FYXPLG_VERSION_CAPACITY = 64,
};

// Operation request block: 4984 bytes, copied byte for byte between processes.
struct PluginParams {
    uint32_t options;
    uint32_t sourceKind;
    uint32_t operation;
    uint32_t mainWindow;  // window handle as a 32-bit value (HandleToULong)
    uint32_t itemCount;
    wchar_t sourceDir[260];
    wchar_t targetDir[260];
    wchar_t itemName[260];
    wchar_t targetMask[260];
    wchar_t listName[260];
    char listNameAnsi[260];
    uint32_t archiveType;
    uint32_t reserved1;
    wchar_t entryName[260];
    wchar_t panelPath[260];
    uint64_t totalSize;
    uint64_t reserved2;
    wchar_t runDirectory[260];
    wchar_t runFile[260];
};

static_assert(sizeof(wchar_t) == 2, "UTF-16 code units");
static_assert(sizeof(PluginParams) == 4984, "request block size is binding");
static_assert(offsetof(PluginParams, options) == 0, "layout");
static_assert(offsetof(PluginParams, sourceKind) == 4, "layout");
static_assert(offsetof(PluginParams, operation) == 8, "layout");
static_assert(offsetof(PluginParams, mainWindow) == 12, "layout");
static_assert(offsetof(PluginParams, itemCount) == 16, "layout");
static_assert(offsetof(PluginParams, sourceDir) == 20, "layout");
static_assert(offsetof(PluginParams, targetDir) == 540, "layout");
static_assert(offsetof(PluginParams, itemName) == 1060, "layout");
static_assert(offsetof(PluginParams, targetMask) == 1580, "layout");
static_assert(offsetof(PluginParams, listName) == 2100, "layout");
static_assert(offsetof(PluginParams, listNameAnsi) == 2620, "layout");
static_assert(offsetof(PluginParams, archiveType) == 2880, "layout");
static_assert(offsetof(PluginParams, reserved1) == 2884, "layout");
static_assert(offsetof(PluginParams, entryName) == 2888, "layout");
static_assert(offsetof(PluginParams, panelPath) == 3408, "layout");
static_assert(offsetof(PluginParams, totalSize) == 3928, "layout");
static_assert(offsetof(PluginParams, reserved2) == 3936, "layout");
static_assert(offsetof(PluginParams, runDirectory) == 3944, "layout");
static_assert(offsetof(PluginParams, runFile) == 4464, "layout");

inline HWND PluginParamsWindow(const PluginParams& p) { return (HWND)(uintptr_t)p.mainWindow; }
inline uint32_t PluginWindowValue(HWND w) { return (uint32_t)(uintptr_t)w; }

// Language lines. Put copies the text (longer texts are cut to fit); Get
// returns this process's copy of the line, valid until the same id is read
// again after another Put. Unknown ids give an empty text.
FYXPLG_API void FYXPLG_PutLineToLanguageBuffer(unsigned id, const wchar_t* text);
FYXPLG_API const wchar_t* FYXPLG_GetLineFromLanguageBuffer(unsigned id);

// Version slots 0 to 7: options program 0, copy/move tool 2, delete tool 3,
// pack/unpack tool 5.
FYXPLG_API void FYXPLG_InitVersionBuffer(void);
FYXPLG_API void FYXPLG_PutLineToVersionBuffer(unsigned slot, const wchar_t* text);
FYXPLG_API const wchar_t* FYXPLG_GetLineFromVersionBuffer(unsigned slot);
FYXPLG_API const wchar_t* FYXPLG_GetVersion(void);

FYXPLG_API void FYXPLG_PutFYXWindowHandle(HWND window);
FYXPLG_API HWND FYXPLG_GetFYXWindowHandle(void);
FYXPLG_API void FYXPLG_PutFyxOptsWindowHandle(HWND window);
FYXPLG_API HWND FYXPLG_GetFyxOptsWindowHandle(void);

// A tool started with exactly "version" puts its version text into its slot
// and ends; true when that was the command line.
inline bool PluginAnswerVersionRequest(const wchar_t* commandLine, unsigned slot, const wchar_t* version);

FYXPLG_API void FYXPLG_SavePluginParams(PluginParams params);
FYXPLG_API PluginParams FYXPLG_LoadPluginParams(void);

inline bool PluginAnswerVersionRequest(const wchar_t* commandLine, unsigned slot, const wchar_t* version) {
    if (!commandLine || lstrcmpW(commandLine, L"version") != 0) return false;
    FYXPLG_PutLineToVersionBuffer(slot, version);
    return true;
}
