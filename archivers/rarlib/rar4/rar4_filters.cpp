// The RAR 2.9 standard filters. The archive carries each as a program for
// RAR's virtual machine; known programs are recognised by length and CRC32
// and run here as plain code.
#include <stdlib.h>
#include <string.h>

#include <zlib.h>

#include "rar4_unpack.h"

namespace fyxrar {
namespace rar4 {

namespace {

const uint32_t kMemSize = 0x40000;

uint32_t Get4(const uint8_t* p) {
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}
void Put4(uint8_t* p, uint32_t v) {
    p[0] = (uint8_t)v;
    p[1] = (uint8_t)(v >> 8);
    p[2] = (uint8_t)(v >> 16);
    p[3] = (uint8_t)(v >> 24);
}

bool FilterE8(uint8_t* data, uint32_t size, uint32_t fileOffset, bool e9) {
    if (size > kMemSize || size < 4) return false;
    const uint32_t kFileSize = 0x1000000;
    for (uint32_t pos = 0; pos < size - 4;) {
        uint8_t b = data[pos++];
        if (b == 0xE8 || (e9 && b == 0xE9)) {
            uint32_t offset = pos + fileOffset;
            uint32_t addr = Get4(data + pos);
            if (addr & 0x80000000) {
                if (((addr + offset) & 0x80000000) == 0) Put4(data + pos, addr + kFileSize);
            } else if ((addr - kFileSize) & 0x80000000) {
                Put4(data + pos, addr - offset);
            }
            pos += 4;
        }
    }
    return true;
}

uint32_t ItaniumGetBits(const uint8_t* data, unsigned bitPos, unsigned bitCount) {
    unsigned at = bitPos / 8, shift = bitPos & 7;
    uint32_t v = Get4(data + at);
    return (v >> shift) & (0xFFFFFFFFu >> (32 - bitCount));
}

void ItaniumSetBits(uint8_t* data, uint32_t bits, unsigned bitPos, unsigned bitCount) {
    unsigned at = bitPos / 8, shift = bitPos & 7;
    uint32_t andMask = ~((0xFFFFFFFFu >> (32 - bitCount)) << shift);
    bits <<= shift;
    for (unsigned i = 0; i < 4; ++i) {
        data[at + i] &= (uint8_t)andMask;
        data[at + i] |= (uint8_t)bits;
        andMask = (andMask >> 8) | 0xFF000000;
        bits >>= 8;
    }
}

bool FilterItanium(uint8_t* data, uint32_t size, uint32_t fileOffset) {
    if (size > kMemSize || size < 21) return false;
    static const uint8_t kMasks[16] = {4, 4, 6, 6, 0, 0, 7, 7, 4, 4, 0, 0, 4, 4, 0, 0};
    fileOffset >>= 4;
    for (uint32_t pos = 0; pos < size - 21; pos += 16, data += 16, ++fileOffset) {
        int b = (data[0] & 0x1F) - 0x10;
        if (b < 0) continue;
        uint8_t mask = kMasks[b];
        if (!mask) continue;
        for (unsigned i = 0; i <= 2; ++i) {
            if (!(mask & (1 << i))) continue;
            unsigned start = i * 41 + 5;
            if (ItaniumGetBits(data, start + 37, 4) != 5) continue;
            uint32_t offset = ItaniumGetBits(data, start + 13, 20);
            ItaniumSetBits(data, (offset - fileOffset) & 0xFFFFF, start + 13, 20);
        }
    }
    return true;
}

bool FilterDelta(uint8_t* mem, uint32_t size, uint32_t channels) {
    if (size > kMemSize / 2 || channels > 1024 || channels == 0) return false;
    const uint8_t* src = mem;
    size_t end = 2 * (size_t)size, step = channels;
    for (uint32_t c = 0; c < channels; ++c) {
        uint8_t prev = 0;
        size_t dest = size + c;
        // Four at a time where all four fit: the loop test is most of the work.
        for (; dest + 3 * step < end; dest += 4 * step, src += 4) {
            mem[dest] = prev = (uint8_t)(prev - src[0]);
            mem[dest + step] = prev = (uint8_t)(prev - src[1]);
            mem[dest + 2 * step] = prev = (uint8_t)(prev - src[2]);
            mem[dest + 3 * step] = prev = (uint8_t)(prev - src[3]);
        }
        for (; dest < end; dest += step) mem[dest] = prev = (uint8_t)(prev - *src++);
    }
    return true;
}

bool FilterRgb(uint8_t* mem, uint32_t size, uint32_t widthPlus3, uint32_t posR) {
    uint32_t width = widthPlus3 - 3;
    if (size > kMemSize / 2 || size < 3 || width > size || posR > 2) return false;
    const uint8_t* src = mem;
    uint8_t* dest = mem + size;
    for (uint32_t c = 0; c < 3; ++c) {
        unsigned prev = 0;
        for (uint32_t i = c; i < size; i += 3) {
            unsigned predicted;
            if (i >= width + 3) {
                const uint8_t* upper = dest + i - width;
                unsigned up = upper[0], upLeft = upper[-3];
                predicted = prev + up - upLeft;
                int pa = abs((int)(predicted - prev)), pb = abs((int)(predicted - up)), pc = abs((int)(predicted - upLeft));
                if (pa <= pb && pa <= pc)
                    predicted = prev;
                else if (pb <= pc)
                    predicted = up;
                else
                    predicted = upLeft;
            } else {
                predicted = prev;
            }
            dest[i] = (uint8_t)(prev = (uint8_t)(predicted - *src++));
        }
    }
    for (uint32_t i = posR; i + 2 < size; i += 3) {
        uint8_t g = dest[i + 1];
        dest[i] = (uint8_t)(dest[i] + g);
        dest[i + 2] = (uint8_t)(dest[i + 2] + g);
    }
    return true;
}

bool FilterAudio(uint8_t* mem, uint32_t size, uint32_t channels) {
    if (size > kMemSize / 2 || channels > 128 || channels == 0) return false;
    const uint8_t* src = mem;
    uint8_t* dest = mem + size;
    for (uint32_t c = 0; c < channels; ++c) {
        unsigned prevByte = 0, prevDelta = 0, dif[7] = {};
        int d1 = 0, d2 = 0, d3;
        int k1 = 0, k2 = 0, k3 = 0;
        for (uint32_t i = c, count = 0; i < size; i += channels, ++count) {
            d3 = d2;
            d2 = (int)prevDelta - d1;
            d1 = (int)prevDelta;
            unsigned predicted = 8 * prevByte + k1 * d1 + k2 * d2 + k3 * d3;
            predicted = (predicted >> 3) & 0xFF;
            unsigned cur = *src++;
            predicted -= cur;
            dest[i] = (uint8_t)predicted;
            prevDelta = (unsigned)(int)(signed char)(predicted - prevByte);
            prevByte = predicted & 0xFF;
            int d = (int)((unsigned)(int)(signed char)cur << 3);
            dif[0] += abs(d);
            dif[1] += abs(d - d1);
            dif[2] += abs(d + d1);
            dif[3] += abs(d - d2);
            dif[4] += abs(d + d2);
            dif[5] += abs(d - d3);
            dif[6] += abs(d + d3);
            if ((count & 0x1F) == 0) {
                unsigned minDif = dif[0], best = 0;
                dif[0] = 0;
                for (unsigned j = 1; j < 7; ++j) {
                    if (dif[j] < minDif) {
                        minDif = dif[j];
                        best = j;
                    }
                    dif[j] = 0;
                }
                switch (best) {
                    case 1: if (k1 >= -16) k1--; break;
                    case 2: if (k1 < 16) k1++; break;
                    case 3: if (k2 >= -16) k2--; break;
                    case 4: if (k2 < 16) k2++; break;
                    case 5: if (k3 >= -16) k3--; break;
                    case 6: if (k3 < 16) k3++; break;
                }
            }
        }
    }
    return true;
}

}  // namespace

FilterType IdentifyFilter(const uint8_t* code, size_t length) {
    if (length == 0) return kFilterNone;
    uint8_t x = 0;
    for (size_t i = 1; i < length; ++i) x ^= code[i];
    if (x != code[0]) return kFilterNone;
    struct Known {
        size_t length;
        uint32_t crc;
        FilterType type;
    };
    static const Known kKnown[] = {
        {53, 0xAD576887, kFilterE8}, {57, 0x3CD7E57E, kFilterE8E9}, {120, 0x3769893F, kFilterItanium},
        {29, 0x0E06077D, kFilterDelta}, {149, 0x1C2C5DC8, kFilterRgb}, {216, 0xBC85E701, kFilterAudio},
    };
    uint32_t crc = (uint32_t)crc32(0L, code, (uInt)length);
    for (const Known& k : kKnown)
        if (k.length == length && k.crc == crc) return k.type;
    return kFilterNone;
}

size_t RunFilter(FilterType type, uint8_t* mem, const uint32_t r[7], uint32_t* outSize) {
    uint32_t size = r[4];
    *outSize = size & (kMemSize - 1);
    bool ok = false;
    switch (type) {
        case kFilterE8:
        case kFilterE8E9:
            FilterE8(mem, size, r[6], type == kFilterE8E9);
            return 0;
        case kFilterItanium:
            FilterItanium(mem, size, r[6]);
            return 0;
        case kFilterDelta:
            ok = FilterDelta(mem, size, r[0]);
            break;
        case kFilterRgb:
            ok = FilterRgb(mem, size, r[0], r[1]);
            break;
        case kFilterAudio:
            ok = FilterAudio(mem, size, r[0]);
            break;
        default:
            return 0;
    }
    // These write their result after the input; a failed one passes the input on.
    return ok && 2 * (size_t)*outSize <= kMemSize ? *outSize : 0;
}

}  // namespace rar4
}  // namespace fyxrar
