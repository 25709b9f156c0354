// Reading a language file's content into the language table.
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

#include "language_table.h"

namespace {

const wchar_t kCR = 0x000D;
const wchar_t kLF = 0x000A;
const wchar_t kEquals = L'=';
// The text buffer holds the text and the CR of the line end; a line whose
// buffer reaches this size has a text of 99 units or more.
const size_t kTextBufferUnits = LANGUAGE_TEXT_LIMIT + 2;

wchar_t* CopyText(const wchar_t* text, size_t length) {
    wchar_t* copy = (wchar_t*)malloc((length + 1) * sizeof(wchar_t));
    if (!copy) return NULL;
    if (length) memcpy(copy, text, length * sizeof(wchar_t));
    copy[length] = 0;
    return copy;
}

void FreeLines(wchar_t** lines) {
    for (unsigned id = 0; id < LANGUAGE_LINE_COUNT; ++id) {
        free(lines[id]);
        lines[id] = NULL;
    }
}

wchar_t UnitAt(const unsigned char* bytes, size_t index) {
    return (wchar_t)(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

// Walks the units line by line into `lines`; lines without "=" stay null.
int ReadLines(const unsigned char* bytes, size_t unitCount, wchar_t** lines) {
    wchar_t text[kTextBufferUnits];
    size_t length = 0;
    bool keyPassed = false;
    wchar_t previous = 0;
    unsigned line = 0;
    for (size_t i = 0; i < unitCount && line < LANGUAGE_LINE_COUNT; ++i) {
        if (length == kTextBufferUnits) return LANGUAGE_FILE_UNUSABLE;
        wchar_t unit = UnitAt(bytes, i);
        if (unit == kLF && previous == kCR) {
            if (keyPassed) {
                if (length > 0 && text[length - 1] == kCR) --length;
                lines[line] = CopyText(text, length);
                if (!lines[line]) return LANGUAGE_FILE_UNUSABLE;
            }
            ++line;
            keyPassed = false;
            length = 0;
        } else {
            if (keyPassed) text[length++] = unit;
            if (unit == kEquals) keyPassed = true;
        }
        previous = unit;
    }
    return LANGUAGE_FILE_USED;
}

}  // namespace

int LanguageReadContent(LanguageTable* table, const void* content, size_t sizeInBytes) {
    wchar_t* fresh[LANGUAGE_LINE_COUNT] = {};
    if (sizeInBytes && !content) return LANGUAGE_FILE_UNUSABLE;
    if (ReadLines((const unsigned char*)content, sizeInBytes / 2, fresh) != LANGUAGE_FILE_USED) {
        FreeLines(fresh);
        return LANGUAGE_FILE_UNUSABLE;
    }
    for (unsigned id = 0; id < LANGUAGE_LINE_COUNT; ++id) {
        if (fresh[id]) continue;
        const wchar_t* builtin = BuiltinLine(id);
        fresh[id] = CopyText(builtin, wcslen(builtin));
        if (!fresh[id]) {
            FreeLines(fresh);
            return LANGUAGE_FILE_UNUSABLE;
        }
    }
    FreeLines(table->lines);
    memcpy(table->lines, fresh, sizeof(fresh));
    return LANGUAGE_FILE_USED;
}

int LanguageLoadBuiltin(LanguageTable* table) {
    // An empty content gives every id its built-in text.
    return LanguageReadContent(table, NULL, 0);
}

void LanguageFree(LanguageTable* table) {
    FreeLines(table->lines);
}

const wchar_t* LanguageLine(const LanguageTable* table, unsigned id) {
    if (!table || id >= LANGUAGE_LINE_COUNT || !table->lines[id]) return L"";
    return table->lines[id];
}
