// Actions whose work is done by later parts of the program: each command
// reaches its own handler here, which for now does nothing visible.
#include "input.h"

#include <wchar.h>

void RequestCopy(HWND, int) {}               // filled by the copy and move requests
void RequestDelete(HWND) {}                  // filled by the delete requests
void RequestPack(HWND) {}                    // filled by the pack requests
void RequestUnpack(HWND) {}                  // filled by the unpack requests
void RequestRename(HWND) {}                  // filled by the in-process file commands
void RequestView(HWND) {}                    // filled by the in-process file commands
void RequestEdit(HWND) {}                    // filled by the in-process file commands
void RequestMakeDirectory(HWND) {}           // filled by the in-process file commands
void RequestCreateShortcut(HWND) {}          // filled by the main program's dialogs
void RequestVolumeLabel(HWND) {}             // filled by the main program's dialogs
void RequestAbout(HWND) {}                   // filled by the main program's dialogs
void RequestGoUpBrowsed(HWND, int) {}        // filled by the archive and shell browsing
void RequestExtractAndExecute(HWND, int) {}  // filled by the execute-from-archive requests
void RequestOpenArchive(HWND, int, const wchar_t*) {}      // filled by the archive browsing
void RequestShellBrowse(HWND, int, int, const wchar_t*) {}  // filled by the shell browsing
void RequestShellRoot(HWND, int, wchar_t) {}     // filled by the shell browsing
void RequestBrowsedRoot(HWND, int) {}            // filled by the archive and shell browsing
void OpenSelectionContextMenu(HWND, int) {}  // filled by the pop-up menus
void OpenFolderContextMenu(HWND, int) {}     // filled by the pop-up menus
void OpenDriveContextMenu(HWND, int, wchar_t) {}  // filled by the pop-up menus
void OpenDriveMenu(HWND, int) {}             // filled by the pop-up menus
void OpenFavoritesMenu(HWND, int) {}         // filled by the pop-up menus
void OpenParentsMenu(HWND, int) {}           // filled by the pop-up menus
void OpenVisitedMenu(HWND, int) {}           // filled by the pop-up menus
void CarryOutDriveMenuChoice(HWND) {}        // filled by the pop-up menus
void DynamicMenuCommand(HWND, int) {}        // filled by the pop-up menus

// Until the operation front-end brings its own box: the system's text of
// the error, so that no failure passes unseen.
void ShowRequestError(HWND window, DWORD code, DWORD error) {
    wchar_t text[512];
    int n = _snwprintf(text, 512, L"%lu: ", (unsigned long)code);
    if (n < 0) n = 0;
    if (!FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, text + n,
                        512 - n, NULL))
        _snwprintf(text + n, 512 - n, L"%lu", (unsigned long)error);
    text[511] = 0;
    MessageBoxW(window, text, LanguageLine(&g_app.language, NAV_LINE_CAPTION), MB_OK | MB_ICONWARNING);
}
