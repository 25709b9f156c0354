// RAR 2.9 decompression (unpack versions 29 and 36): LZ blocks with Huffman
// tables, PPMd blocks, and filter records.
#include <string.h>

#include "rar4_unpack.h"

namespace fyxrar {
namespace rar4 {

namespace {

const unsigned kMainSymbols = 299, kDistSymbols = 60, kLowDistSymbols = 17, kRepSymbols = 28;
const unsigned kTableSize = kMainSymbols + kDistSymbols + kLowDistSymbols + kRepSymbols;
const unsigned kMaxFilters = 8192;

const uint8_t kLengthBase[28] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 14, 16, 20, 24, 28, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224};
const uint8_t kLengthBits[28] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5};
const uint8_t kShortBase[8] = {0, 4, 8, 16, 32, 64, 128, 192};
const uint8_t kShortBits[8] = {2, 2, 3, 4, 5, 6, 6, 6};

struct DistanceTables {
    uint32_t base[kDistSymbols];
    uint8_t bits[kDistSymbols];
    DistanceTables() {
        static const uint8_t kCounts[19] = {4, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 14, 0, 12};
        uint32_t dist = 0;
        unsigned slot = 0;
        for (unsigned b = 0; b < 19; ++b)
            for (unsigned j = 0; j < kCounts[b]; ++j, ++slot) {
                base[slot] = dist;
                bits[slot] = (uint8_t)b;
                dist += 1u << b;
            }
    }
};
const DistanceTables kDist;

// MSB-first bits over a filter record held in memory; zeros past its end.
struct RecordBits {
    const uint8_t* data;
    size_t size;
    size_t bit;
    uint32_t Peek16() const {
        uint32_t v = 0;
        for (size_t i = 0; i < 3; ++i) {
            size_t at = bit / 8 + i;
            v = (v << 8) | (at < size ? data[at] : 0);
        }
        return (v >> (8 - (bit & 7))) & 0xFFFF;
    }
    void Skip(unsigned n) { bit += n; }
    // The VM's variable-length number.
    uint32_t Number() {
        uint32_t v = Peek16();
        switch (v & 0xC000) {
            case 0:
                Skip(6);
                return (v >> 10) & 0xF;
            case 0x4000:
                if ((v & 0x3C00) == 0) {
                    Skip(14);
                    return 0xFFFFFF00 | ((v >> 2) & 0xFF);
                }
                Skip(10);
                return (v >> 6) & 0xFF;
            case 0x8000:
                Skip(2);
                v = Peek16();
                Skip(16);
                return v;
            default: {
                Skip(2);
                uint32_t high = Peek16();
                Skip(16);
                uint32_t low = Peek16();
                Skip(16);
                return (high << 16) | low;
            }
        }
    }
};

}  // namespace

void Unpacker::Reset29() {
    ResetWindow();
    memset(oldTable29_, 0, sizeof(oldTable29_));
    memset(oldDist_, 0, sizeof(oldDist_));
    lastLength_ = 0;
    prevLowDist_ = lowDistRepCount_ = 0;
    tablesRead29_ = false;
    ppmBlock_ = false;
    ppmEscape_ = 2;
    ppm_.Clear();
    defs_.clear();
    lastFilter_ = 0;
}

bool Unpacker::ReadTables29() {
    in_.AlignToByte();
    in_.Fill();
    uint32_t field = in_.Peek16();
    if (field & 0x8000) {
        ppmBlock_ = true;
        bool noMemory = false;
        bool ok = ppm_.StartBlock(&in_, &ppmEscape_, &noMemory);
        if (noMemory) noMemory_ = true;
        return ok;
    }
    ppmBlock_ = false;
    prevLowDist_ = 0;
    lowDistRepCount_ = 0;
    if (!(field & 0x4000)) memset(oldTable29_, 0, sizeof(oldTable29_));
    in_.Skip(2);
    uint8_t bitLength[20];
    for (unsigned i = 0; i < 20; ++i) {
        unsigned length = in_.Bits(4);
        if (length == 15) {
            unsigned zeros = in_.Bits(4);
            if (zeros == 0) {
                bitLength[i] = 15;
            } else {
                zeros += 2;
                while (zeros-- > 0 && i < 20) bitLength[i++] = 0;
                --i;
            }
        } else {
            bitLength[i] = (uint8_t)length;
        }
    }
    bd_.Build(bitLength, 20);
    uint8_t table[kTableSize];
    for (unsigned i = 0; i < kTableSize;) {
        in_.Fill();
        if (in_.Overrun()) return false;
        unsigned number = bd_.Decode(&in_);
        if (number < 16) {
            table[i] = (uint8_t)((number + oldTable29_[i]) & 0xF);
            ++i;
        } else if (number < 18) {
            unsigned n = number == 16 ? in_.Bits(3) + 3 : in_.Bits(7) + 11;
            if (i == 0) return false;
            while (n-- > 0 && i < kTableSize) {
                table[i] = table[i - 1];
                ++i;
            }
        } else {
            unsigned n = number == 18 ? in_.Bits(3) + 3 : in_.Bits(7) + 11;
            while (n-- > 0 && i < kTableSize) table[i++] = 0;
        }
    }
    tablesRead29_ = true;
    if (in_.Overrun()) return false;
    ld_.Build(table, kMainSymbols);
    dd_.Build(table + kMainSymbols, kDistSymbols);
    ldd_.Build(table + kMainSymbols + kDistSymbols, kLowDistSymbols);
    rd_.Build(table + kMainSymbols + kDistSymbols + kLowDistSymbols, kRepSymbols);
    memcpy(oldTable29_, table, sizeof(oldTable29_));
    return true;
}

