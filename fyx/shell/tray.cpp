// The notification-area icon of the main window.
#include <windows.h>

#include <shellapi.h>
#include <wchar.h>

#include "app.h"

namespace {

NOTIFYICONDATAW TrayData(HWND window) {
    NOTIFYICONDATAW nid;
    ZeroMemory(&nid, sizeof(nid));
    nid.cbSize = sizeof(nid);
    nid.hWnd = window;
    nid.uID = 1;
    return nid;
}

}  // namespace

void AddTrayIcon(HWND window) {
    NOTIFYICONDATAW nid = TrayData(window);
    nid.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    nid.uCallbackMessage = WM_TRAY_NOTIFY;
    nid.hIcon = (HICON)GetClassLongPtrW(window, GCLP_HICONSM);
    wcscpy(nid.szTip, L"Fyx 1.2");
    if (Shell_NotifyIconW(NIM_ADD, &nid)) g_app.trayIconShown = true;
}

void DeleteTrayIcon(HWND window) {
    NOTIFYICONDATAW nid = TrayData(window);
    Shell_NotifyIconW(NIM_DELETE, &nid);
    g_app.trayIconShown = false;
}
