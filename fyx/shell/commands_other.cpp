// The Commands, Net, Configuration and Help pop-ups: programs started,
// shell folders, property sheets, network dialogs, settings.
#include "input.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <wchar.h>
#include <winnetwk.h>

namespace {

struct RunItem {
    int id;
    const wchar_t* file;
};
const RunItem kRunItems[] = {
    {IDM_RUN_COMMAND_LINE, L"cmd.exe"},     {IDM_RUN_REGISTRY_EDITOR, L"regedit.exe"},
    {IDM_RUN_SERVICES, L"services.msc"},    {IDM_RUN_CALCULATOR, L"calc.exe"},
    {IDM_RUN_NOTEPAD, L"notepad.exe"},
};

struct FolderCommand {
    int id;
    int csidl;
};
const FolderCommand kFolderCommands[] = {
    {IDM_FOLDER_DESKTOP, 0x10},      {IDM_FOLDER_FAVORITES, 6},     {IDM_FOLDER_FONTS, 0x14},
    {IDM_FOLDER_MY_DOCUMENTS, 5},    {IDM_FOLDER_PROGRAM_FILES, 0x26}, {IDM_FOLDER_RECENT, 8},
    {IDM_FOLDER_SEND_TO, 9},         {IDM_FOLDER_STARTUP, 7},       {IDM_FOLDER_START_MENU, 0xB},
    {IDM_FOLDER_SYSTEM, 0x25},       {IDM_FOLDER_TEMP, 0x15},       {IDM_FOLDER_WINDOWS, 0x24},
};

struct HelpFile {
    int id;
    const wchar_t* name;
};
const HelpFile kHelpFiles[] = {
    {IDM_MANUAL, L"manual.txt"}, {IDM_HISTORY, L"history.txt"}, {IDM_WHATS_NEW, L"whatsnew.txt"}};

const unsigned LINE_SETTINGS_SAVED = 289;
const unsigned LINE_POSITION_SAVED = 395;

DWORD OpenWithVerb(HWND window, const wchar_t* file, const wchar_t* parameters, const wchar_t* directory) {
    SHELLEXECUTEINFOW info = {sizeof(info)};
    info.hwnd = window;
    info.lpVerb = L"open";
    info.lpFile = file;
    info.lpParameters = parameters;
    info.lpDirectory = directory;
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) ? 0 : GetLastError();
}

// The active panel's drive root, "" when it shows no file-system directory.
void ActiveDriveRoot(wchar_t root[PANEL_PATH_CHARS]) {
    NavPanelDirectory(ActivePanel(), root);
    if (root[0]) PathStripToRootW(root);
}

const int CSIDL_TEMPLATES_VALUE = 0x15;

void GoToShellFolder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    // 0x15 names the Templates folder; the item says Temp, which has no
    // shell folder id of its own.
    bool found = csidl == CSIDL_TEMPLATES_VALUE
                     ? GetTempPathW(MAX_PATH, path) > 0
                     : SHGetFolderPathW(NULL, csidl, NULL, SHGFP_TYPE_CURRENT, path) == S_OK;
    size_t n = wcslen(path);
    if (n > 3 && path[n - 1] == L'\\') path[n - 1] = 0;
    if (!found || !path[0]) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    InputChangeDirectory(ActiveSide(), path);
}

void StartOptions(HWND window) {
    InfoBlock block = {};
    block.mainWindow = InfoBlockWindowValue(window);
    wcsncpy(block.programFolder, g_app.programFolder, PREFS_TEXT_CAPACITY - 1);
    PREFS_SaveInfo(block);
    g_input.optionsConfig = g_app.config;
    g_input.optionsStarted = 1;
    wchar_t exe[MAX_PATH];
    if (!PathCombineW(exe, g_app.programFolder, L"fyxopts.exe")) return;
    OpenWithVerb(window, exe, NULL, g_app.programFolder);
}

void ToggleCommandLine(HWND window) {
    g_app.config.FYXShowCommandLine = g_app.config.FYXShowCommandLine == 1 ? 0 : 1;
    CheckMenuItem(GetMenu(window), IDM_SHOW_COMMAND_LINE,
                  MF_BYCOMMAND | (g_app.config.FYXShowCommandLine == 1 ? MF_CHECKED : MF_UNCHECKED));
    ViewPlaceCommandLine(window);
    InvalidateRect(window, NULL, FALSE);
}

}  // namespace

int OtherCommand(HWND window, int id) {
    for (const RunItem& r : kRunItems)
        if (r.id == id) {
            InputRun(r.file, NULL, NULL);
            return 1;
        }
    for (const FolderCommand& f : kFolderCommands)
        if (f.id == id) {
            GoToShellFolder(f.csidl);
            return 1;
        }
    for (const HelpFile& h : kHelpFiles)
        if (h.id == id) {
            OpenWithVerb(window, L"notepad.exe", h.name, g_app.programFolder);
            return 1;
        }
    wchar_t path[MAX_PATH];
    switch (id) {
    case IDM_VOLUME_LABEL: RequestVolumeLabel(window); return 1;
    case IDM_DISK_INFORMATION:
        ActiveDriveRoot(path);
        if (path[0]) CommandShowPropertiesOf(window, path);
        return 1;
    case IDM_EMPTY_RECYCLE_BIN:
        ActiveDriveRoot(path);
        SHEmptyRecycleBinW(window, path[0] ? path : NULL, 0);
        return 1;
    case IDM_DESKTOP_PROPERTIES:
        if (SHGetFolderPathW(NULL, 0x10, NULL, SHGFP_TYPE_CURRENT, path) == S_OK)
            CommandShowPropertiesOf(window, path);
        return 1;
    case IDM_MAP_NETWORK_DRIVE: WNetConnectionDialog(window, RESOURCETYPE_DISK); return 1;
    case IDM_DISCONNECT_NETWORK_DRIVE: WNetDisconnectDialog(window, RESOURCETYPE_DISK); return 1;
    case IDM_NETWORK_CONNECTIONS: InputRun(L"RunDll32.exe", L"shell32.dll,Control_RunDLL ncpa.cpl", NULL); return 1;
    case IDM_OPTIONS: StartOptions(window); return 1;
    case IDM_SAVE_SETTINGS:
        // Only a file written whole is reported as saved.
        if (SaveSettings(window) == 0)
            ShowTitleLine(LINE_SETTINGS_SAVED, TITLE_MESSAGE_MS);
        else
            MessageBeep(MB_ICONEXCLAMATION);
        return 1;
    case IDM_SAVE_POSITION:
        StoreWindowRectangle(window, &g_app.config);
        ShowTitleLine(LINE_POSITION_SAVED, TITLE_MESSAGE_MS);
        return 1;
    case IDM_PANEL_FONT:
        if (ViewChoosePanelFont(window) == 0) InvalidateRect(window, NULL, FALSE);
        return 1;
    case IDM_SHOW_COMMAND_LINE: ToggleCommandLine(window); return 1;
    case IDM_WEB_SITE:
        if (PathCombineW(path, g_app.programFolder, L"Web.url")) InputRun(path, NULL, g_app.programFolder);
        return 1;
    case IDM_ABOUT: RequestAbout(window); return 1;
    }
    return 0;
}
