// Digit groups, short sizes, durations, information lines and MS-DOS times.
#include <gtest/gtest.h>

#include "fsk.h"

namespace {

TEST(FskNumbers, GroupsDigitsInThrees) {
    const struct {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"0", L"0"},
        {L"999", L"999"},
        {L"1000", L"1 000"},
        {L"1610612736", L"1 610 612 736"},
        {L"-1234567", L"-1 234 567"},
        {L"+12345", L"+12 345"},
        {L"18446744073709551615", L"18 446 744 073 709 551 615"},
        {L"1234.5678", L"1 234.5678"},
        {L"1234 B", L"1 234 B"},
        {L"abc", L"abc"},
        {L"x1234", L"x1234"},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_STREQ(c.out, FYX_FSK_ConvertSValueToSValueWithSpaces(c.in));
}

TEST(FskNumbers, ShortSizesPickTheUnitAfterRounding) {
    const unsigned long long KB = 1024, MB = KB * KB, GB = MB * KB;
    const struct {
        unsigned long long bytes;
        const wchar_t* text;
    } cases[] = {
        {0, L"0 B"},
        {1023, L"1023 B"},
        {1024, L"1.0 KB"},
        {1536, L"1.5 KB"},
        {102348, L"99.9 KB"},       // 99.949 KB
        {102349, L"100 KB"},        // 99.950 KB rounds up to the whole form
        {1048063, L"1023 KB"},      // 1023.49 KB
        {1048064, L"1.0 MB"},       // 1023.5 KB would read 1024 KB
        {GB + GB / 2, L"1.5 GB"},   // one and a half gibibytes
        {153 * MB + MB / 4, L"153 MB"},
        {15 * GB + GB * 3 / 10, L"15.3 GB"},
        {1ULL << 60, L"1.0 EB"},
        {~0ULL, L"16.0 EB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bytes);
        EXPECT_STREQ(c.text, FYX_FSK_GetFYXFormatValueShortString(c.bytes));
    }
}

TEST(FskNumbers, DurationsAreHoursMinutesSeconds) {
    const struct {
        long long ms;
        const wchar_t* text;
    } cases[] = {
        {0, L"0:00:00"},
        {999, L"0:00:00"},
        {1000, L"0:00:01"},
        {65000, L"0:01:05"},
        {3599999, L"0:59:59"},
        {3600000, L"1:00:00"},
        {97425000, L"27:03:45"},
        {-5000, L"0:00:00"},
    };
    for (const auto& c : cases) EXPECT_STREQ(c.text, FYX_FSK_GetTimeStringFromMillisecond(c.ms));
}

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME t = {};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    return t;
}

TEST(FskInformation, LineFromSizeTimeAndAttributes) {
    const struct {
        unsigned long long size;
        SYSTEMTIME time;
        DWORD attributes;
        const wchar_t* text;
    } cases[] = {
        {1234567, Time(2026, 12, 31, 23, 59, 58), FILE_ATTRIBUTE_ARCHIVE, L"1 234 567 bytes, 31.12.2026 23:59:58, A"},
        {0, Time(1980, 1, 1, 0, 0, 0), 0, L"0 bytes, 01.01.1980 00:00:00"},
        {5, Time(2001, 2, 3, 4, 5, 6), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM,
         L"5 bytes, 03.02.2001 04:05:06, HSR"},
        {7, Time(0, 0, 0, 0, 0, 0), FILE_ATTRIBUTE_COMPRESSED | FILE_ATTRIBUTE_ENCRYPTED, L"7 bytes, CE"},
    };
    for (const auto& c : cases) EXPECT_STREQ(c.text, FYX_FSK_CreateFileInformationBuffer(c.size, c.time, c.attributes));
}

DWORD Dos(int year, int month, int day, int hour, int minute, int second) {
    WORD date = (WORD)(((year - 1980) << 9) | (month << 5) | day);
    WORD time = (WORD)((hour << 11) | (minute << 5) | (second / 2));
    return ((DWORD)date << 16) | time;
}

TEST(FskInformation, UnpacksMsDosTimes) {
    SYSTEMTIME t = FYX_FSK_ConvertDOSTimeToLocalSystemTime(Dos(2024, 2, 29, 13, 45, 30));
    EXPECT_EQ(2024, t.wYear);
    EXPECT_EQ(2, t.wMonth);
    EXPECT_EQ(29, t.wDay);
    EXPECT_EQ(13, t.wHour);
    EXPECT_EQ(45, t.wMinute);
    EXPECT_EQ(30, t.wSecond);
    EXPECT_EQ(4, t.wDayOfWeek);  // a Thursday
    t = FYX_FSK_ConvertDOSTimeToLocalSystemTime(Dos(2107, 12, 31, 23, 59, 58));
    EXPECT_EQ(2107, t.wYear);
    EXPECT_EQ(58, t.wSecond);
}

TEST(FskInformation, InvalidMsDosTimesAreAllZero) {
    const DWORD invalid[] = {0, Dos(2023, 2, 29, 0, 0, 0), Dos(2024, 13, 1, 0, 0, 0), Dos(2024, 1, 1, 24, 0, 0),
                             Dos(2024, 1, 1, 0, 60, 0), Dos(2024, 4, 31, 0, 0, 0)};
    for (DWORD packed : invalid) {
        SYSTEMTIME t = FYX_FSK_ConvertDOSTimeToLocalSystemTime(packed);
        EXPECT_EQ(0, t.wYear) << std::hex << packed;
    }
}

TEST(FskInformation, SystemErrorTextsAreOneLine) {
    std::wstring text = FYX_FSK_GetErrorStringFromSystem(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(std::wstring::npos, text.find_first_of(L"\r\n"));
    EXPECT_NE(L' ', text.back());
    EXPECT_STRNE(FYX_FSK_GetErrorStringFromSystem(ERROR_ACCESS_DENIED), text.c_str());
    EXPECT_STREQ(L"Error 3735928559", FYX_FSK_GetErrorStringFromSystem(0xDEADBEEF));
}

}  // namespace
