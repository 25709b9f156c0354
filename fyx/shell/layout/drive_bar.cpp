// The drive bar: filling, copying, marks, drawing and hit tests.
#include "drive_bar.h"

#include "layout_resources.h"

#include <shlobj.h>
#include <shellapi.h>
#include <shlwapi.h>

static HICON g_genericIcon;
static DWORD g_logicalDrives;
static int g_logicalDrivesRead;

void DriveBarSetGenericIcon(HICON icon)
{
    g_genericIcon = icon;
}

HICON DriveBarLoadGenericIcon(HINSTANCE instance)
{
    return (HICON)LoadImageW(instance, MAKEINTRESOURCEW(IDI_DRIVE_GENERIC), IMAGE_ICON, 16, 16, 0);
}

void DriveBarInit(DriveBar* bar, int identity, int kind, const DriveBar* source, HWND mainWindow)
{
    *bar = DriveBar{};
    bar->identity = identity;
    bar->kind = kind;
    bar->source = source;
    bar->mainWindow = mainWindow;
}

void DriveBarDestroyIcons(DriveBar* bar)
{
    for (int i = 0; i < bar->count; ++i) {
        if (bar->buttons[i].ownsIcon && bar->buttons[i].icon) DestroyIcon(bar->buttons[i].icon);
        bar->buttons[i].icon = NULL;
        bar->buttons[i].ownsIcon = 0;
    }
}

static HICON SmallIconOfFolder(int csidl)
{
    LPITEMIDLIST pidl = NULL;
    if (FAILED(SHGetSpecialFolderLocation(NULL, csidl, &pidl)) || !pidl) return NULL;
    SHFILEINFOW info = {};
    SHGetFileInfoW((LPCWSTR)pidl, 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_ICON | SHGFI_SMALLICON);
    CoTaskMemFree(pidl);
    return info.hIcon;
}

static void SetButton(DriveButton* b, wchar_t character, HICON icon, int owns, UINT type)
{
    *b = DriveButton{};
    b->character = character;
    b->icon = icon;
    b->ownsIcon = owns && icon;
    b->driveType = type;
}

int DriveBarAddRoot(DriveBar* bar, const wchar_t* parsingName, UINT driveType, HICON icon, int ownsIcon)
{
    wchar_t name[8] = {};
    int length = lstrlenW(parsingName);
    if (length == 2 && parsingName[1] == L':') {
        name[0] = parsingName[0];
        name[1] = L':';
        name[2] = L'\\';
        length = 3;
    } else if (length == 3) {
        lstrcpynW(name, parsingName, 4);
    }
    if (length != 3 || name[1] != L':' || name[2] != L'\\' || bar->count >= DRIVE_BAR_MAX_BUTTONS) return 1;
    wchar_t letter = name[0];
    if (letter >= L'a' && letter <= L'z') letter = (wchar_t)(letter - L'a' + L'A');
    if (letter < L'A' || letter > L'Z') return 1;
    if (!g_logicalDrivesRead) {
        g_logicalDrives = GetLogicalDrives();
        g_logicalDrivesRead = 1;
    }
    int known = driveType != DRIVE_NO_ROOT_DIR || (g_logicalDrives & (1u << (letter - L'A')));
    if (!known) {
        if (ownsIcon && icon) DestroyIcon(icon);
        icon = g_genericIcon;
        ownsIcon = 0;
    }
    SetButton(&bar->buttons[bar->count++], letter, icon, ownsIcon, driveType);
    return 0;
}

static void FillFromShell(DriveBar* bar)
{
    IShellFolder* desktop = NULL;
    if (FAILED(SHGetDesktopFolder(&desktop))) return;
    LPITEMIDLIST drives = NULL;
    IShellFolder* computer = NULL;
    if (SUCCEEDED(SHGetSpecialFolderLocation(NULL, CSIDL_DRIVES, &drives)) && drives)
        desktop->BindToObject(drives, NULL, IID_IShellFolder, (void**)&computer);
    IEnumIDList* items = NULL;
    if (computer &&
        computer->EnumObjects(NULL, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN | 0x800 /* storage */,
                              &items) == S_OK && items) {
        LPITEMIDLIST item = NULL;
        while (items->Next(1, &item, NULL) == S_OK) {
            SFGAOF attributes = SFGAO_FILESYSTEM | SFGAO_FOLDER;
            STRRET ret = {};
            wchar_t name[MAX_PATH] = {};
            if (SUCCEEDED(computer->GetAttributesOf(1, (LPCITEMIDLIST*)&item, &attributes)) &&
                (attributes & (SFGAO_FILESYSTEM | SFGAO_FOLDER)) == (SFGAO_FILESYSTEM | SFGAO_FOLDER) &&
                SUCCEEDED(computer->GetDisplayNameOf(item, SHGDN_FORPARSING, &ret)) &&
                SUCCEEDED(StrRetToBufW(&ret, item, name, MAX_PATH))) {
                wchar_t root[4] = {name[0], L':', L'\\', 0};
                UINT type = GetDriveTypeW(root);
                LPITEMIDLIST full = ILCombine(drives, item);
                SHFILEINFOW info = {};
                if (full) SHGetFileInfoW((LPCWSTR)full, 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_ICON | SHGFI_SMALLICON);
                if (full) ILFree(full);
                if (DriveBarAddRoot(bar, name, type, info.hIcon, 1) != 0 && info.hIcon) DestroyIcon(info.hIcon);
            }
            CoTaskMemFree(item);
        }
        items->Release();
    }
    if (computer) computer->Release();
    if (drives) CoTaskMemFree(drives);
    desktop->Release();
}

