// The stand-in main window of the tests.
#include "test_window.h"

#include <string.h>

namespace {

const wchar_t kClass[] = L"FyxAuxTestMainWindow";

void RegisterOnce() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = kClass;
    registered = RegisterClassW(&wc) != 0;
}

}  // namespace

TestMainWindow::TestMainWindow() {
    RegisterOnce();
    window_ = CreateWindowExW(0, kClass, L"Fyx 1.2", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL,
                              GetModuleHandleW(NULL), NULL);
}

TestMainWindow::~TestMainWindow() {
    if (window_) {
        KillTimer(window_, FYXFYX_TITLE_TIMER);
        DestroyWindow(window_);
    }
}

std::wstring TestMainWindow::Title() const {
    wchar_t text[1024] = {};
    GetWindowTextW(window_, text, 1024);
    return text;
}

bool TestMainWindow::WaitForTitleTimer(DWORD ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER && msg.hwnd == window_ && msg.wParam == FYXFYX_TITLE_TIMER) return true;
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return false;
}

FyxTitleState TitleState(const wchar_t* base) {
    FyxTitleState state;
    memset(&state, 0, sizeof(state));
    lstrcpynW(state.baseTitle, base, 101);
    state.mayChange = 1;
    return state;
}
