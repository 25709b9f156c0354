// Conversions between the time stamp forms of ZIP archives.
#include "zip_time.h"

namespace fyxzip {
namespace {

const uint64_t kTicksPerSecond = 10000000ULL;
const int64_t kSecondsFrom1601To1970 = 11644473600LL;

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
int64_t DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int* y, int* m, int* d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    *d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    *m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *y = static_cast<int>(yoe + era * 400 + (*m <= 2));
}

}  // namespace

CalendarTime DosToCalendar(uint32_t v) {
    CalendarTime t;
    t.year = 1980 + static_cast<int>((v >> 25) & 0x7F);
    t.month = static_cast<int>((v >> 21) & 0x0F);
    t.day = static_cast<int>((v >> 16) & 0x1F);
    t.hour = static_cast<int>((v >> 11) & 0x1F);
    t.minute = static_cast<int>((v >> 5) & 0x3F);
    t.second = static_cast<int>((v & 0x1F) * 2);
    return t;
}

uint32_t CalendarToDos(const CalendarTime& t) {
    if (t.year < 1980) return (1u << 21) | (1u << 16);  // 1980-01-01 00:00
    if (t.year > 2107) return (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;
    return (uint32_t(t.year - 1980) << 25) | (uint32_t(t.month) << 21) | (uint32_t(t.day) << 16) |
           (uint32_t(t.hour) << 11) | (uint32_t(t.minute) << 5) | uint32_t(t.second / 2);
}

uint64_t UnixToFileTime(int64_t seconds) {
    return static_cast<uint64_t>(seconds + kSecondsFrom1601To1970) * kTicksPerSecond;
}

int64_t FileTimeToUnix(uint64_t fileTime) {
    return static_cast<int64_t>(fileTime / kTicksPerSecond) - kSecondsFrom1601To1970;
}

CalendarTime FileTimeToCalendar(uint64_t fileTime) {
    int64_t s = FileTimeToUnix(fileTime);
    int64_t days = s >= 0 ? s / 86400 : -((-s + 86399) / 86400);
    int64_t rest = s - days * 86400;
    CalendarTime t;
    CivilFromDays(days, &t.year, &t.month, &t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

uint64_t CalendarToFileTime(const CalendarTime& t) {
    int64_t s = DaysFromCivil(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
    return UnixToFileTime(s);
}

}  // namespace fyxzip
