// The settings file's key lines in file order (which differs from the record
// order in several places) and the defaults.
#include "settings_table.h"

#include <string.h>
#include <wchar.h>

#define NUMBER_LINE(kind, field, value) \
    { #field ":", kind, offsetof(ConfigRecord, field), 0, (uint32_t)(value), nullptr }
#define UNSIGNED_LINE(field, value) NUMBER_LINE(SETTING_UNSIGNED, field, value)
#define SIGNED_LINE(field, value) NUMBER_LINE(SETTING_SIGNED, field, value)
#define TEXT_LINE(field, value) \
    { #field ":", SETTING_TEXT, offsetof(ConfigRecord, field), \
      sizeof(((ConfigRecord*)nullptr)->field) / sizeof(wchar_t), 0, value }
#define REAL_LINE(field) { #field ":", SETTING_REAL, offsetof(ConfigRecord, field), 0, 0, nullptr }

const double kDefaultLeftPanelSize = 49.75;

const SettingLine kSettingLines[SETTING_LINE_COUNT] = {
    UNSIGNED_LINE(WindowOptionItem, 0),
    UNSIGNED_LINE(PotCopy, 1),
    UNSIGNED_LINE(PotMove, 1),
    UNSIGNED_LINE(PotDelRec, 1),
    UNSIGNED_LINE(PotClosing, 1),
    UNSIGNED_LINE(FunFyxInstance, 1),
    UNSIGNED_LINE(FunFyxMinimizeIcon, 1),
    UNSIGNED_LINE(FunSavePosition, 1),
    UNSIGNED_LINE(FunPosition, 0),

    UNSIGNED_LINE(CursorType, 1),
    UNSIGNED_LINE(WiewRootDir, 0),
    TEXT_LINE(LanguageFile, L"Default"),
    TEXT_LINE(ColorProfileFile, L"Default"),
    UNSIGNED_LINE(ColorEditItem, 0),

    TEXT_LINE(LeftPictureFile, L"NOFILE"),
    TEXT_LINE(RightPictureFile, L"NOFILE"),
    UNSIGNED_LINE(LeftPictureMode, 2),
    UNSIGNED_LINE(RightPictureMode, 2),
    UNSIGNED_LINE(LeftPicturePeriod, 60),
    UNSIGNED_LINE(RightPicturePeriod, 60),
    UNSIGNED_LINE(LeftPictureOver, 1),

    UNSIGNED_LINE(PotDelDel, 1),

    UNSIGNED_LINE(DrvRemovable, 0),
    UNSIGNED_LINE(DrvRemovableIcons, 1),
    UNSIGNED_LINE(DrvFixed, 0),
    UNSIGNED_LINE(DrvFixedIcons, 1),
    UNSIGNED_LINE(DrvCDROM, 0),
    UNSIGNED_LINE(DrvCDROMIcons, 0),
    UNSIGNED_LINE(DrvNetwork, 0),
    UNSIGNED_LINE(DrvNetworkIcons, 0),

    UNSIGNED_LINE(ShellShowComment, 1),
    UNSIGNED_LINE(ShellShowIcons, 1),
    UNSIGNED_LINE(ShellShowCommentNetwork, 1),
    UNSIGNED_LINE(ShellShowIconsNetwork, 0),

    TEXT_LINE(ViewFile, L"notepad.exe"),
    TEXT_LINE(EditFile, L"notepad.exe"),
    UNSIGNED_LINE(ViewFileInternal, 1),
    UNSIGNED_LINE(EditFileInternal, 1),

    UNSIGNED_LINE(PackShowDialog, 1),
    UNSIGNED_LINE(UnpackOverwrite, 0),
    UNSIGNED_LINE(UnpackOverwriteOlder, 0),
    UNSIGNED_LINE(UnpackSeparateDir, 0),
    UNSIGNED_LINE(UnpackShowDialog, 1),

    UNSIGNED_LINE(CopyOverwrite, 0),
    UNSIGNED_LINE(CopyOverwriteOlder, 0),
    UNSIGNED_LINE(MoveOverwrite, 0),
    UNSIGNED_LINE(MoveOverwriteOlder, 0),
    UNSIGNED_LINE(DeleteHS, 0),
    UNSIGNED_LINE(DeleteREADONLY, 0),
    UNSIGNED_LINE(DeleteERRORS, 0),

    SIGNED_LINE(FYXWindowLeft, 0),
    SIGNED_LINE(FYXWindowRight, 600),
    SIGNED_LINE(FYXWindowTop, 0),
    SIGNED_LINE(FYXWindowBottom, 400),
    SIGNED_LINE(FYXShowCommandLine, 1),
    TEXT_LINE(FYXLeftWinPath, L""),
    TEXT_LINE(FYXRightWinPath, L""),

    SIGNED_LINE(FYXLeftDirShow, 2),
    SIGNED_LINE(FYXLeftFileShow, 2),
    SIGNED_LINE(FYXLeftUpdateSize, 1),
    SIGNED_LINE(FYXLeftShowDOSName, 0),
    SIGNED_LINE(FYXLeftShowExt, 0),
    SIGNED_LINE(FYXLeftShowSize, 1),
    SIGNED_LINE(FYXLeftShowType, 0),
    SIGNED_LINE(FYXLeftShowDate, 1),
    SIGNED_LINE(FYXLeftShowTime, 1),
    SIGNED_LINE(FYXLeftShowAtr, 1),
    SIGNED_LINE(FYXLeftShowMode, 0),
    SIGNED_LINE(FYXLeftSortMode, 1),
    SIGNED_LINE(FYXLeftWindowMode, 2),
    SIGNED_LINE(FYXLeftShowInverse, 1),
    SIGNED_LINE(FYXLeftShowInfoType, 1),
    SIGNED_LINE(FYXLeftTypeInverse, 1),
    SIGNED_LINE(FYXLeftTypeInfoType, 3),
    REAL_LINE(FYXLeftPanelSize),

    SIGNED_LINE(FYXRightDirShow, 2),
    SIGNED_LINE(FYXRightFileShow, 2),
    SIGNED_LINE(FYXRightUpdateSize, 0),
    SIGNED_LINE(FYXRightShowDOSName, 0),
    SIGNED_LINE(FYXRightShowExt, 1),
    SIGNED_LINE(FYXRightShowSize, 1),
    SIGNED_LINE(FYXRightShowType, 0),
    SIGNED_LINE(FYXRightShowDate, 1),
    SIGNED_LINE(FYXRightShowTime, 1),
    SIGNED_LINE(FYXRightShowAtr, 1),
    SIGNED_LINE(FYXRightShowMode, 0),
    SIGNED_LINE(FYXRightSortMode, 1),
    SIGNED_LINE(FYXRightWindowMode, 0),
    SIGNED_LINE(FYXRightShowInverse, 1),
    SIGNED_LINE(FYXRightShowInfoType, 1),
    SIGNED_LINE(FYXRightTypeInverse, 1),
    SIGNED_LINE(FYXRightTypeInfoType, 3),
};

void FillDefaultSettings(ConfigRecord* record) {
    memset(record, 0, sizeof(*record));
    char* base = (char*)record;
    for (const SettingLine& line : kSettingLines) {
        void* field = base + line.offset;
        switch (line.kind) {
        case SETTING_UNSIGNED:
        case SETTING_SIGNED:
            memcpy(field, &line.defaultNumber, sizeof(uint32_t));
            break;
        case SETTING_TEXT:
            wcsncpy((wchar_t*)field, line.defaultText, line.capacity - 1);
            break;
        case SETTING_REAL:
            memcpy(field, &kDefaultLeftPanelSize, sizeof(double));
            break;
        }
    }
    // The two drag-and-drop confirmations have no line; PackRecursive stays 0.
    record->PotCopyDragDrop = 1;
    record->PotMoveDragDrop = 1;
}