bool Unpacker::ReadEndOfBlock(bool* endOfFile) {
    uint32_t field = in_.Peek16();
    bool newTable;
    *endOfFile = false;
    if (field & 0x8000) {
        newTable = true;
        in_.Skip(1);
    } else {
        *endOfFile = true;
        newTable = (field & 0x4000) != 0;
        in_.Skip(2);
    }
    tablesRead29_ = !newTable;
    if (*endOfFile) return false;
    return ReadTables29();
}

bool Unpacker::AddFilter(unsigned firstByte, const uint8_t* code, size_t length) {
    RecordBits b = {code, length, 0};
    size_t number;
    if (firstByte & 0x80) {
        number = b.Number();
        if (number == 0) {
            defs_.clear();
            pending_.clear();
            lastFilter_ = 0;
        } else {
            number--;
        }
    } else {
        number = lastFilter_;
    }
    if (number > defs_.size()) return false;
    lastFilter_ = number;
    bool isNew = number == defs_.size();
    if (isNew) {
        if (number >= kMaxFilters) return false;
        defs_.push_back(FilterDef{kFilterNone, 0});
    }
    if (pending_.size() >= kMaxFilters) return false;
    Filter f;
    uint32_t blockStart = b.Number();
    if (firstByte & 0x40) blockStart += 258;
    f.start = unpPtr_ + blockStart;
    if (firstByte & 0x20) {
        f.length = b.Number();
        defs_[number].lastLength = f.length;
    } else {
        f.length = defs_[number].lastLength;
    }
    memset(f.r, 0, sizeof(f.r));
    f.r[4] = f.length;
    if (firstByte & 0x10) {
        unsigned mask = b.Peek16() >> 9;
        b.Skip(7);
        for (unsigned i = 0; i < 7; ++i)
            if (mask & (1u << i)) f.r[i] = b.Number();
    }
    if (isNew) {
        uint32_t codeSize = b.Number();
        if (codeSize >= 0x10000 || codeSize == 0 || b.bit / 8 + codeSize > length) return false;
        std::vector<uint8_t> program(codeSize);
        for (uint32_t i = 0; i < codeSize; ++i) {
            program[i] = (uint8_t)(b.Peek16() >> 8);
            b.Skip(8);
        }
        defs_[number].type = IdentifyFilter(program.data(), program.size());
        if (defs_[number].type == kFilterNone) {
            // Only the standard programs are supported, never arbitrary VM code.
            unknownFilter_ = true;
            return false;
        }
    }
    f.type = defs_[number].type;
    if (firstByte & 0x08) {
        uint32_t dataSize = b.Number();
        if (dataSize > 0x2000 - 0x40) return false;
    }
    // A block longer than the filter memory cannot be valid.
    if (f.length > 0x40000) return false;
    pending_.push_back(f);
    return true;
}

bool Unpacker::ReadFilterLz() {
    unsigned first = in_.Bits(8);
    size_t length = (first & 7) + 1;
    if (length == 7)
        length = in_.Bits(8) + 7;
    else if (length == 8)
        length = in_.Bits(16);
    if (length == 0) return false;
    std::vector<uint8_t> code(length);
    for (size_t i = 0; i < length; ++i) {
        in_.Fill();
        if (in_.Overrun()) return false;
        code[i] = (uint8_t)in_.Bits(8);
    }
    return AddFilter(first, code.data(), length);
}

int Unpacker::PpmChar() { return ppm_.DecodeChar(); }

bool Unpacker::ReadFilterPpm() {
    int first = PpmChar();
    if (first == -1) return false;
    size_t length = (first & 7) + 1;
    if (length == 7) {
        int b = PpmChar();
        if (b == -1) return false;
        length = b + 7;
    } else if (length == 8) {
        int b1 = PpmChar();
        if (b1 == -1) return false;
        int b2 = PpmChar();
        if (b2 == -1) return false;
        length = (b1 << 8) | b2;
    }
    if (length == 0) return false;
    std::vector<uint8_t> code(length);
    for (size_t i = 0; i < length; ++i) {
        int b = PpmChar();
        if (b == -1) return false;
        code[i] = (uint8_t)b;
    }
    return AddFilter((unsigned)first, code.data(), length);
}

