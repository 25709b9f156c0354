// Time stamps: MS-DOS date and time, NTFS file times (100 ns since 1601) and
// Unix seconds.
#pragma once

#include <stdint.h>

namespace fyxzip {

struct CalendarTime {
    int year, month, day, hour, minute, second;
};

CalendarTime DosToCalendar(uint32_t dosDateTime);
// Years outside 1980-2107 are clamped to the nearest end of the range.
uint32_t CalendarToDos(const CalendarTime& t);

uint64_t UnixToFileTime(int64_t seconds);
int64_t FileTimeToUnix(uint64_t fileTime);
CalendarTime FileTimeToCalendar(uint64_t fileTime);  // UTC
uint64_t CalendarToFileTime(const CalendarTime& t);  // UTC

}  // namespace fyxzip
