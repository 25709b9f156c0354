// Fyx main program: process start, main window and message loop.
#include <windows.h>

#include "plugin.h"

namespace {

const wchar_t kClassName[] = L"Fyx";
const wchar_t kTitle[] = L"Fyx 1.2 - 100% free";

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        FYXPLG_PutFYXWindowHandle(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return 0;
    HWND window = CreateWindowExW(WS_EX_ACCEPTFILES, kClassName, kTitle, WS_OVERLAPPEDWINDOW, 0, 0,
                                  CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, instance, NULL);
    if (!window) return 0;
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
