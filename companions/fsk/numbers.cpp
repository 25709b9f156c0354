// Number and duration texts: digit groups, short sizes, "H:MM:SS"; pure text.
#include "fsk.h"
#include "fsk_text.h"

using fsk::TextBuf;

FYX_FSK_API const wchar_t* FYX_FSK_ConvertSValueToSValueWithSpaces(const wchar_t* digits) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    digits = fsk::OrEmpty(digits);
    size_t i = 0;
    while (digits[i] && !(digits[i] >= L'0' && digits[i] <= L'9')) ++i;
    bool plainNumber = i == 0 || (i == 1 && (digits[0] == L'-' || digits[0] == L'+'));
    if (!digits[i] || !plainNumber) {
        out.Append(digits);
        return result;
    }
    out.Append(digits, i);
    size_t end = i;
    while (digits[end] >= L'0' && digits[end] <= L'9') ++end;
    for (size_t k = i; k < end; ++k) {
        if (k > i && (end - k) % 3 == 0) out.Put(L' ');
        out.Put(digits[k]);
    }
    out.Append(digits + end);
    return result;
}

FYX_FSK_API const wchar_t* FYX_FSK_GetFYXFormatValueShortString(unsigned long long bytes) {
    FSK_RESULT_BUFFER(result);
    static const wchar_t* const kUnits[] = {L"KB", L"MB", L"GB", L"TB", L"PB", L"EB"};
    TextBuf out(result, fsk::kTextCap);
    if (bytes < 1024) {
        out.AppendNumber(bytes);
        out.Append(L" B");
        return result;
    }
    // The unit is chosen after rounding, so 1023.96 KB reads "1.0 MB", not "1024 KB".
    long double scale = 1024.0L;
    for (int unit = 0;; ++unit, scale *= 1024.0L) {
        long double value = (long double)bytes / scale;
        unsigned long long tenths = (unsigned long long)(value * 10.0L + 0.5L);
        unsigned long long whole = (unsigned long long)(value + 0.5L);
        if (tenths < 1000) {
            out.AppendNumber(tenths / 10);
            out.Put(L'.');
            out.AppendNumber(tenths % 10);
        } else if (whole < 1024 || unit == 5) {
            out.AppendNumber(whole);
        } else {
            continue;
        }
        out.Put(L' ');
        out.Append(kUnits[unit]);
        return result;
    }
}

FYX_FSK_API const wchar_t* FYX_FSK_GetTimeStringFromMillisecond(long long milliseconds) {
    FSK_RESULT_BUFFER(result);
    TextBuf out(result, fsk::kTextCap);
    unsigned long long seconds = milliseconds > 0 ? (unsigned long long)milliseconds / 1000ULL : 0;
    out.AppendNumber(seconds / 3600);
    out.Put(L':');
    out.AppendNumber(seconds / 60 % 60, 2);
    out.Put(L':');
    out.AppendNumber(seconds % 60, 2);
    return result;
}
