// Text form of the configuration record: the 95 lines of "Fyx.ini".
#pragma once

#include "prefs.h"

// Upper bound of a formatted file: banner, 92 keys, ten text values of 259
// escaped code units each, numbers.
enum { SETTINGS_FILE_MAX_BYTES = 96 + 92 * 48 + 10 * PREFS_TEXT_LIMIT * 8 };

// Formats the record; returns the byte count (at most SETTINGS_FILE_MAX_BYTES).
size_t FormatSettingsFile(const ConfigRecord& record, char* out);

// Reads the file positionally over `record`, which holds the defaults: the
// n-th value goes to the n-th line of the table whatever its key says. The
// first failing read (end of data, a number field without a number, a text
// value of 260 characters or more) ends the reading: the remaining number
// fields keep their defaults and the remaining text fields become empty.
void ParseSettingsFile(const unsigned char* data, size_t size, ConfigRecord* record);

// Shortest form with up to 6 significant digits, as "%g" gives it ("49.75",
// "1e+06"), independent of the locale. `out` holds at least 32 bytes.
size_t FormatShortReal(double value, char* out);
