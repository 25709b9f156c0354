// One-line file information, MS-DOS times and the system's error texts.
#include "fsk.h"
#include "fsk_text.h"

using fsk::TextBuf;

static void AppendInformation(TextBuf& out, unsigned long long size, const SYSTEMTIME& time, DWORD attributes) {
    static const struct {
        DWORD bit;
        wchar_t letter;
    } kLetters[] = {{FILE_ATTRIBUTE_HIDDEN, L'H'},     {FILE_ATTRIBUTE_SYSTEM, L'S'},
                    {FILE_ATTRIBUTE_READONLY, L'R'},   {FILE_ATTRIBUTE_ARCHIVE, L'A'},
                    {FILE_ATTRIBUTE_COMPRESSED, L'C'}, {FILE_ATTRIBUTE_ENCRYPTED, L'E'}};
    wchar_t number[32];
    TextBuf digits(number, 32);
    digits.AppendNumber(size);
    out.Append(FYX_FSK_ConvertSValueToSValueWithSpaces(number));
    out.Append(L" bytes");
    if (time.wYear != 0) {
        out.Append(L", ");
        out.AppendNumber(time.wDay, 2);
        out.Put(L'.');
        out.AppendNumber(time.wMonth, 2);
        out.Put(L'.');
        out.AppendNumber(time.wYear);
        out.Put(L' ');
        out.AppendNumber(time.wHour, 2);
        out.Put(L':');
        out.AppendNumber(time.wMinute, 2);
        out.Put(L':');
        out.AppendNumber(time.wSecond, 2);
    }
    bool any = false;
    for (const auto& l : kLetters) {
        if (!(attributes & l.bit)) continue;
        if (!any) out.Append(L", ");
        any = true;
        out.Put(l.letter);
    }
}

FYX_FSK_API const wchar_t* FYX_FSK_GetFileInformationBuffer(const wchar_t* path) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    static thread_local wchar_t longPath[fsk::kTextCap + 8];
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!path || !path[0] || !fsk::ExtendedPath(path, longPath, fsk::kTextCap + 8) ||
        !GetFileAttributesExW(longPath, GetFileExInfoStandard, &data))
        return result;
    FILETIME local;
    SYSTEMTIME time;
    if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &time))
        return result;
    unsigned long long size = ((unsigned long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
    AppendInformation(out, size, time, data.dwFileAttributes);
    return result;
}

FYX_FSK_API const wchar_t* FYX_FSK_CreateFileInformationBuffer(unsigned long long size, SYSTEMTIME localTime,
                                                                DWORD attributes) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    AppendInformation(out, size, localTime, attributes);
    return result;
}

FYX_FSK_API SYSTEMTIME FYX_FSK_ConvertDOSTimeToLocalSystemTime(DWORD dosDateTime) {
    SYSTEMTIME none = {};
    WORD date = HIWORD(dosDateTime);
    WORD time = LOWORD(dosDateTime);
    SYSTEMTIME t = {};
    t.wYear = (WORD)(1980 + (date >> 9));
    t.wMonth = (WORD)((date >> 5) & 15);
    t.wDay = (WORD)(date & 31);
    t.wHour = (WORD)(time >> 11);
    t.wMinute = (WORD)((time >> 5) & 63);
    t.wSecond = (WORD)((time & 31) * 2);
    if (t.wMonth < 1 || t.wMonth > 12 || t.wDay < 1 || t.wHour > 23 || t.wMinute > 59 || t.wSecond > 59)
        return none;
    // The round trip rejects days past the month's end and fills in the day of the week.
    FILETIME file;
    SYSTEMTIME checked;
    if (!SystemTimeToFileTime(&t, &file) || !FileTimeToSystemTime(&file, &checked) || checked.wDay != t.wDay)
        return none;
    return checked;
}

FYX_FSK_API const wchar_t* FYX_FSK_GetErrorStringFromSystem(DWORD errorCode) {
    FSK_RESULT_BUFFER(result);
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, errorCode,
                             MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), result, (DWORD)fsk::kTextCap, NULL);
    // Messages may span lines; the callers show one line.
    for (DWORD i = 0; i < n; ++i)
        if (result[i] == L'\r' || result[i] == L'\n') result[i] = L' ';
    while (n > 0 && (result[n - 1] == L' ' || result[n - 1] == L'\t')) --n;
    result[n] = 0;
    if (n == 0) {
        TextBuf out(result, fsk::kTextCap);
        out.Append(L"Error ");
        out.AppendNumber(errorCode);
    }
    return result;
}
