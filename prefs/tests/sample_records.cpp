// Sample configuration records with every stored field changed.
#include "sample_records.h"

#include <string.h>
#include <wchar.h>

void SetText(wchar_t* field, size_t capacity, const wchar_t* text) {
    memset(field, 0, capacity * sizeof(wchar_t));
    wcsncpy(field, text, capacity - 1);
}

namespace {

// Every unsigned field that has a line, in the order their sample values count up.
uint32_t ConfigRecord::* const kUnsignedFields[] = {
    &ConfigRecord::WindowOptionItem, &ConfigRecord::PotCopy, &ConfigRecord::PotMove,
    &ConfigRecord::PotDelRec, &ConfigRecord::PotDelDel, &ConfigRecord::PotClosing,
    &ConfigRecord::FunFyxInstance, &ConfigRecord::FunFyxMinimizeIcon, &ConfigRecord::FunSavePosition,
    &ConfigRecord::FunPosition, &ConfigRecord::ColorEditItem, &ConfigRecord::CursorType,
    &ConfigRecord::WiewRootDir, &ConfigRecord::LeftPictureMode, &ConfigRecord::RightPictureMode,
    &ConfigRecord::LeftPicturePeriod, &ConfigRecord::RightPicturePeriod, &ConfigRecord::LeftPictureOver,
    &ConfigRecord::DrvRemovable, &ConfigRecord::DrvRemovableIcons, &ConfigRecord::DrvFixed,
    &ConfigRecord::DrvFixedIcons, &ConfigRecord::DrvCDROM, &ConfigRecord::DrvCDROMIcons,
    &ConfigRecord::DrvNetwork, &ConfigRecord::DrvNetworkIcons, &ConfigRecord::ShellShowComment,
    &ConfigRecord::ShellShowIcons, &ConfigRecord::ShellShowCommentNetwork,
    &ConfigRecord::ShellShowIconsNetwork, &ConfigRecord::ViewFileInternal, &ConfigRecord::EditFileInternal,
    &ConfigRecord::PackShowDialog, &ConfigRecord::UnpackOverwrite, &ConfigRecord::UnpackOverwriteOlder,
    &ConfigRecord::UnpackSeparateDir, &ConfigRecord::UnpackShowDialog, &ConfigRecord::CopyOverwrite,
    &ConfigRecord::CopyOverwriteOlder, &ConfigRecord::MoveOverwrite, &ConfigRecord::MoveOverwriteOlder,
    &ConfigRecord::DeleteHS, &ConfigRecord::DeleteREADONLY, &ConfigRecord::DeleteERRORS,
};

int32_t ConfigRecord::* const kWindowFields[] = {
    &ConfigRecord::FYXWindowLeft, &ConfigRecord::FYXWindowRight, &ConfigRecord::FYXWindowTop,
    &ConfigRecord::FYXWindowBottom, &ConfigRecord::FYXShowCommandLine,
};

// A text field and its sample value, "%ls" taking the variant's tag.
struct TextSample {
    wchar_t* field;
    size_t capacity;
    const wchar_t* format;
};
#define TEXT_SAMPLE(field, format) {field, sizeof(field) / sizeof(wchar_t), format}

}  // namespace

ConfigRecord MakeSampleRecord(int variant) {
    ConfigRecord r;
    PREFS_GetDefaultConfiguration(&r);
    // Numbers: a per-variant base plus a running count, so no two fields
    // and no two variants hold the same value, and none equals its default.
    uint32_t u = variant == 1 ? 1000 : 2000;
    int32_t s = variant == 1 ? -1000 : -2000;
    const wchar_t* tag = variant == 1 ? L"one" : L"two";

    for (uint32_t ConfigRecord::* field : kUnsignedFields) r.*field = u++;
    for (int32_t ConfigRecord::* field : kWindowFields) r.*field = s--;
    int32_t* left = &r.FYXLeftDirShow;
    int32_t* right = &r.FYXRightDirShow;
    for (int i = 0; i < 17; ++i) {
        left[i] = s--;
        right[i] = s--;
    }
    const TextSample texts[] = {
        TEXT_SAMPLE(r.LanguageFile, L"Deutsch-%ls.lng"),
        TEXT_SAMPLE(r.ColorProfileFile, L"C:\\Colors\\%ls.ini"),
        TEXT_SAMPLE(r.LeftPictureFile, L"D:\\Pictures\\left %ls.bmp"),
        TEXT_SAMPLE(r.RightPictureFile, L"D:\\Pictures\\right %ls.bmp"),
        TEXT_SAMPLE(r.ViewFile, L"C:\\Tools\\view-%ls.exe"),
        TEXT_SAMPLE(r.EditFile, L"C:\\Tools\\edit-%ls.exe"),
        TEXT_SAMPLE(r.FYXLeftWinPath, L"C:\\Work\\left panel %ls"),
        TEXT_SAMPLE(r.FYXRightWinPath, L"C:\\Work\\right panel %ls"),
    };
    for (const TextSample& t : texts) {
        wchar_t text[PREFS_TEXT_CAPACITY];
        _snwprintf(text, PREFS_TEXT_CAPACITY, t.format, tag);
        SetText(t.field, t.capacity, text);
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
