// The main window's classes, the window itself and its child windows.
#include "app.h"
#include "view.h"

namespace {

const COLORREF kMainBackground = RGB(212, 212, 202);

LRESULT CALLBACK MessageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

bool Register(HINSTANCE instance, const wchar_t* name, UINT style, HBRUSH background, WNDPROC proc) {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.style = style;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(NULL, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    // A class left from an earlier main window of this process is reused.
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

struct ChildWindow {
    const wchar_t* className;
    int id;
    DWORD style;
    int x, y, width, height;
};

const DWORD kSortedList = WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_SORT;
const DWORD kPlainList = WS_CHILD;

// In creation order; none is visible at first, the layout places them.
const ChildWindow kChildren[] = {
    {L"leftlv", 1234, WS_CHILD | WS_VSCROLL, 0, 0, 15, 100},
    {L"rightlv", 1235, WS_CHILD | WS_VSCROLL, 0, 0, 15, 100},
    {L"leftlh", 2236, WS_CHILD | WS_HSCROLL, 0, 335, 150, 100},
    {L"rightlh", 2237, WS_CHILD | WS_HSCROLL, 0, 0, 15, 100},
    {L"listbox", 2, kSortedList, 10, 10, 200, 200},  // swap: working list
    {L"listbox", 3, kPlainList, 10, 10, 200, 200},   // swap: second working list
    {L"listbox", 3, kPlainList, 10, 10, 200, 200},   // remembered selection
    {L"listbox", 3, kSortedList, 10, 10, 200, 200},  // favourites: names
    {L"listbox", 4, kSortedList, 10, 10, 200, 200},  // favourites: paths
    {L"listbox", 3, kSortedList, 10, 10, 200, 200},  // favourites editing
    {L"listbox", 4, kSortedList, 10, 10, 200, 200},  // favourites editing
    {L"button", 2222, WS_CHILD | BS_OWNERDRAW, 50, 50, 20, 15},
    {L"edit", 6001, WS_CHILD | ES_AUTOHSCROLL, 5, 500, 300, 550},
    {L"lwid", 1, WS_CHILD, 5, 10, 10, 10},
    {L"rwid", 2, WS_CHILD, 5, 10, 10, 10},
};

}  // namespace

bool RegisterWindowClasses(HINSTANCE instance) {
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(NULL, IDC_ARROW);
    wc.hbrBackground = CreateSolidBrush(kMainBackground);
    wc.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    wc.lpszClassName = g_app.className;
    wc.hIcon = (HICON)LoadImageW(instance, MAKEINTRESOURCEW(IDI_FYX), IMAGE_ICON, 32, 32, 0);
    wc.hIconSm = (HICON)LoadImageW(instance, MAKEINTRESOURCEW(IDI_FYX), IMAGE_ICON, 16, 16, 0);
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    HBRUSH white = (HBRUSH)GetStockObject(WHITE_BRUSH);
    const UINT redraw = CS_HREDRAW | CS_VREDRAW;
    return Register(instance, L"lwid", redraw, white, MessageWindowProc) &&
           Register(instance, L"rwid", redraw, white, MessageWindowProc) &&
           Register(instance, L"leftlv", redraw | CS_DBLCLKS, white, ScrollHostProc) &&
           Register(instance, L"rightlv", redraw | CS_DBLCLKS, white, ScrollHostProc) &&
           Register(instance, L"leftlh", redraw, white, ScrollHostProc) &&
           Register(instance, L"rightlh", redraw | CS_DBLCLKS, white, ScrollHostProc);
}

HWND CreateMainWindow(HINSTANCE instance) {
    if (!LoadStringW(instance, IDS_TITLE, g_app.title, 101) ||
        !LoadStringW(instance, IDS_CLASS_NAME, g_app.className, 101) || !RegisterWindowClasses(instance))
        return NULL;
    return CreateWindowExW(WS_EX_ACCEPTFILES, g_app.className, g_app.title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                           CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, instance, NULL);
}

void CreateChildWindows(HWND mainWindow) {
    for (const ChildWindow& c : kChildren)
        CreateWindowExW(0, c.className, L"", c.style, c.x, c.y, c.width, c.height, mainWindow,
                        (HMENU)(INT_PTR)c.id, g_app.instance, NULL);
}
