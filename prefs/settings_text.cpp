// Writing and positional reading of the settings file.
#include "settings_text.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "settings_table.h"
#include "text_codec.h"

namespace {

const char* const kBanner =
    "--------------------------\r\n"
    "| FYX Configuration File |\r\n"
    "--------------------------\r\n";
const int kBannerWords = 7;

size_t AppendText(char* out, size_t n, const char* text) {
    size_t len = strlen(text);
    memcpy(out + n, text, len);
    return n + len;
}

size_t FormatField(const ConfigRecord& record, const SettingLine& line, char* out) {
    const char* field = (const char*)&record + line.offset;
    switch (line.kind) {
    case SETTING_UNSIGNED: {
        uint32_t value;
        memcpy(&value, field, sizeof(value));
        return (size_t)sprintf(out, "%lu", (unsigned long)value);
    }
    case SETTING_SIGNED: {
        int32_t value;
        memcpy(&value, field, sizeof(value));
        return (size_t)sprintf(out, "%ld", (long)value);
    }
    case SETTING_TEXT:
        return EncodeFileText((const wchar_t*)field, PREFS_TEXT_LIMIT, out);
    case SETTING_REAL: {
        double value;
        memcpy(&value, field, sizeof(value));
        // A width that is no number would stop every later read of the file.
        if (!isfinite(value)) value = kDefaultLeftPanelSize;
        return FormatShortReal(value, out);
    }
    }
    return 0;
}

bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

struct Reader {
    const unsigned char* p;
    const unsigned char* end;
};

void SkipBlanks(Reader& r) {
    while (r.p < r.end && IsBlank(*r.p)) ++r.p;
}

bool ReadWord(Reader& r) {
    SkipBlanks(r);
    if (r.p == r.end) return false;
    while (r.p < r.end && !IsBlank(*r.p)) ++r.p;
    return true;
}

// Optional sign and decimal digits; the magnitude must stay within `limit`.
bool ReadMagnitude(Reader& r, uint64_t limitPositive, uint64_t limitNegative, bool* negative,
                   uint64_t* magnitude) {
    SkipBlanks(r);
    const unsigned char* p = r.p;
    *negative = false;
    if (p < r.end && (*p == '+' || *p == '-')) {
        *negative = *p == '-';
        ++p;
    }
    if (p == r.end || !IsDigit(*p)) return false;
    uint64_t limit = *negative ? limitNegative : limitPositive;
    uint64_t value = 0;
    while (p < r.end && IsDigit(*p)) {
        value = value * 10 + (uint64_t)(*p - '0');
        if (value > limit) return false;
        ++p;
    }
    r.p = p;
    *magnitude = value;
    return true;
}

bool ReadUnsigned(Reader& r, uint32_t* out) {
    bool negative;
    uint64_t magnitude;
    // A minus sign wraps as the C library's unsigned conversion does.
    if (!ReadMagnitude(r, 0xFFFFFFFFull, 0xFFFFFFFFull, &negative, &magnitude)) return false;
    *out = negative ? (uint32_t)(0u - (uint32_t)magnitude) : (uint32_t)magnitude;
    return true;
}

bool ReadSigned(Reader& r, int32_t* out) {
    bool negative;
    uint64_t magnitude;
    if (!ReadMagnitude(r, 0x7FFFFFFFull, 0x80000000ull, &negative, &magnitude)) return false;
    *out = negative ? (int32_t)(0u - (uint32_t)magnitude) : (int32_t)magnitude;
    return true;
}

// Decimal floating-point number with optional fraction and exponent.
bool ReadReal(Reader& r, double* out) {
    SkipBlanks(r);
    const unsigned char* p = r.p;
    bool negative = false;
    if (p < r.end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    uint64_t mantissa = 0;
    int exponent = 0;
    int digits = 0;
    for (; p < r.end && IsDigit(*p); ++p, ++digits) {
        if (mantissa < 100000000000000000ull) mantissa = mantissa * 10 + (*p - '0');
        else ++exponent;
    }
    if (p < r.end && *p == '.') {
        ++p;
        for (; p < r.end && IsDigit(*p); ++p, ++digits) {
            if (mantissa < 100000000000000000ull) {
                mantissa = mantissa * 10 + (*p - '0');
                --exponent;
            }
        }
    }
    if (digits == 0) return false;
    if (p < r.end && (*p == 'e' || *p == 'E')) {
        const unsigned char* q = p + 1;
        bool negativeExponent = false;
        if (q < r.end && (*q == '+' || *q == '-')) {
            negativeExponent = *q == '-';
            ++q;
        }
        if (q < r.end && IsDigit(*q)) {
            int value = 0;
            for (; q < r.end && IsDigit(*q); ++q) {
                if (value < 100000) value = value * 10 + (*q - '0');
            }
            exponent += negativeExponent ? -value : value;
            p = q;
        }
    }
    // Powers of ten up to 1e22 are exact doubles: one multiplication or
    // division by them rounds a short decimal correctly.
    static const double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    double value = (double)mantissa;
    if (exponent >= 0 && exponent <= 22) value *= kExactPowers[exponent];
    else if (exponent < 0 && exponent >= -22) value /= kExactPowers[-exponent];
    else value *= pow(10.0, exponent);
    if (!isfinite(value)) return false;
    r.p = p;
    *out = negative ? -value : value;
    return true;
}

// Skips the one blank after the colon (never a line end), then takes the
// rest of the line. Fails at the end of data and on a value of 260 decoded
// characters or more, after storing its first 259.
bool ReadText(Reader& r, wchar_t* field, size_t capacity) {
    // Cleared whole, so records that hold the same texts compare equal byte for byte.
    memset(field, 0, capacity * sizeof(wchar_t));
    if (r.p == r.end) return false;
    bool lineEndsHere = *r.p == '\n' || (*r.p == '\r' && r.end - r.p > 1 && r.p[1] == '\n');
    if (!lineEndsHere) ++r.p;
    if (r.p == r.end) return false;
    size_t stored = 0;
    size_t limit = capacity - 1 < (size_t)PREFS_TEXT_LIMIT ? capacity - 1 : (size_t)PREFS_TEXT_LIMIT;
    while (r.p < r.end && *r.p != '\n') {
        if (*r.p == '\r' && r.end - r.p > 1 && r.p[1] == '\n') {
            ++r.p;
            break;
        }
        if (stored == limit) return false;
        wchar_t unit;
        r.p += DecodeFileUnit(r.p, r.end, &unit);
        field[stored++] = unit;
    }
    if (r.p < r.end) ++r.p;  // the line end
    return true;
}

bool ReadField(Reader& r, const SettingLine& line, ConfigRecord* record) {
    char* field = (char*)record + line.offset;
    switch (line.kind) {
    case SETTING_UNSIGNED: {
        uint32_t value;
        if (!ReadUnsigned(r, &value)) return false;
        memcpy(field, &value, sizeof(value));
        return true;
    }
    case SETTING_SIGNED: {
        int32_t value;
        if (!ReadSigned(r, &value)) return false;
        memcpy(field, &value, sizeof(value));
        return true;
    }
    case SETTING_TEXT:
        return ReadText(r, (wchar_t*)field, line.capacity);
    case SETTING_REAL: {
        double value;
        if (!ReadReal(r, &value)) return false;
        memcpy(field, &value, sizeof(value));
        return true;
    }
    }
    return false;
}

}  // namespace

size_t FormatShortReal(double value, char* out) {
    if (value == 0) return (size_t)sprintf(out, "%s", signbit(value) ? "-0" : "0");
    // "%.5e" gives the six correctly rounded digits and the exponent; the
    // rest is built here so neither the locale's decimal point nor the
    // C library's exponent width shows in the file.
    char scientific[40];
    snprintf(scientific, sizeof(scientific), "%.5e", value);
    char digits[7];
    int count = 0;
    const char* s = scientific;
    for (; *s && *s != 'e' && *s != 'E'; ++s) {
        if (IsDigit((unsigned char)*s) && count < 6) digits[count++] = *s;
    }
    if (*s == 0 || count != 6) return (size_t)sprintf(out, "%s", scientific);
    int exponent = atoi(s + 1);
    while (count > 1 && digits[count - 1] == '0') --count;
    size_t n = 0;
    if (value < 0) out[n++] = '-';
    if (exponent < -4 || exponent >= 6) {
        out[n++] = digits[0];
        if (count > 1) {
            out[n++] = '.';
            for (int i = 1; i < count; ++i) out[n++] = digits[i];
        }
        n += (size_t)sprintf(out + n, "e%c%02d", exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
        return n;
    }
    if (exponent < 0) {
        out[n++] = '0';
        out[n++] = '.';
        for (int i = 0; i < -exponent - 1; ++i) out[n++] = '0';
        for (int i = 0; i < count; ++i) out[n++] = digits[i];
    } else {
        for (int i = 0; i <= exponent; ++i) out[n++] = i < count ? digits[i] : '0';
        if (count > exponent + 1) {
            out[n++] = '.';
            for (int i = exponent + 1; i < count; ++i) out[n++] = digits[i];
        }
    }
    out[n] = 0;
    return n;
}

size_t FormatSettingsFile(const ConfigRecord& record, char* out) {
    size_t n = AppendText(out, 0, kBanner);
    for (const SettingLine& line : kSettingLines) {
        n = AppendText(out, n, line.key);
        out[n++] = ' ';
        n += FormatField(record, line, out + n);
        out[n++] = '\r';
        out[n++] = '\n';
    }
    return n;
}

void ParseSettingsFile(const unsigned char* data, size_t size, ConfigRecord* record) {
    Reader r = {data, data + size};
    bool reading = true;
    for (int i = 0; i < kBannerWords && reading; ++i) reading = ReadWord(r);
    for (const SettingLine& line : kSettingLines) {
        // The key is read but not compared with anything: the file is positional.
        if (reading && ReadWord(r)) {
            reading = ReadField(r, line, record);
            continue;
        }
        reading = false;
        if (line.kind == SETTING_TEXT) memset((char*)record + line.offset, 0, line.capacity * sizeof(wchar_t));
    }
}
