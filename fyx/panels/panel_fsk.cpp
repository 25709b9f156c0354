// The panel's calls into the file utility library (size texts, extensions,
// disk space). Local stand-ins until the library exports these.
#include "panel_format.h"

#include <stdio.h>
#include <string.h>
#include <wchar.h>

static void CopyText(wchar_t* out, size_t chars, const wchar_t* text) {
    size_t n = wcslen(text);
    if (n >= chars) n = chars - 1;
    memcpy(out, text, n * sizeof(wchar_t));
    out[n] = 0;
}

static const wchar_t* GroupedDigits(const wchar_t* digits) {
    static wchar_t grouped[40];
    size_t n = wcslen(digits), k = 0;
    for (size_t i = 0; i < n && k + 2 < 40; i++) {
        if (i && (n - i) % 3 == 0) grouped[k++] = L' ';
        grouped[k++] = digits[i];
    }
    grouped[k] = 0;
    return grouped;
}

static const wchar_t* ShortSize(uint64_t size) {
    static wchar_t text[24];
    static const wchar_t* const kUnits[] = {L"B", L"K", L"M", L"G", L"T", L"P", L"E"};
    if (size < 1024) {
        swprintf(text, 24, L"%u %ls", (unsigned)size, kUnits[0]);
        return text;
    }
    double value = (double)size;
    int unit = 0;
    while (value >= 1024.0 && unit < 6) {
        value /= 1024.0;
        unit++;
    }
    swprintf(text, 24, value < 10.0 ? L"%.1f %ls" : L"%.0f %ls", value, kUnits[unit]);
    return text;
}

void PanelFormatSizeText(uint64_t size, int sizeFormat, wchar_t out[20]) {
    if (sizeFormat == 1) {
        CopyText(out, 20, ShortSize(size));
        return;
    }
    wchar_t digits[24];
    swprintf(digits, 24, L"%llu", (unsigned long long)size);
    CopyText(out, 20, GroupedDigits(digits));
}

void PanelFileExtension(const wchar_t* name, wchar_t out[260]) {
    const wchar_t* dot = wcsrchr(name, L'.');
    CopyText(out, 260, dot && dot != name ? dot + 1 : L"");
}

uint64_t PanelDiskFreeBytes(const wchar_t* path) {
    ULARGE_INTEGER freeToCaller, total, free;
    if (!GetDiskFreeSpaceExW(path, &freeToCaller, &total, &free)) return 0;
    return freeToCaller.QuadPart;
}

uint64_t PanelDiskTotalBytes(const wchar_t* path) {
    ULARGE_INTEGER freeToCaller, total, free;
    if (!GetDiskFreeSpaceExW(path, &freeToCaller, &total, &free)) return 0;
    return total.QuadPart;
}
