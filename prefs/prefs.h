// Fyx configuration store: the configuration record and its settings file
// "Fyx.ini", panel colour profiles, the hand-over block to the options program
// and the program folder.
//
// Settings and profile files are 8-bit text, one byte per character (codes 0
// to 255), lines ended by CR LF. A text value may hold code units that one
// byte cannot carry; those are written as a visible escape of eight
// characters, "<U+" four upper-case hex digits ">", e.g. a folder named
// "Документы" is written "<U+0414><U+043E>..." and read back unchanged
// (characters above U+FFFF are two such escapes, one per UTF-16 code unit).
// CR and LF inside a value are escaped the same way so they cannot break the
// line structure, and a '<' that would otherwise read as the start of an
// escape is written as "<U+003C>". Windows file names cannot contain '<', so
// every file written without escapes reads exactly as before. The 259
// character limit of a text value counts decoded characters.
//
// Saving writes the whole file under a temporary name in the same folder,
// flushes it and then renames it over the old one in one step: a reader sees
// the old file or the new one, never a mix, and a save that fails part-way
// (disk full) leaves the old file as it was and returns 1.
#pragma once

#include <windows.h>
#include <stddef.h>
#include <stdint.h>

#ifdef FYX_BUILDING_PREFS
#define PREFS_API extern "C" __declspec(dllexport)
#else
#define PREFS_API extern "C" __declspec(dllimport)
#endif

enum {
    PREFS_TEXT_CAPACITY = 260,       // code units of a text field, terminator included
    PREFS_PANEL_PATH_CAPACITY = 780, // panel folder fields; at most 259 are kept in the file
    PREFS_TEXT_LIMIT = 259,          // characters a text value keeps in the files
    PREFS_COLOR_SLOTS = 8,
};

// Every setting of the main program and the options program. Numbers are
// 32-bit: uint32_t fields are written unsigned, int32_t fields signed.
struct ConfigRecord {
    // Confirmations and start-up
    uint32_t WindowOptionItem;
    uint32_t PotCopy;
    uint32_t PotCopyDragDrop;  // no line in the file: always the default
    uint32_t PotMove;
    uint32_t PotMoveDragDrop;  // no line in the file: always the default
    uint32_t PotDelRec;
    uint32_t PotDelDel;
    uint32_t PotClosing;
    uint32_t FunFyxInstance;
    uint32_t FunFyxMinimizeIcon;
    uint32_t FunSavePosition;
    uint32_t FunPosition;
    // Files
    wchar_t LanguageFile[PREFS_TEXT_CAPACITY];
    wchar_t ColorProfileFile[PREFS_TEXT_CAPACITY];
    // Display
    uint32_t ColorEditItem;
    uint32_t CursorType;
    uint32_t WiewRootDir;
    uint32_t LeftPictureMode;
    uint32_t RightPictureMode;
    uint32_t LeftPicturePeriod;
    uint32_t RightPicturePeriod;
    uint32_t LeftPictureOver;
    wchar_t LeftPictureFile[PREFS_TEXT_CAPACITY];
    wchar_t RightPictureFile[PREFS_TEXT_CAPACITY];
    // Drives and shell browsing
    uint32_t DrvRemovable;
    uint32_t DrvRemovableIcons;
    uint32_t DrvFixed;
    uint32_t DrvFixedIcons;
    uint32_t DrvCDROM;
    uint32_t DrvCDROMIcons;
    uint32_t DrvNetwork;
    uint32_t DrvNetworkIcons;
    uint32_t ShellShowComment;
    uint32_t ShellShowIcons;
    uint32_t ShellShowCommentNetwork;
    uint32_t ShellShowIconsNetwork;
    // Viewer and editor
    uint32_t ViewFileInternal;
    uint32_t EditFileInternal;
    wchar_t ViewFile[PREFS_TEXT_CAPACITY];
    wchar_t EditFile[PREFS_TEXT_CAPACITY];
    // Pack, unpack, copy, move, delete
    uint32_t PackRecursive;  // no line in the file and not set by the defaults: stays 0
    uint32_t PackShowDialog;
    uint32_t UnpackOverwrite;
    uint32_t UnpackOverwriteOlder;
    uint32_t UnpackSeparateDir;
    uint32_t UnpackShowDialog;
    uint32_t CopyOverwrite;
    uint32_t CopyOverwriteOlder;
    uint32_t MoveOverwrite;
    uint32_t MoveOverwriteOlder;
    uint32_t DeleteHS;
    uint32_t DeleteREADONLY;
    uint32_t DeleteERRORS;
    // Main window
    int32_t FYXWindowLeft;
    int32_t FYXWindowRight;
    int32_t FYXWindowTop;
    int32_t FYXWindowBottom;
    int32_t FYXShowCommandLine;
    wchar_t FYXLeftWinPath[PREFS_PANEL_PATH_CAPACITY];
    wchar_t FYXRightWinPath[PREFS_PANEL_PATH_CAPACITY];
    // Left panel view
    int32_t FYXLeftDirShow;
    int32_t FYXLeftFileShow;
    int32_t FYXLeftUpdateSize;
    int32_t FYXLeftShowDOSName;
    int32_t FYXLeftShowExt;
    int32_t FYXLeftShowSize;
    int32_t FYXLeftShowType;
    int32_t FYXLeftShowDate;
    int32_t FYXLeftShowTime;
    int32_t FYXLeftShowAtr;
    int32_t FYXLeftShowMode;
    int32_t FYXLeftWindowMode;
    int32_t FYXLeftSortMode;
    int32_t FYXLeftShowInverse;
    int32_t FYXLeftShowInfoType;
    int32_t FYXLeftTypeInverse;
    int32_t FYXLeftTypeInfoType;
    uint32_t reserved0;  // keeps the double on an 8-byte boundary in both builds
    double FYXLeftPanelSize;
    // Right panel view
    int32_t FYXRightDirShow;
    int32_t FYXRightFileShow;
    int32_t FYXRightUpdateSize;
    int32_t FYXRightShowDOSName;
    int32_t FYXRightShowExt;
    int32_t FYXRightShowSize;
    int32_t FYXRightShowType;
    int32_t FYXRightShowDate;
    int32_t FYXRightShowTime;
    int32_t FYXRightShowAtr;
    int32_t FYXRightShowMode;
    int32_t FYXRightWindowMode;
    int32_t FYXRightSortMode;
    int32_t FYXRightShowInverse;
    int32_t FYXRightShowInfoType;
    int32_t FYXRightTypeInverse;
    int32_t FYXRightTypeInfoType;
    uint32_t reserved1;
};

