// Texts of the main menu from the language table: pop-ups by position,
// command items by id.
#include "language.h"
#include "resource_ids.h"

#ifndef _WIN64
static_assert(sizeof(MENUITEMINFOW) == 48, "the menu item record of the 32-bit release");
#endif

namespace {

struct CommandLine {
    unsigned short command;
    unsigned short line;
};

const CommandLine kCommandLines[] = {
    // Left and Right pop-ups
    {IDM_LEFT_DIRS_UPPER, 51}, {IDM_LEFT_DIRS_LOWER, 52}, {IDM_LEFT_DIRS_AS_STORED, 53},
    {IDM_RIGHT_DIRS_UPPER, 51}, {IDM_RIGHT_DIRS_LOWER, 52}, {IDM_RIGHT_DIRS_AS_STORED, 53},
    {IDM_LEFT_FILES_UPPER, 51}, {IDM_LEFT_FILES_LOWER, 52}, {IDM_LEFT_FILES_AS_STORED, 53},
    {IDM_RIGHT_FILES_UPPER, 51}, {IDM_RIGHT_FILES_LOWER, 52}, {IDM_RIGHT_FILES_AS_STORED, 53},
    {IDM_LEFT_COLUMN_NAME, 0}, {IDM_RIGHT_COLUMN_NAME, 0},
    {IDM_LEFT_COLUMN_EXT, 1}, {IDM_LEFT_COLUMN_DOS_NAME, 2}, {IDM_LEFT_COLUMN_SIZE, 3},
    {IDM_LEFT_COLUMN_TYPE, 4}, {IDM_LEFT_COLUMN_DATE, 5}, {IDM_LEFT_COLUMN_TIME, 6},
    {IDM_LEFT_COLUMN_ATTR, 7},
    {IDM_RIGHT_COLUMN_EXT, 1}, {IDM_RIGHT_COLUMN_DOS_NAME, 2}, {IDM_RIGHT_COLUMN_SIZE, 3},
    {IDM_RIGHT_COLUMN_TYPE, 4}, {IDM_RIGHT_COLUMN_DATE, 5}, {IDM_RIGHT_COLUMN_TIME, 6},
    {IDM_RIGHT_COLUMN_ATTR, 7},
    {IDM_LEFT_INFO1_COUNTS, 54}, {IDM_LEFT_INFO1_TYPE, 55}, {IDM_LEFT_INFO1_SPACE, 282},
    {IDM_RIGHT_INFO1_COUNTS, 54}, {IDM_RIGHT_INFO1_TYPE, 55}, {IDM_RIGHT_INFO1_SPACE, 282},
    {IDM_LEFT_INFO2_COUNTS, 54}, {IDM_LEFT_INFO2_TYPE, 55}, {IDM_LEFT_INFO2_SPACE, 282},
    {IDM_RIGHT_INFO2_COUNTS, 54}, {IDM_RIGHT_INFO2_TYPE, 55}, {IDM_RIGHT_INFO2_SPACE, 282},
    {IDM_LEFT_LIST_IN_OTHER, 56}, {IDM_RIGHT_LIST_IN_OTHER, 56},
    {IDM_LEFT_ROUND_SIZE, 57}, {IDM_RIGHT_ROUND_SIZE, 57},
    {IDM_LEFT_SHOW_ALL, 58}, {IDM_RIGHT_SHOW_ALL, 58},
    {IDM_LEFT_HIDE_SYSTEM, 59}, {IDM_RIGHT_HIDE_SYSTEM, 59},
    {IDM_LEFT_SORT_NAME, 373}, {IDM_LEFT_SORT_EXT, 374}, {IDM_LEFT_SORT_SIZE, 375}, {IDM_LEFT_SORT_TIME, 376},
    {IDM_RIGHT_SORT_NAME, 373}, {IDM_RIGHT_SORT_EXT, 374}, {IDM_RIGHT_SORT_SIZE, 375},
    {IDM_RIGHT_SORT_TIME, 376},
    {IDM_LEFT_SORT_REVERSE, 377}, {IDM_RIGHT_SORT_REVERSE, 377},
    {IDM_LEFT_SORT_DIRS, 378}, {IDM_RIGHT_SORT_DIRS, 378},
    // Files
    {IDM_PACK, 434}, {IDM_UNPACK_SPECIFIC, 435}, {IDM_PROPERTIES, 60}, {IDM_CREATE_SHORTCUT, 62},
    {IDM_EDIT_NEW_FILE, 253},
    // Select
    {IDM_SELECT_DIRS, 69}, {IDM_SELECT_FILES, 70}, {IDM_SELECT_ALL, 71}, {IDM_SELECT_GROUP, 276},
    {IDM_UNSELECT_DIRS, 69}, {IDM_UNSELECT_FILES, 70}, {IDM_UNSELECT_ALL, 71}, {IDM_UNSELECT_GROUP, 277},
    {IDM_INVERT_DIRS, 69}, {IDM_INVERT_FILES, 70}, {IDM_INVERT_ALL, 71},
    {IDM_SAVE_SELECTION, 72}, {IDM_RESTORE_SELECTION, 73}, {IDM_SAVE_SELECTION_FILE, 74},
    {IDM_LOAD_SELECTION_FILE, 75}, {IDM_NEXT_SELECTED, 76}, {IDM_PREVIOUS_SELECTED, 77},
    // Commands
    {IDM_RUN_COMMAND_LINE, 80}, {IDM_RUN_REGISTRY_EDITOR, 82}, {IDM_RUN_SERVICES, 83},
    {IDM_RUN_CALCULATOR, 84}, {IDM_RUN_NOTEPAD, 85},
    {IDM_FOLDER_DESKTOP, 95}, {IDM_FOLDER_FAVORITES, 96}, {IDM_FOLDER_FONTS, 97},
    {IDM_FOLDER_MY_DOCUMENTS, 98}, {IDM_FOLDER_PROGRAM_FILES, 99}, {IDM_FOLDER_RECENT, 100},
    {IDM_FOLDER_SEND_TO, 101}, {IDM_FOLDER_STARTUP, 102}, {IDM_FOLDER_START_MENU, 103},
    {IDM_FOLDER_SYSTEM, 104}, {IDM_FOLDER_TEMP, 105}, {IDM_FOLDER_WINDOWS, 106},
    {IDM_VOLUME_LABEL, 89}, {IDM_DISK_INFORMATION, 90}, {IDM_EMPTY_RECYCLE_BIN, 91},
    {IDM_DESKTOP_PROPERTIES, 92}, {IDM_SWAP_PANELS, 93}, {IDM_TARGET_EQUALS_SOURCE, 94},
    // Net
    {IDM_MAP_NETWORK_DRIVE, 387}, {IDM_DISCONNECT_NETWORK_DRIVE, 388}, {IDM_NETWORK_CONNECTIONS, 391},
    // Configuration
    {IDM_OPTIONS, 111}, {IDM_SAVE_SETTINGS, 259}, {IDM_SAVE_POSITION, 396}, {IDM_PANEL_FONT, 112},
    {IDM_SHOW_COMMAND_LINE, 110},
    // Help
    {IDM_WEB_SITE, 113}, {IDM_MANUAL, 354}, {IDM_HISTORY, 355}, {IDM_WHATS_NEW, 356}, {IDM_ABOUT, 114},
};

const unsigned short kTopLevelLines[8] = {38, 39, 40, 41, 386, 43, 44, 45};
const unsigned short kPanelPopupLines[5] = {46, 47, 48, 49, 50};
const unsigned kInfoLinesPosition = 3;
const unsigned short kInfoLinePopupLines[2] = {280, 281};
const unsigned short kSelectPopupLines[3] = {66, 67, 68};
const unsigned kSystemDirectoriesPosition = 6;
const unsigned short kSystemDirectoriesLine = 78;

void SetItemText(HMENU menu, UINT item, BOOL byPosition, const wchar_t* text) {
    if (!menu) return;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text);
    SetMenuItemInfoW(menu, item, byPosition, &info);
}

