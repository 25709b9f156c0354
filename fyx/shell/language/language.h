// The main program's language table: 452 numbered UTF-16 lines, built-in
// English or read from a language file, published to the plugin library and
// used for the texts of the main menu.
//
// Language file: UTF-16LE; line k (from 0, ended by CR LF) gives line k; the
// text is everything after the first "=" (the key before it is not read, so a
// byte-order mark at the start just belongs to the first key). An LF without a
// CR is part of the text. A text of 99 units or more makes the file unusable,
// and an unusable file is never used in part. Missing lines, a line without
// "=" and a last line without CR LF keep their built-in texts; lines after the
// 452nd are not read at all.
#pragma once

#include <windows.h>
#include <stddef.h>

#include "builtin_lines.h"

enum {
    LANGUAGE_FILE_USED = 0,
    LANGUAGE_FILE_UNUSABLE = 1,
    LANGUAGE_TEXT_LIMIT = 98,  // code units a text of a language file may hold
    // The main window sets the menu texts this long after its first activation.
    LANGUAGE_MENU_TIMER_ID = 2,
    LANGUAGE_MENU_TIMER_MS = 50,
};

// Every line is allocated by the table and owned by it; a null pointer reads as
// an empty text. Zero-initialise before first use.
struct LanguageTable {
    wchar_t* lines[LANGUAGE_LINE_COUNT];
};

// The value of `LanguageFile` that means the built-in lines.
extern const wchar_t kLanguageDefault[];

void LanguageFree(LanguageTable* table);
// Replaces the table by fresh copies of the built-in lines; 1 when memory is short.
int LanguageLoadBuiltin(LanguageTable* table);
// Reads a language file's content. On success the whole table is replaced; on
// LANGUAGE_FILE_UNUSABLE it is left as it was.
int LanguageReadContent(LanguageTable* table, const void* content, size_t sizeInBytes);
// "<programFolder>\Language\<languageFile>"; the name must be a plain file name.
int LanguageLoadFile(LanguageTable* table, const wchar_t* programFolder, const wchar_t* languageFile);

// The line of an id as the main program shows it; an empty text when unknown.
const wchar_t* LanguageLine(const LanguageTable* table, unsigned id);
// Hands lines 0 to 451, in order, to the plugin library's language buffer.
void LanguagePublish(const LanguageTable* table);

// Start-up: the built-in lines for "Default", else the language file, falling
// back to the built-in lines (`LanguageFile` keeps its value); then publishes.
// Returns LANGUAGE_FILE_UNUSABLE when the file was not used.
int LanguageStartUp(LanguageTable* table, const wchar_t* programFolder, const wchar_t* languageFile);

// After the options program saved the settings: the lines are read again only
// when `LanguageFile` differs from the copy kept when the options program was
// started (no copy: always).
bool LanguageMustReload(const wchar_t* keptLanguageFile, const wchar_t* reloadedLanguageFile);

enum { LANGUAGE_UNCHANGED = 0, LANGUAGE_RELOADED = 1, LANGUAGE_FELL_BACK = 2 };
// Takes up the reloaded settings' `LanguageFile`: when it must, reads the lines
// again (an unusable file gives the built-in lines and sets `liveLanguageFile`
// to "Default"), sets the menu texts of `mainWindow` (may be NULL) and publishes.
int LanguageTakeSettings(LanguageTable* table, HWND mainWindow, const wchar_t* programFolder,
                         const wchar_t* keptLanguageFile, wchar_t* liveLanguageFile, size_t liveCapacity);

// Sets the texts of the main menu's pop-ups and command items from the table.
void LanguageSetMenuTexts(HMENU menu, const LanguageTable* table);
// The same on the window's menu, then sets the menu again so the bar is redrawn.
void LanguageApplyMenuTexts(HWND window, const LanguageTable* table);
// The line that gives a menu command's text, or -1 for an id the menu lacks.
int LanguageMenuLineOf(unsigned commandId);
