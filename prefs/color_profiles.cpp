// Panel colour profiles: the two built-in ones and profile files of eight
// "rrr,ggg,bbb,fff" lines.
#include <stdio.h>
#include <string.h>

#include "file_io.h"
#include "prefs.h"

namespace {

const ColorSlot kProfileDefault[PREFS_COLOR_SLOTS] = {
    {RGB(255, 255, 255), 1}, {RGB(0, 0, 0), 0},       {RGB(0, 0, 0), 0}, {RGB(0, 0, 0), 0},
    {RGB(212, 212, 212), 0}, {RGB(255, 0, 0), 0},     {RGB(0, 0, 0), 0}, {RGB(0, 0, 0), 0},
};

const ColorSlot kProfileDefault2[PREFS_COLOR_SLOTS] = {
    {RGB(0, 0, 128), 0},   {RGB(0, 255, 255), 0}, {RGB(0, 255, 255), 0}, {RGB(0, 128, 128), 0},
    {RGB(0, 128, 128), 0}, {RGB(255, 255, 0), 0}, {RGB(0, 0, 0), 0},     {RGB(0, 255, 255), 0},
};

// A profile file is eight short lines; anything past this is not read.
const size_t kMaxProfileFileBytes = 1 << 20;
const size_t kProfileLineBytes = 48;

// Optional blanks, then 1 to maxDigits decimal digits.
bool ReadProfileNumber(const unsigned char*& p, const unsigned char* end, int maxDigits, uint32_t* out) {
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    uint64_t value = 0;
    int digits = 0;
    while (p < end && *p >= '0' && *p <= '9') {
        if (++digits > maxDigits) return false;
        value = value * 10 + (*p++ - '0');
    }
    if (digits == 0 || value > 0xFFFFFFFFull) return false;
    *out = (uint32_t)value;
    return true;
}

// "r,g,b,f": false when the numbers cannot be read or a colour byte exceeds 255.
bool ParseProfileLine(const unsigned char* p, const unsigned char* end, ColorSlot* slot) {
    uint32_t parts[4];
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (p == end || *p != ',') return false;
            ++p;
        }
        // Colour bytes have three digits; the flag is read whole so any stored flag comes back.
        if (!ReadProfileNumber(p, end, i < 3 ? 3 : 10, &parts[i])) return false;
        if (i < 3 && parts[i] > 255) return false;
    }
    slot->color = parts[0] + parts[1] * 256 + parts[2] * 65536;
    slot->flag = parts[3];
    return true;
}

void ParseProfileFile(const unsigned char* data, size_t size, ColorProfile* profile) {
    const unsigned char* p = data;
    const unsigned char* end = data + size;
    for (int slot = 0; slot < PREFS_COLOR_SLOTS && p < end; ++slot) {
        const unsigned char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\n') ++lineEnd;
        ParseProfileLine(p, lineEnd, &profile->slots[slot]);
        p = lineEnd < end ? lineEnd + 1 : end;
    }
}

size_t FormatProfileFile(const ColorProfile& profile, char* out) {
    size_t n = 0;
    for (const ColorSlot& slot : profile.slots) {
        n += (size_t)sprintf(out + n, "%3.3u,%3.3u,%3.3u,%3.3u\r\n", (unsigned)(slot.color & 0xFF),
                             (unsigned)((slot.color >> 8) & 0xFF), (unsigned)((slot.color >> 16) & 0xFF),
                             (unsigned)slot.flag);
    }
    return n;
}

ColorProfile* FillProfile(ColorProfile* profile, const ColorSlot* slots) {
    memcpy(profile->slots, slots, sizeof(profile->slots));
    profile->loaded = 1;
    return profile;
}

}  // namespace

PREFS_API ColorProfile* PREFS_LoadColorProfileDefault(ColorProfile* profile) {
    return FillProfile(profile, kProfileDefault);
}

PREFS_API ColorProfile* PREFS_LoadColorProfileDefault2(ColorProfile* profile) {
    return FillProfile(profile, kProfileDefault2);
}

PREFS_API ColorProfile* PREFS_LoadColorProfile(ColorProfile* profile, const wchar_t* path) {
    unsigned char* data;
    size_t size;
    if (!path || !path[0] || !ReadSmallFile(path, kMaxProfileFileBytes, &data, &size)) {
        profile->loaded = 0;
        return profile;
    }
    ParseProfileFile(data, size, profile);
    FreeFileData(data);
    profile->loaded = 1;
    return profile;
}

PREFS_API int PREFS_SaveColorProfile(const wchar_t* path, ColorProfile profile) {
    if (!path || !path[0]) return 1;
    char text[PREFS_COLOR_SLOTS * kProfileLineBytes];
    size_t size = FormatProfileFile(profile, text);
    return ReplaceFileWhole(path, text, size);
}