Result Unpacker::Unpack29(bool solid) {
    if (!solid) Reset29();
    pending_.clear();
    if (!solid || !tablesRead29_) {
        if (!ReadTables29()) {
            FinishEntry();
            return kOk;
        }
    }
    for (;;) {
        in_.Fill();
        if (in_.Overrun()) break;
        if (unpPtr_ - written_ >= kFlushGap) {
            if (!Flush()) break;
            if (fileWritten_ > fileSize_) break;
        }
        if (ppmBlock_) {
            int ch = PpmChar();
            if (ch == -1) {
                // Damaged model data: drop the model, go on as LZ (which will fail the CRC).
                ppm_.Clear();
                ppmBlock_ = false;
                break;
            }
            if (ch == ppmEscape_) {
                int next = PpmChar();
                if (next == 0) {
                    if (!ReadTables29()) break;
                    continue;
                }
                if (next == -1 || next == 2) break;
                if (next == 3) {
                    if (!ReadFilterPpm()) break;
                    continue;
                }
                if (next == 4) {
                    uint32_t distance = 0, length = 0;
                    bool failed = false;
                    for (int i = 0; i < 4 && !failed; ++i) {
                        int c = PpmChar();
                        if (c == -1)
                            failed = true;
                        else if (i == 3)
                            length = (uint8_t)c;
                        else
                            distance = (distance << 8) + (uint8_t)c;
                    }
                    if (failed) break;
                    CopyString(length + 32, distance + 2);
                    continue;
                }
                if (next == 5) {
                    int length = PpmChar();
                    if (length == -1) break;
                    CopyString((uint32_t)length + 4, 1);
                    continue;
                }
                // 1: the escape character itself.
            }
            PutByte((uint8_t)ch);
            continue;
        }
        unsigned number = ld_.Decode(&in_);
        if (number < 256) {
            PutByte((uint8_t)number);
            continue;
        }
        if (number >= 271) {
            number -= 271;
            uint32_t length = kLengthBase[number] + 3;
            if (unsigned bits = kLengthBits[number]) length += in_.Bits(bits);
            unsigned slot = dd_.Decode(&in_);
            uint32_t distance = kDist.base[slot] + 1;
            if (unsigned bits = kDist.bits[slot]) {
                if (slot > 9) {
                    if (bits > 4) {
                        distance += (in_.Peek16() >> (20 - bits)) << 4;
                        in_.Skip(bits - 4);
                    }
                    if (lowDistRepCount_ > 0) {
                        lowDistRepCount_--;
                        distance += prevLowDist_;
                    } else {
                        unsigned low = ldd_.Decode(&in_);
                        if (low == 16) {
                            lowDistRepCount_ = 16 - 1;
                            distance += prevLowDist_;
                        } else {
                            distance += low;
                            prevLowDist_ = low;
                        }
                    }
                } else {
                    distance += in_.Bits(bits);
                }
            }
            if (distance >= 0x2000) {
                length++;
                if (distance >= 0x40000) length++;
            }
            oldDist_[3] = oldDist_[2];
            oldDist_[2] = oldDist_[1];
            oldDist_[1] = oldDist_[0];
            oldDist_[0] = distance;
            lastLength_ = length;
            CopyString(length, distance);
            continue;
        }
        if (number == 256) {
            bool endOfFile;
            if (!ReadEndOfBlock(&endOfFile)) break;
            continue;
        }
        if (number == 257) {
            if (!ReadFilterLz()) break;
            continue;
        }
        if (number == 258) {
            if (lastLength_ != 0) CopyString(lastLength_, oldDist_[0]);
            continue;
        }
        if (number < 263) {
            unsigned index = number - 259;
            uint32_t distance = oldDist_[index];
            for (unsigned i = index; i > 0; --i) oldDist_[i] = oldDist_[i - 1];
            oldDist_[0] = distance;
            unsigned slot = rd_.Decode(&in_);
            uint32_t length = kLengthBase[slot] + 2;
            if (unsigned bits = kLengthBits[slot]) length += in_.Bits(bits);
            lastLength_ = length;
            CopyString(length, distance);
            continue;
        }
        number -= 263;
        uint32_t distance = kShortBase[number] + 1;
        if (unsigned bits = kShortBits[number]) distance += in_.Bits(bits);
        oldDist_[3] = oldDist_[2];
        oldDist_[2] = oldDist_[1];
        oldDist_[1] = oldDist_[0];
        oldDist_[0] = distance;
        lastLength_ = 2;
        CopyString(2, distance);
    }
    FinishEntry();
    return kOk;
}

}  // namespace rar4
}  // namespace fyxrar
