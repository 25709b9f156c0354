// Date text, attribute letters and name shapes of the panel columns.
#include "panel_format.h"

static void PutTwoDigits(wchar_t* out, int value) {
    out[0] = (wchar_t)(L'0' + value / 10 % 10);
    out[1] = (wchar_t)(L'0' + value % 10);
}

int64_t PanelLocalTimeBias(int* ok) {
    FILETIME utc, local;
    GetSystemTimeAsFileTime(&utc);
    if (!FileTimeToLocalFileTime(&utc, &local)) {
        *ok = 0;
        return 0;
    }
    *ok = 1;
    ULARGE_INTEGER u, l;
    u.LowPart = utc.dwLowDateTime;
    u.HighPart = utc.dwHighDateTime;
    l.LowPart = local.dwLowDateTime;
    l.HighPart = local.dwHighDateTime;
    return (int64_t)(l.QuadPart - u.QuadPart);
}

void PanelBlankDateText(wchar_t out[30]) {
    for (int i = 0; i < 29; i++) out[i] = L' ';
    out[29] = 0;
}

void PanelAttributeLetters(DWORD attributes, wchar_t out[7]) {
    static const struct { DWORD bit; wchar_t letter; } kLetters[] = {
        {FILE_ATTRIBUTE_HIDDEN, L'H'},     {FILE_ATTRIBUTE_SYSTEM, L'S'},
        {FILE_ATTRIBUTE_READONLY, L'R'},   {FILE_ATTRIBUTE_ARCHIVE, L'A'},
        {FILE_ATTRIBUTE_COMPRESSED, L'C'}, {FILE_ATTRIBUTE_ENCRYPTED, L'E'},
    };
    int n = 0;
    for (const auto& l : kLetters)
        if (attributes & l.bit) out[n++] = l.letter;
    while (n < 6) out[n++] = L' ';
    out[6] = 0;
}

void PanelFormatDateText(const FILETIME* utc, DWORD attributes, int64_t bias, int biasOk,
                         wchar_t out[30]) {
    PanelBlankDateText(out);
    if (!biasOk) return;
    ULARGE_INTEGER t;
    t.LowPart = utc->dwLowDateTime;
    t.HighPart = utc->dwHighDateTime;
    int64_t local = (int64_t)t.QuadPart + bias;
    if ((int64_t)t.QuadPart < 0 || local < 0) return;
    FILETIME lft;
    lft.dwLowDateTime = (DWORD)(uint64_t)local;
    lft.dwHighDateTime = (DWORD)((uint64_t)local >> 32);
    SYSTEMTIME st;
    if (!FileTimeToSystemTime(&lft, &st)) return;
    wchar_t* p = out;
    PutTwoDigits(p, st.wDay);
    p[2] = L'.';
    PutTwoDigits(p + 3, st.wMonth);
    p[5] = L'.';
    p += 6;
    wchar_t year[6];
    int digits = 0;
    unsigned y = st.wYear;
    do {
        year[digits++] = (wchar_t)(L'0' + y % 10);
        y /= 10;
    } while (y && digits < 5);
    while (digits) *p++ = year[--digits];
    *p++ = L' ';
    *p++ = L' ';
    PutTwoDigits(p, st.wHour);
    p[2] = L':';
    PutTwoDigits(p + 3, st.wMinute);
    p[5] = L':';
    PutTwoDigits(p + 6, st.wSecond);
    p += 8;
    *p++ = L' ';
    *p++ = L' ';
    PanelAttributeLetters(attributes, p);
}

void PanelApplyNameCase(wchar_t* text, int nameCase) {
    for (; *text; text++) {
        if (nameCase == 0 && *text >= L'a' && *text <= L'z') *text = (wchar_t)(*text - 32);
        else if (nameCase == 1 && *text >= L'A' && *text <= L'Z') *text = (wchar_t)(*text + 32);
    }
}