void SetPopupTexts(HMENU menu, const unsigned short* lines, unsigned count, const LanguageTable* table) {
    for (unsigned pos = 0; pos < count; ++pos) SetItemText(menu, pos, TRUE, LanguageLine(table, lines[pos]));
}

void SetPanelPopupTexts(HMENU panelPopup, const LanguageTable* table) {
    SetPopupTexts(panelPopup, kPanelPopupLines, 5, table);
    SetPopupTexts(GetSubMenu(panelPopup, kInfoLinesPosition), kInfoLinePopupLines, 2, table);
}

}  // namespace

int LanguageMenuLineOf(unsigned commandId) {
    for (const CommandLine& entry : kCommandLines)
        if (entry.command == commandId) return entry.line;
    return -1;
}

void LanguageSetMenuTexts(HMENU menu, const LanguageTable* table) {
    if (!menu) return;
    SetPopupTexts(menu, kTopLevelLines, 8, table);
    SetPanelPopupTexts(GetSubMenu(menu, MENU_POS_LEFT), table);
    SetPanelPopupTexts(GetSubMenu(menu, MENU_POS_RIGHT), table);
    SetPopupTexts(GetSubMenu(menu, MENU_POS_SELECT), kSelectPopupLines, 3, table);
    HMENU commands = GetSubMenu(menu, MENU_POS_COMMANDS);
    if (commands)
        SetItemText(commands, kSystemDirectoriesPosition, TRUE, LanguageLine(table, kSystemDirectoriesLine));
    // By id, the search reaches into every pop-up; an id the menu lacks changes nothing.
    for (const CommandLine& entry : kCommandLines)
        SetItemText(menu, entry.command, FALSE, LanguageLine(table, entry.line));
}

void LanguageApplyMenuTexts(HWND window, const LanguageTable* table) {
    HMENU menu = GetMenu(window);
    if (!menu) return;
    LanguageSetMenuTexts(menu, table);
    SetMenu(window, menu);
    DrawMenuBar(window);
}
