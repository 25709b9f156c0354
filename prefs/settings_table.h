// The lines of "Fyx.ini" in file order, with the field each one fills and
// its default: load, save and the defaults all walk this one table.
#pragma once

#include "prefs.h"

enum SettingKind {
    SETTING_UNSIGNED,
    SETTING_SIGNED,
    SETTING_TEXT,
    SETTING_REAL,
};

struct SettingLine {
    const char* key;
    SettingKind kind;
    size_t offset;     // of the field in ConfigRecord
    size_t capacity;   // text fields: code units of the field
    uint32_t defaultNumber;
    const wchar_t* defaultText;
};

enum { SETTING_LINE_COUNT = 92 };

extern const SettingLine kSettingLines[SETTING_LINE_COUNT];
extern const double kDefaultLeftPanelSize;

// Zeroes the record, then sets every default.
void FillDefaultSettings(ConfigRecord* record);
