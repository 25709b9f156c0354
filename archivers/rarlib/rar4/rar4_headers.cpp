// Parsing of RAR 1.5-4.x block headers, names and times.
#include "rar4_headers.h"

#include <string.h>
#include <time.h>
#include <zlib.h>

#include "cp437.h"

namespace fyxrar {
namespace rar4 {

namespace {

uint16_t Get2(const uint8_t* p) { return (uint16_t)(p[0] | (p[1] << 8)); }
uint32_t Get4(const uint8_t* p) {
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

// Bounds-checked reading over one header.
struct Cursor {
    const uint8_t* data;
    size_t size;
    size_t pos;
    bool ok;
    bool Has(size_t n) const { return ok && pos + n <= size; }
    uint8_t U8() {
        if (!Has(1)) return Fail();
        return data[pos++];
    }
    uint16_t U16() {
        if (!Has(2)) return Fail();
        pos += 2;
        return Get2(data + pos - 2);
    }
    uint32_t U32() {
        if (!Has(4)) return Fail();
        pos += 4;
        return Get4(data + pos - 4);
    }
    uint8_t Fail() {
        ok = false;
        return 0;
    }
};

void AppendUtf8(std::string* out, uint32_t c) {
    if (c < 0x80) {
        out->push_back((char)c);
    } else if (c < 0x800) {
        out->push_back((char)(0xC0 | (c >> 6)));
        out->push_back((char)(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out->push_back((char)(0xE0 | (c >> 12)));
        out->push_back((char)(0x80 | ((c >> 6) & 0x3F)));
        out->push_back((char)(0x80 | (c & 0x3F)));
    } else {
        out->push_back((char)(0xF0 | (c >> 18)));
        out->push_back((char)(0x80 | ((c >> 12) & 0x3F)));
        out->push_back((char)(0x80 | ((c >> 6) & 0x3F)));
        out->push_back((char)(0x80 | (c & 0x3F)));
    }
}

bool IsValidUtf8(const uint8_t* s, size_t n) {
    size_t i = 0;
    while (i < n) {
        uint8_t c = s[i];
        size_t extra;
        uint32_t min;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            min = 0x10000;
        } else {
            return false;
        }
        if (i + extra >= n) return false;
        uint32_t v = c & (0x3F >> extra);
        for (size_t k = 1; k <= extra; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) return false;
            v = (v << 6) | (s[i + k] & 0x3F);
        }
        if (v < min || v > 0x10FFFF || (v >= 0xD800 && v < 0xE000)) return false;
        i += extra + 1;
    }
    return true;
}

void SlashesForward(std::string* name) {
    for (char& c : *name)
        if (c == '\\') c = '/';
}

// Reads one extended time group; `base` is the DOS time it refines.
bool ReadExtTime(Cursor* c, unsigned mode, uint32_t dosTime, uint64_t* out) {
    unsigned count = mode & 3;
    uint32_t rest = 0;
    for (unsigned j = 0; j < count; ++j) rest |= (uint32_t)c->U8() << ((j + 3 - count) * 8);
    if (!c->ok) return false;
    *out = DosTimeToFileTime(dosTime, (mode & 4) ? 1 : 0, rest);
    return true;
}

}  // namespace

void ParseBlockHead(const uint8_t* bytes, size_t length, BlockHead* head) {
    head->crc = Get2(bytes);
    head->type = bytes[2];
    head->flags = Get2(bytes + 3);
    head->size = Get2(bytes + 5);
    head->addSize = (head->flags & 0x8000) && length >= 11 ? Get4(bytes + 7) : 0;
}

bool HeaderCrcMatches(const uint8_t* header, size_t size) {
    if (size < kBaseHeaderSize) return false;
    uint32_t crc = (uint32_t)crc32(0L, header + 2, (uInt)(size - 2));
    return (crc & 0xFFFF) == Get2(header);
}

std::u16string DecodeUnicodeName(const uint8_t* plain, size_t plainLength, const uint8_t* enc,
                                 size_t encLength, size_t maxChars) {
    std::u16string out;
    size_t pos = 0;
    uint8_t high = pos < encLength ? enc[pos++] : 0;
    unsigned flags = 0, flagBits = 0;
    while (pos < encLength && out.size() < maxChars) {
        if (flagBits == 0) {
            flags = enc[pos++];
            flagBits = 8;
        }
        flagBits -= 2;
        switch ((flags >> flagBits) & 3) {
            case 0:
                if (pos >= encLength) return out;
                out.push_back(enc[pos++]);
                break;
            case 1:
                if (pos >= encLength) return out;
                out.push_back((char16_t)(enc[pos++] | (high << 8)));
                break;
            case 2:
                if (pos + 1 >= encLength) return out;
                out.push_back((char16_t)(enc[pos] | (enc[pos + 1] << 8)));
                pos += 2;
                break;
            default: {
                if (pos >= encLength) return out;
                unsigned length = enc[pos++];
                bool corrected = (length & 0x80) != 0;
                uint8_t correction = 0;
                if (corrected) {
                    if (pos >= encLength) return out;
                    correction = enc[pos++];
                }
                for (length = (length & 0x7F) + 2; length > 0 && out.size() < maxChars && out.size() < plainLength; --length) {
                    uint8_t b = plain[out.size()];
                    if (corrected)
                        out.push_back((char16_t)(((b + correction) & 0xFF) | (high << 8)));
                    else
                        out.push_back(b);
                }
                break;
            }
        }
    }
    return out;
}

std::string Utf16ToUtf8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            c = 0xFFFD;
        }
        AppendUtf8(&out, c);
    }
    return out;
}

