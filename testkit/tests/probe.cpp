// A small window program that the test kit's own tests drive: it paints its
// client area red, asks a question on WM_APP and ends with the answer.
#include <windows.h>

namespace {

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        HBRUSH red = CreateSolidBrush(RGB(200, 30, 40));
        RECT r;
        GetClientRect(window, &r);
        FillRect(dc, &r, red);
        DeleteObject(red);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_APP: {
        int answer = MessageBoxW(window, L"Probe question", L"Probe", MB_OKCANCEL);
        PostQuitMessage(answer);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"FyxKitProbe";
    RegisterClassW(&wc);
    HWND window = CreateWindowW(L"FyxKitProbe", L"Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300,
                                200, NULL, NULL, instance, NULL);
    if (!window) return 10;
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
