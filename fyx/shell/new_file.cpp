// "Edit New File": a name asked for, the file made empty in the active
// panel's directory, and opened in the text editor.
#include "input.h"

#include <shellapi.h>
#include <shlwapi.h>
#include <wchar.h>

int CreateEmptyFileIn(const wchar_t* directory, const wchar_t* name) {
    // The file belongs in this directory: no other folder or drive.
    if (!name[0] || wcspbrk(name, L"\\/:") || !wcscmp(name, L".") || !wcscmp(name, L"..")) {
        SetLastError(ERROR_INVALID_NAME);
        return NEW_FILE_FAILED;
    }
    wchar_t path[MAX_PATH];
    if (!PathCombineW(path, directory, name)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return NEW_FILE_FAILED;
    }
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return NEW_FILE_CREATED;
    }
    DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return NEW_FILE_EXISTED;
    SetLastError(error);
    return NEW_FILE_FAILED;
}

void CommandEditNewFile(HWND window) {
    int side = ActiveSide();
    Panel* panel = g_app.panels[side];
    if (!panel) return;
    wchar_t directory[PANEL_PATH_CHARS];
    NavPanelDirectory(panel, directory);
    if (!directory[0]) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    TextDialog d = {};
    d.title = LanguageLine(&g_app.language, 63);
    d.label = LanguageLine(&g_app.language, 202);
    d.ok = LanguageLine(&g_app.language, 131);
    d.cancel = LanguageLine(&g_app.language, 118);
    d.keepOpenWhenEmpty = 1;
    wcscpy(d.text, L"new.txt");
    if (!AskText(window, &d)) return;

    int made = CreateEmptyFileIn(directory, d.text);
    if (made == NEW_FILE_FAILED) {
        ShowRequestError(window, NAV_REQUEST_ERROR_CODE, GetLastError());
        return;
    }
    if (made == NEW_FILE_CREATED && panel->settings.panelMode == PANEL_FILESYSTEM) {
        PanelRefresh(panel);
        ViewInvalidatePanel(side);
    }
    SHELLEXECUTEINFOW info = {sizeof(info)};
    info.hwnd = window;
    info.lpVerb = L"open";
    info.lpFile = L"notepad.exe";
    info.lpParameters = d.text;
    info.lpDirectory = directory;
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExW(&info);
}
