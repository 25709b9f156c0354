// The panel's calls into the file utility library. Its texts live in the
// library's buffer until the next call, so they are copied at once.
#include <stdio.h>
#include <string.h>
#include <wchar.h>

#include "fsk.h"
#include "panel_format.h"

static void CopyText(wchar_t* out, size_t chars, const wchar_t* text) {
    size_t n = text ? wcslen(text) : 0;
    if (n >= chars) n = chars - 1;
    if (n) memcpy(out, text, n * sizeof(wchar_t));
    out[n] = 0;
}

void PanelFormatSizeText(uint64_t size, int sizeFormat, wchar_t out[PANEL_SIZE_TEXT_CHARS]) {
    if (sizeFormat == 1) {
        CopyText(out, PANEL_SIZE_TEXT_CHARS, FYX_FSK_GetFYXFormatValueShortString(size));
        return;
    }
    wchar_t digits[24];
    swprintf(digits, 24, L"%llu", (unsigned long long)size);
    CopyText(out, PANEL_SIZE_TEXT_CHARS, FYX_FSK_ConvertSValueToSValueWithSpaces(digits));
}

void PanelFileExtension(const wchar_t* name, wchar_t out[260]) {
    CopyText(out, 260, FYX_FSK_GetFileExtension(name));
}

int PanelExtensionDot(const wchar_t* name, size_t length) {
    size_t ext = wcslen(FYX_FSK_GetFileExtension(name));
    return ext && ext < length ? (int)(length - ext - 1) : -1;
}

// An unreadable figure (all ones) counts as nothing.
uint64_t PanelDiskFreeBytes(const wchar_t* path) {
    unsigned long long bytes = FYX_FSK_GetDiskFreeSpaceInBytes(path);
    return bytes == ~0ULL ? 0 : bytes;
}

uint64_t PanelDiskTotalBytes(const wchar_t* path) {
    unsigned long long bytes = FYX_FSK_GetDiskTotalInBytes(path);
    return bytes == ~0ULL ? 0 : bytes;
}

int PanelIsDirectory(const wchar_t* path) {
    DWORD error = FYX_FSK_IsValidDirectory(path);
    if (error) SetLastError(error);
    return error == 0;
}