std::string EightBitNameToUtf8(const uint8_t* bytes, size_t length) {
    if (IsValidUtf8(bytes, length)) return std::string((const char*)bytes, length);
    std::string out;
    for (size_t i = 0; i < length; ++i) AppendUtf8(&out, bytes[i] < 0x80 ? bytes[i] : fyxarchive::kCp437High[bytes[i] - 0x80]);
    return out;
}

uint64_t DosTimeToFileTime(uint32_t dosTime, uint32_t extraSeconds, uint32_t hundredNs) {
    struct tm t;
    memset(&t, 0, sizeof(t));
    t.tm_sec = (int)(dosTime & 31) * 2;
    t.tm_min = (int)(dosTime >> 5) & 63;
    t.tm_hour = (int)(dosTime >> 11) & 31;
    t.tm_mday = (int)(dosTime >> 16) & 31;
    t.tm_mon = (int)((dosTime >> 21) & 15) - 1;
    t.tm_year = (int)(dosTime >> 25) + 80;
    t.tm_isdst = -1;
    if (t.tm_mday == 0 || t.tm_mon < 0 || t.tm_mon > 11 || t.tm_hour > 23 || t.tm_min > 59) return 0;
    // The stored time is local time, so the C library's time zone rules apply.
    time_t seconds = mktime(&t);
    if (seconds == (time_t)-1) return 0;
    const uint64_t kEpochDelta = 116444736000000000ULL;  // 1601 to 1970 in 100 ns
    int64_t s = (int64_t)seconds + extraSeconds;
    if (s < 0) return 0;
    return kEpochDelta + (uint64_t)s * 10000000ULL + (hundredNs % 10000000U);
}

bool ParseFileHeader(const uint8_t* header, size_t size, FileHeader* out) {
    Cursor c = {header, size, 0, true};
    c.pos = 3;
    out->flags = c.U16();
    c.pos = 7;
    uint32_t lowPack = c.U32();
    uint32_t lowUnp = c.U32();
    out->hostOs = c.U8();
    out->crc = c.U32();
    out->dosTime = c.U32();
    out->unpackVersion = c.U8();
    out->method = c.U8();
    uint16_t nameSize = c.U16();
    out->attributes = c.U32();
    uint32_t highPack = 0, highUnp = 0;
    if (out->flags & kFileLarge) {
        highPack = c.U32();
        highUnp = c.U32();
    }
    if (!c.ok || !c.Has(nameSize)) return false;
    out->packedSize = ((uint64_t)highPack << 32) | lowPack;
    out->unpackedSize = ((uint64_t)highUnp << 32) | lowUnp;
    out->unpackedSizeUnknown = (out->flags & kFileLarge) && lowUnp == 0xFFFFFFFF && highUnp == 0xFFFFFFFF;
    const uint8_t* name = header + c.pos;
    c.pos += nameSize;
    out->rawName.assign((const char*)name, nameSize);
    if (header[2] == kBlockFile) {
        const uint8_t* zero = (out->flags & kFileUnicode) ? (const uint8_t*)memchr(name, 0, nameSize) : nullptr;
        if (zero) {
            size_t plain = (size_t)(zero - name);
            std::u16string wide = DecodeUnicodeName(name, plain, zero + 1, nameSize - plain - 1, 0x10000);
            out->name = wide.empty() ? EightBitNameToUtf8(name, plain) : Utf16ToUtf8(wide);
        } else {
            out->name = EightBitNameToUtf8(name, nameSize);
        }
        SlashesForward(&out->name);
    } else {
        out->name = out->rawName;
    }
    if (out->flags & kFileSalt) {
        if (!c.Has(8)) return false;
        memcpy(out->salt, header + c.pos, 8);
        out->hasSalt = true;
        c.pos += 8;
    }
    out->modified = DosTimeToFileTime(out->dosTime, 0, 0);
    if ((out->flags & kFileExtTime) && c.Has(2)) {
        unsigned timeFlags = c.U16();
        uint64_t* slots[4] = {&out->modified, &out->created, &out->accessed, nullptr};
        for (int i = 0; i < 4 && c.ok; ++i) {
            unsigned mode = (timeFlags >> ((3 - i) * 4)) & 15;
            if (!(mode & 8)) continue;
            uint32_t dos = i == 0 ? out->dosTime : c.U32();
            uint64_t value = 0;
            if (!ReadExtTime(&c, mode, dos, &value)) break;
            if (slots[i]) *slots[i] = value;
        }
        // A damaged time field costs the precise times, not the entry.
        if (!c.ok) out->modified = DosTimeToFileTime(out->dosTime, 0, 0);
    }
    unsigned dictBits = (out->flags & kFileDictMask) >> 5;
    if (out->unpackVersion < 20)
        out->directory = (out->attributes & 0x10) != 0 && out->hostOs != kHostUnix;
    else
        out->directory = dictBits == 7;
    if (out->hostOs == kHostUnix && (out->attributes & 0xF000) == 0x4000) out->directory = true;
    out->dictionarySize = out->directory ? 0 : (uint64_t)0x10000 << (dictBits == 7 ? 6 : dictBits);
    return true;
}

}  // namespace rar4
}  // namespace fyxrar
