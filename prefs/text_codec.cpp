// Escape of code units that one byte of the settings file cannot carry.
#include "text_codec.h"

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

int HexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "<U+hhhh>" at p: the value, or -1.
long EscapeAt(const unsigned char* p, const unsigned char* end) {
    if (end - p < TEXT_ESCAPE_LENGTH) return -1;
    if (p[0] != '<' || p[1] != 'U' || p[2] != '+' || p[7] != '>') return -1;
    long value = 0;
    for (int i = 3; i < 7; ++i) {
        int digit = HexValue(p[i]);
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

bool NeedsEscape(const wchar_t* text, size_t i, size_t count) {
    wchar_t c = text[i];
    if (c > 255 || c == L'\r' || c == L'\n') return true;
    if (c != L'<' || count - i < TEXT_ESCAPE_LENGTH) return false;
    // A literal '<' is escaped only where it would read as an escape.
    unsigned char probe[TEXT_ESCAPE_LENGTH];
    for (int k = 0; k < TEXT_ESCAPE_LENGTH; ++k) {
        wchar_t u = text[i + k];
        if (u > 255) return false;
        probe[k] = (unsigned char)u;
    }
    return EscapeAt(probe, probe + TEXT_ESCAPE_LENGTH) >= 0;
}

}  // namespace

size_t EncodeFileText(const wchar_t* text, size_t limit, char* out) {
    size_t count = 0;
    while (count < limit && text[count] != 0) ++count;
    // A pair cut by the limit loses its high half too. text[limit] is read
    // only when the text runs that far, so it lies inside the caller's field.
    if (count > 0 && count == limit && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF &&
        text[count] >= 0xDC00 && text[count] <= 0xDFFF) {
        --count;
    }
    size_t n = 0;
    for (size_t i = 0; i < count; ++i) {
        if (!NeedsEscape(text, i, count)) {
            out[n++] = (char)(unsigned char)text[i];
            continue;
        }
        unsigned value = (unsigned)text[i];
        out[n++] = '<';
        out[n++] = 'U';
        out[n++] = '+';
        out[n++] = kHexDigits[(value >> 12) & 15];
        out[n++] = kHexDigits[(value >> 8) & 15];
        out[n++] = kHexDigits[(value >> 4) & 15];
        out[n++] = kHexDigits[value & 15];
        out[n++] = '>';
    }
    return n;
}

size_t DecodeFileUnit(const unsigned char* p, const unsigned char* end, wchar_t* unit) {
    long value = EscapeAt(p, end);
    if (value >= 0) {
        *unit = (wchar_t)value;
        return TEXT_ESCAPE_LENGTH;
    }
    *unit = (wchar_t)*p;
    return 1;
}
