// The text shown in the title while the pointer is over a drive button.
#include <windows.h>
#include <shellapi.h>

#include "fyxaux.h"
#include "fyxaux_state.h"
#include "plugin.h"

namespace {

enum { LINE_NETWORK = 242, LINE_MY_COMPUTER = 243 };

const wchar_t* LineOr(unsigned id, const wchar_t* english) {
    const wchar_t* line = FYXPLG_GetLineFromLanguageBuffer(id);
    return line && line[0] ? line : english;
}

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// Copies text without the blanks around it.
void CopyTrimmed(const wchar_t* text, wchar_t* out, size_t capacity) {
    while (*text == L' ') ++text;
    size_t length = lstrlenW(text);
    while (length > 0 && text[length - 1] == L' ') --length;
    if (length > capacity - 1) length = capacity - 1;
    for (size_t i = 0; i < length; ++i) out[i] = text[i];
    out[length] = 0;
}

// The shell's display name of "X:\", or "" when it has none. Some shells make
// up a name for a letter no drive has, so only existing drives are asked. An
// empty removable drive must not bring up the system's "insert a disk" box.
void RootDisplayName(wchar_t letter, wchar_t* out, size_t capacity) {
    out[0] = 0;
    if (!(GetLogicalDrives() & (1u << ((letter | 0x20) - L'a')))) return;
    wchar_t root[4] = {letter, L':', L'\\', 0};
    SHFILEINFOW info = {};
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    SetErrorMode(oldMode | SEM_FAILCRITICALERRORS);
    DWORD_PTR found = SHGetFileInfoW(root, 0, &info, sizeof(info), SHGFI_DISPLAYNAME);
    SetErrorMode(oldMode);
    // A volume without a label reads " (C:)" on some systems.
    if (found) CopyTrimmed(info.szDisplayName, out, capacity);
}

}  // namespace

FYXFYX_API const wchar_t* FYXFYX_GetDiskInfoText_FS(wchar_t drive) {
    if (drive == L'.') return FyxAuxReturnText(LineOr(LINE_MY_COMPUTER, L"My Computer"));
    if (drive == L'\\') return FyxAuxReturnText(LineOr(LINE_NETWORK, L"Network Neighborhood"));
    if (!IsDriveLetter(drive)) return FyxAuxReturnText(L"");
    wchar_t name[MAX_PATH];
    RootDisplayName(drive, name, MAX_PATH);
    return FyxAuxReturnText(name);
}

FYXFYX_API BOOL FYXFYX_DrawDiskInfoText_FS(wchar_t drive, FyxTitleState* state) {
    return FYXFYX_DisplayTitleMessage(FYXFYX_GetDiskInfoText_FS(drive), 0, state) != FYXFYX_TITLE_REFUSED;
}
