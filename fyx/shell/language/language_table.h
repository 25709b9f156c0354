// The language table as plain data: 452 numbered UTF-16 lines, built-in
// English or read from a language file's content. Free of Win32.
//
// Language file: UTF-16LE; line k (from 0, ended by CR LF) gives line k; the
// text is everything after the first "=" (the key before it is not read, so a
// byte-order mark at the start just belongs to the first key). An LF without a
// CR is part of the text. A text of 99 units or more makes the file unusable,
// and an unusable file is never used in part. Missing lines, a line without
// "=" and a last line without CR LF keep their built-in texts; lines after the
// 452nd are not read at all.
#pragma once

#include <stddef.h>

#include "builtin_lines.h"

enum {
    LANGUAGE_FILE_USED = 0,
    LANGUAGE_FILE_UNUSABLE = 1,
    LANGUAGE_TEXT_LIMIT = 98,  // code units a text of a language file may hold
};

// Every line is allocated by the table and owned by it; a null pointer reads as
// an empty text. Zero-initialise before first use.
struct LanguageTable {
    wchar_t* lines[LANGUAGE_LINE_COUNT];
};

void LanguageFree(LanguageTable* table);
// Replaces the table by fresh copies of the built-in lines; 1 when memory is short.
int LanguageLoadBuiltin(LanguageTable* table);
// Reads a language file's content. On success the whole table is replaced; on
// LANGUAGE_FILE_UNUSABLE it is left as it was.
int LanguageReadContent(LanguageTable* table, const void* content, size_t sizeInBytes);
// The line of an id as the main program shows it; an empty text when unknown.
const wchar_t* LanguageLine(const LanguageTable* table, unsigned id);