int DriveBarFill(DriveBar* bar)
{
    DriveBarDestroyIcons(bar);
    bar->count = 0;
    SetButton(&bar->buttons[0], L'.', SmallIconOfFolder(CSIDL_DRIVES), 1, DRIVE_UNKNOWN);
    SetButton(&bar->buttons[1], L'\\', SmallIconOfFolder(CSIDL_NETWORK), 1, DRIVE_REMOTE);
    bar->count = 2;
    if (bar->kind != DRIVE_BAR_FILLS && bar->source) {
        DriveBarCopyFrom(bar, bar->source);
        return bar->count;
    }
    FillFromShell(bar);
    return bar->count;
}

void DriveBarCopyFrom(DriveBar* bar, const DriveBar* source)
{
    for (int i = 2; i < bar->count; ++i)
        if (bar->buttons[i].ownsIcon && bar->buttons[i].icon) DestroyIcon(bar->buttons[i].icon);
    bar->count = source->count < 2 ? 2 : source->count;
    for (int i = 2; i < bar->count; ++i) {
        const DriveButton* from = &source->buttons[i];
        HICON copy = from->icon ? CopyIcon(from->icon) : NULL;
        SetButton(&bar->buttons[i], from->character, copy, 1, from->driveType);
    }
}

int DriveBarIndexOf(const DriveBar* bar, wchar_t character)
{
    if (character >= L'a' && character <= L'z') character = (wchar_t)(character - L'a' + L'A');
    for (int i = 0; i < bar->count; ++i)
        if (bar->buttons[i].character == character) return i;
    return DRIVE_BAR_NONE;
}

int DriveBarMarkCharacter(DriveBar* bar, wchar_t character)
{
    int pressed = DRIVE_BAR_NONE;
    for (int i = 0; i < bar->count; ++i)
        if (bar->buttons[i].state == DRIVE_PRESSED) pressed = i;
    for (int i = 0; i < bar->count; ++i)
        if (bar->buttons[i].state == DRIVE_CURRENT || bar->buttons[i].state == DRIVE_PRESSED)
            bar->buttons[i].state = DRIVE_NORMAL;
    int index = pressed != DRIVE_BAR_NONE ? pressed : DriveBarIndexOf(bar, character);
    if (index != DRIVE_BAR_NONE) bar->buttons[index].state = DRIVE_CURRENT;
    return index;
}

int DriveBarMarkPath(DriveBar* bar, const wchar_t* path)
{
    return DriveBarMarkCharacter(bar, path && path[0] ? path[0] : 0);
}

void DriveBarSetSecondMark(DriveBar* bar, int index)
{
    for (int i = 0; i < bar->count; ++i) bar->buttons[i].secondMark = i == index;
}

static COLORREF StateFill(int state)
{
    switch (state) {
    case DRIVE_CURRENT: return RGB(210, 210, 210);
    case DRIVE_PRESSED: return RGB(115, 190, 0);
    case DRIVE_HIGHLIGHTED: return RGB(255, 255, 0);
    default: return RGB(255, 255, 255);
    }
}

void DriveBarDraw(DriveBar* bar, HDC dc, int rightLimit)
{
    HDC work = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 100, 30);
    HGDIOBJ oldBitmap = SelectObject(work, bitmap);
    HGDIOBJ oldFont = SelectObject(work, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(work, TRANSPARENT);
    SetTextColor(work, RGB(0, 0, 0));
    HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    HPEN outline = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(work, outline);
    bar->visibleCount = 0;
    bar->hiddenCount = 0;
    for (int i = bar->firstVisible; i < bar->count; ++i) {
        int left = bar->x + (i - bar->firstVisible) * DRIVE_BUTTON_WIDTH;
        if (left + DRIVE_BUTTON_WIDTH > rightLimit - 25) {
            bar->hiddenCount = bar->count - i;
            break;
        }
        const DriveButton* b = &bar->buttons[i];
        RECT all = {0, 0, 100, 30};
        FillRect(work, &all, face);
        HBRUSH fill = CreateSolidBrush(StateFill(b->state));
        HGDIOBJ oldBrush = SelectObject(work, fill);
        RoundRect(work, 5, 5, 37, 25, 5, 5);
        SelectObject(work, oldBrush);
        DeleteObject(fill);
        if (b->icon) DrawIconEx(work, 7, 7, b->icon, 16, 16, 0, NULL, DI_NORMAL);
        wchar_t letter = b->character;
        if (letter >= L'A' && letter <= L'Z') letter = (wchar_t)(letter - L'A' + L'a');
        TextOutW(work, 24, 7, &letter, 1);
        BitBlt(dc, left, bar->y, DRIVE_BUTTON_WIDTH, 21, work, 4, 5, SRCCOPY);
        ++bar->visibleCount;
    }
    SelectObject(work, oldPen);
    SelectObject(work, oldFont);
    SelectObject(work, oldBitmap);
    DeleteObject(outline);
    DeleteObject(face);
    DeleteObject(bitmap);
    DeleteDC(work);
}

int DriveBarHitX(const DriveBar* bar, int x)
{
    // Cells follow the drawing pitch so that every visible button is hit
    // where it is drawn.
    if (x < bar->x) return DRIVE_BAR_NONE;
    int index = (x - bar->x) / DRIVE_BUTTON_WIDTH;
    if (index >= bar->visibleCount) return DRIVE_BAR_NONE;
    return bar->firstVisible + index;
}

int DriveBarHitPoint(const DriveBar* bar, POINT point)
{
    if (point.y < bar->y || point.y >= bar->y + DRIVE_BUTTON_HEIGHT) return -1;
    return DriveBarHitX(bar, point.x) == DRIVE_BAR_NONE ? -1 : bar->identity;
}
