// Composition of the main window's title from the base title and a message.
#include "fyxaux.h"
#include "fyxaux_core.h"

namespace {

// Appends as much of text as fits, keeping room for the terminator; a high
// surrogate whose partner would not fit is left out.
size_t AppendCut(wchar_t* out, size_t length, size_t capacity, const wchar_t* text, size_t textLength) {
    size_t room = capacity - 1 - length;
    size_t take = textLength < room ? textLength : room;
    if (take < textLength && take > 0 && text[take - 1] >= 0xD800 && text[take - 1] <= 0xDBFF) --take;
    for (size_t i = 0; i < take; ++i) out[length + i] = text[i];
    out[length + take] = 0;
    return length + take;
}

size_t BoundedLength(const wchar_t* text, size_t limit) {
    size_t n = 0;
    while (n < limit && text[n]) ++n;
    return n;
}

}  // namespace

size_t FyxAuxComposeTitle(const wchar_t* base, const wchar_t* message, wchar_t* out, size_t capacity) {
    if (!out || capacity == 0) return 0;
    out[0] = 0;
    if (!base) base = L"";
    if (!message) message = L"";
    size_t length = AppendCut(out, 0, capacity, base, BoundedLength(base, FYXFYX_BASE_TITLE_CHARS));
    if (!message[0]) return length;
    length = AppendCut(out, length, capacity, L" - ", 3);
    return AppendCut(out, length, capacity, message, BoundedLength(message, capacity));
}