static_assert(sizeof(wchar_t) == 2, "UTF-16 code units");
static_assert(offsetof(ConfigRecord, LanguageFile) == 48, "layout");
static_assert(offsetof(ConfigRecord, ColorEditItem) == 1088, "layout");
static_assert(offsetof(ConfigRecord, LeftPictureFile) == 1120, "layout");
static_assert(offsetof(ConfigRecord, DrvRemovable) == 2160, "layout");
static_assert(offsetof(ConfigRecord, ViewFileInternal) == 2208, "layout");
static_assert(offsetof(ConfigRecord, PackRecursive) == 3256, "layout");
static_assert(offsetof(ConfigRecord, FYXWindowLeft) == 3308, "layout");
static_assert(offsetof(ConfigRecord, FYXLeftWinPath) == 3328, "layout");
static_assert(offsetof(ConfigRecord, FYXLeftDirShow) == 6448, "layout");
static_assert(offsetof(ConfigRecord, FYXLeftPanelSize) == 6520, "layout");
static_assert(offsetof(ConfigRecord, FYXRightDirShow) == 6528, "layout");
static_assert(sizeof(ConfigRecord) == 6600, "record size is the same in both builds");

// One panel colour: RGB with red in the lowest byte, and a flag (slot 0: 1 =
// use the system window colour for the panel background).
struct ColorSlot {
    uint32_t color;
    uint32_t flag;
};

struct ColorProfile {
    uint32_t loaded;  // 1 when filled by a loader, 0 when a profile file could not be opened
    wchar_t name[PREFS_TEXT_CAPACITY];  // shown by the options program, never stored in a file
    ColorSlot slots[PREFS_COLOR_SLOTS];
};

static_assert(offsetof(ColorProfile, name) == 4, "layout");
static_assert(offsetof(ColorProfile, slots) == 524, "layout");
static_assert(sizeof(ColorProfile) == 588, "profile size is the same in both builds");

// Hand-over block from the main program to the options program, one copy
// shared by every process that has the library loaded.
struct InfoBlock {
    uint32_t mainWindow;  // window handle as a 32-bit value (HandleToULong)
    wchar_t programFolder[PREFS_TEXT_CAPACITY];
};

static_assert(offsetof(InfoBlock, programFolder) == 4, "layout");
static_assert(sizeof(InfoBlock) == 524, "block size is the same in both builds");

inline HWND InfoBlockWindow(const InfoBlock& b) { return (HWND)(uintptr_t)b.mainWindow; }
inline uint32_t InfoBlockWindowValue(HWND w) { return (uint32_t)(uintptr_t)w; }

// Configuration record. Set the program folder before loading or saving.
PREFS_API ConfigRecord* PREFS_GetDefaultConfiguration(ConfigRecord* record);
// Never fails: without a folder or file the record gets the defaults.
PREFS_API ConfigRecord* PREFS_LoadAllExtConfiguration(ConfigRecord* record);
// 0 saved; 1 no program folder, or the file could not be written whole (the
// previous file is then left as it was).
PREFS_API int PREFS_SaveAllExtConfiguration(ConfigRecord record);

// Program folder, per process: at most 259 characters. 0 set; 1 when the
// current folder is longer, and the program folder is then left empty.
PREFS_API int PREFS_InitProgramPath(void);
// A folder of more than 259 characters is refused: the program folder
// becomes empty rather than naming some other, cut-off folder.
PREFS_API void PREFS_StoreProgramPath(const wchar_t* folder);
// The returned text lives in a per-process buffer that the next call of
// PREFS_GetProgramPath or PREFS_GetVersion overwrites: copy it at once.
PREFS_API const wchar_t* PREFS_GetProgramPath(void);
PREFS_API const wchar_t* PREFS_GetVersion(void);

// Colour profiles. The built-in ones fill the slots and set loaded := 1,
// leaving the name as it was.
PREFS_API ColorProfile* PREFS_LoadColorProfileDefault(ColorProfile* profile);
PREFS_API ColorProfile* PREFS_LoadColorProfileDefault2(ColorProfile* profile);
// Pass a zeroed profile: missing lines leave their slots as passed in, and so
// does a line whose numbers cannot be read or whose colour bytes exceed 255.
// Lines are "rrr,ggg,bbb,fff" (colour bytes of at most three digits; the
// flag is read whole, so any flag saved comes back).
PREFS_API ColorProfile* PREFS_LoadColorProfile(ColorProfile* profile, const wchar_t* path);
// 0 written; 1 the file could not be written whole (an old file stays as it was).
PREFS_API int PREFS_SaveColorProfile(const wchar_t* path, ColorProfile profile);

// Hand-over block. SaveInfo returns 0, or 1 when the shared copy is unavailable.
PREFS_API int PREFS_SaveInfo(InfoBlock block);
PREFS_API InfoBlock* PREFS_LoadInfo(InfoBlock* block);
