// Sample configuration records with every stored field changed.
#include "sample_records.h"

#include <string.h>
#include <wchar.h>

void SetText(wchar_t* field, size_t capacity, const wchar_t* text) {
    memset(field, 0, capacity * sizeof(wchar_t));
    wcsncpy(field, text, capacity - 1);
}

ConfigRecord MakeSampleRecord(int variant) {
    ConfigRecord r;
    PREFS_GetDefaultConfiguration(&r);
    // Numbers: a per-variant base plus a running count, so no two fields
    // and no two variants hold the same value, and none equals its default.
    uint32_t u = variant == 1 ? 1000 : 2000;
    int32_t s = variant == 1 ? -1000 : -2000;
    const wchar_t* tag = variant == 1 ? L"one" : L"two";
    wchar_t text[PREFS_TEXT_CAPACITY];

    r.WindowOptionItem = u++;
    r.PotCopy = u++;
    r.PotMove = u++;
    r.PotDelRec = u++;
    r.PotDelDel = u++;
    r.PotClosing = u++;
    r.FunFyxInstance = u++;
    r.FunFyxMinimizeIcon = u++;
    r.FunSavePosition = u++;
    r.FunPosition = u++;
    _snwprintf(text, PREFS_TEXT_CAPACITY, L"Deutsch-%ls.lng", tag);
    SET_TEXT(r.LanguageFile, text);
    _snwprintf(text, PREFS_TEXT_CAPACITY, L"C:\\Colors\\%ls.ini", tag);
    SET_TEXT(r.ColorProfileFile, text);
    r.ColorEditItem = u++;
    r.CursorType = u++;
    r.WiewRootDir = u++;
    r.LeftPictureMode = u++;
    r.RightPictureMode = u++;
    r.LeftPicturePeriod = u++;
    r.RightPicturePeriod = u++;
    r.LeftPictureOver = u++;
    _snwprintf(text, PREFS_TEXT_CAPACITY, L"D:\\Pictures\\left %ls.bmp", tag);
    SET_TEXT(r.LeftPictureFile, text);
    _snwprintf(text, PREFS_TEXT_CAPACITY, L"D:\\Pictures\\right %ls.bmp", tag);
    SET_TEXT(r.RightPictureFile, text);
    r.DrvRemovable = u++;
    r.DrvRemovableIcons = u++;
    r.DrvFixed = u++;
    r.DrvFixedIcons = u++;
    r.DrvCDROM = u++;
    r.DrvCDROMIcons = u++;
    r.DrvNetwork = u++;
    r.DrvNetworkIcons = u++;
    r.ShellShowComment = u++;
    r.ShellShowIcons = u++;
    r.ShellShowCommentNetwork = u++;
    r.ShellShowIconsNetwork = u++;
    r.ViewFileInternal = u++;
    r.EditFileInternal = u++;
    _snwprintf(text, PREFS_TEXT_CAPACITY, L"C:\\Tools\\view-%ls.exe", tag);
    SET_TEXT(r.ViewFile, text);
    _snwprintf(text, PREFS_TEXT_CAPACITY, L"C:\\Tools\\edit-%ls.exe", tag);
    SET_TEXT(r.EditFile, text);
    r.PackShowDialog = u++;
    r.UnpackOverwrite = u++;
    r.UnpackOverwriteOlder = u++;
    r.UnpackSeparateDir = u++;
    r.UnpackShowDialog = u++;
    r.CopyOverwrite = u++;
    r.CopyOverwriteOlder = u++;
    r.MoveOverwrite = u++;
    r.MoveOverwriteOlder = u++;
    r.DeleteHS = u++;
    r.DeleteREADONLY = u++;
    r.DeleteERRORS = u++;
    r.FYXWindowLeft = s--;
    r.FYXWindowRight = s--;
    r.FYXWindowTop = s--;
    r.FYXWindowBottom = s--;
    r.FYXShowCommandLine = s--;
    _snwprintf(text, PREFS_TEXT_CAPACITY, L"C:\\Work\\left panel %ls", tag);
    SET_TEXT(r.FYXLeftWinPath, text);
    _snwprintf(text, PREFS_TEXT_CAPACITY, L"C:\\Work\\right panel %ls", tag);
    SET_TEXT(r.FYXRightWinPath, text);
    int32_t* left = &r.FYXLeftDirShow;
    int32_t* right = &r.FYXRightDirShow;
    for (int i = 0; i < 17; ++i) {
        left[i] = s--;
        right[i] = s--;
    }
    r.FYXLeftPanelSize = variant == 1 ? 37.5 : 62.125;
    // The three fields without a line are changed too: they must come back as defaults.
    r.PotCopyDragDrop = 7;
    r.PotMoveDragDrop = 8;
    r.PackRecursive = 9;
    return r;
}

long FirstDifference(const ConfigRecord& a, const ConfigRecord& b) {
    const unsigned char* pa = (const unsigned char*)&a;
    const unsigned char* pb = (const unsigned char*)&b;
    for (size_t i = 0; i < sizeof(ConfigRecord); ++i) {
        if (pa[i] != pb[i]) return (long)i;
    }
    return -1;
}

bool SameRecord(const ConfigRecord& a, const ConfigRecord& b) { return FirstDifference(a, b) < 0; }
