// One-byte text of the settings file: plain bytes for codes 0 to 255, the
// "<U+XXXX>" escape for what a byte cannot carry (see prefs.h).
#pragma once

#include <stddef.h>
#include <stdint.h>

// Bytes needed by one code unit at most.
enum { TEXT_ESCAPE_LENGTH = 8 };

// Writes at most `limit` code units of the zero-terminated `text` (never
// ending in half of a surrogate pair) as file bytes; returns the byte count.
// `out` must hold limit * TEXT_ESCAPE_LENGTH bytes.
size_t EncodeFileText(const wchar_t* text, size_t limit, char* out);

// Decodes the code unit at `p` (a plain byte or an escape); returns the number
// of bytes it took (at least 1, never past `end`).
size_t DecodeFileUnit(const unsigned char* p, const unsigned char* end, wchar_t* unit);
