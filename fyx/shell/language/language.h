// The main program's language lines: the language file on disk, start-up and
// reload, publishing to the plugin library, and the texts of the main menu.
//
// Use from the main window:
//   start-up (before the window)      LanguageStartUp
//   timer LANGUAGE_MENU_TIMER_ID, started LANGUAGE_MENU_TIMER_MS after the
//   first activation                  LanguageApplyMenuTexts
//   command "Options..."              keep a copy of `LanguageFile`
//   WM_SETTINGS_CHANGED, after reload LanguageTakeSettings with that copy
//   shutdown                          LanguageFree
#pragma once

#include <windows.h>
#include <stddef.h>

#include "language_table.h"

enum {
    // The main window sets the menu texts this long after its first activation.
    LANGUAGE_MENU_TIMER_ID = 2,
    LANGUAGE_MENU_TIMER_MS = 50,
};

// The value of `LanguageFile` that means the built-in lines.
extern const wchar_t kLanguageDefault[];

// "<programFolder>\Language\<languageFile>"; the name must be a plain file name.
int LanguageLoadFile(LanguageTable* table, const wchar_t* programFolder, const wchar_t* languageFile);

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
