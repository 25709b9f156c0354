// RAR 5.0 LZ decoder: compressed blocks, Huffman tables, matches and filters.
#include "rar5_unpack.h"

#include <stdlib.h>
#include <string.h>

#include <new>

namespace fyxrar {

namespace {

const uint32_t kMainCount = 306;
const uint32_t kDistCount = 64;
const uint32_t kDistCount7 = 80;
const uint32_t kLowCount = 16;
const uint32_t kRepCount = 44;
const uint32_t kMaxMatch = 0x1001 + 3;
const uint32_t kMaxFilterBlock = 0x400000;
const size_t kMaxFilters = 8192;
const size_t kBlockPadding = 64;
const uint64_t kNoDistance = ~(uint64_t)0;

enum FilterType { kDelta = 0, kE8 = 1, kE8E9 = 2, kArm = 3 };

// Canonical Huffman code from code lengths (0 = symbol unused).
void BuildTable(HuffTable* t, const uint8_t* lengths, uint32_t count) {
    uint32_t perLength[16] = {};
    for (uint32_t i = 0; i < count; ++i) perLength[lengths[i] & 15]++;
    perLength[0] = 0;
    uint32_t code = 0, index = 0;
    t->firstCode[0] = 0;
    t->firstIndex[0] = 0;
    t->limit[0] = 0;
    for (int len = 1; len < 16; ++len) {
        code = (code + perLength[len - 1]) << 1;
        if (len == 1) code = 0;
        t->firstCode[len] = code;
        t->firstIndex[len] = index;
        uint64_t lim = (uint64_t)(code + perLength[len]) << (16 - len);
        t->limit[len] = lim > 0x10000 ? 0x10000 : (uint32_t)lim;
        index += perLength[len];
    }
    // Symbols sorted by length, then by value.
    uint32_t next[16];
    for (int len = 0; len < 16; ++len) next[len] = t->firstIndex[len];
    for (uint32_t i = 0; i < count; ++i) {
        int len = lengths[i] & 15;
        if (len) t->symbols[next[len]++] = (uint16_t)i;
    }
    t->count = index;
    // Quick table for codes of up to 10 bits: each code fills the entries
    // that start with it; the rest (longer codes) is never looked up.
    memset(t->quick, 0, sizeof(t->quick));
    for (int len = 1; len <= 10; ++len) {
        for (uint32_t k = 0; k < perLength[len]; ++k) {
            uint32_t first = (t->firstCode[len] + k) << (10 - len);
            uint32_t last = first + (1u << (10 - len));
            if (first >= 1024) break;
            if (last > 1024) last = 1024;
            uint16_t entry = (uint16_t)(t->symbols[t->firstIndex[len] + k] | (len << 12));
            for (uint32_t q = first; q < last; ++q) t->quick[q] = entry;
        }
    }
}

inline uint32_t Get32(const uint8_t* p) {
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

inline void Put32(uint8_t* p, uint32_t v) {
    p[0] = (uint8_t)v;
    p[1] = (uint8_t)(v >> 8);
    p[2] = (uint8_t)(v >> 16);
    p[3] = (uint8_t)(v >> 24);
}

uint64_t g_dictionaryLimit = (uint64_t)4 << 30;

}  // namespace

void SetDictionaryLimit(uint64_t bytes) { g_dictionaryLimit = bytes; }

Unpacker::Unpacker()
    : window_(nullptr), windowSize_(0), mask_(0), unpPos_(0), wrPos_(0), haveTables_(false), version7_(false), lastLength_(0),
      bitPos_(0), blockBits_(0), lastBlock_(false), fileStart_(0), fileLimit_(0),
      fileOut_(0), bad_(false) {
    for (int i = 0; i < 4; ++i) oldDist_[i] = kNoDistance;
}

bool Unpacker::Resize(uint64_t size, bool keep) {
    if (size > (uint64_t)(size_t)-1 / 2) return false;
    // calloc: large zeroed blocks come untouched from the system, so a big
    // window costs only what is used of it.
    uint8_t* fresh = (uint8_t*)calloc((size_t)size, 1);
    if (!fresh) return false;
    if (keep && window_) {
        // Move what the old window holds to its place in the new one.
        uint64_t have = unpPos_ < windowSize_ ? unpPos_ : windowSize_;
        if (have > size) have = size;
        for (uint64_t p = unpPos_ - have; p < unpPos_; ++p)
            fresh[(size_t)(p & (size - 1))] = window_[(size_t)(p & mask_)];
    }
    free(window_);
    window_ = fresh;
    windowSize_ = (size_t)size;
    mask_ = size - 1;
    return true;
}

Unpacker::~Unpacker() { free(window_); }

Result Unpacker::Begin(uint64_t dictionary, bool solid, bool version7, uint64_t sizeHint,
                       bool keepFull) {
    if (dictionary > g_dictionaryLimit) return kLargeDictionary;
    // A lone file never looks back further than its own length; twice that
    // leaves room for a filter block pending over the whole file.
    uint64_t want = dictionary;
    if (!keepFull && !solid && sizeHint < dictionary / 2) want = 2 * sizeHint;
    uint64_t size = 0x40000;
    while (size < want) size <<= 1;
    if (solid && !window_) solid = false;
    if (size > windowSize_) {
        if (!Resize(size, solid)) return kNoMemory;
    }
    version7_ = version7;
    if (!solid) {
        haveTables_ = false;
        for (int i = 0; i < 4; ++i) oldDist_[i] = kNoDistance;
        lastLength_ = 0;
    }
    filters_.clear();
    return kOk;
}

uint32_t Unpacker::Peek16() const {
    // Four bytes from the current byte, most significant first; the block
    // buffer is padded so this never reads past it.
    const uint8_t* p = block_.data() + (bitPos_ >> 3);
    uint32_t v = ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3];
    return (v << (bitPos_ & 7)) >> 16;
}

uint32_t Unpacker::Bits(int n) {
    if (n == 0) return 0;
    if (n > 16) {
        uint32_t high = Peek16();
        bitPos_ += 16;
        return (high << (n - 16)) | Bits(n - 16);
    }
    uint32_t v = Peek16() >> (16 - n);
    bitPos_ += n;
    return v;
}

uint64_t Unpacker::Bits64(int n) {
    if (n <= 32) return Bits(n);
    uint64_t high = Bits(n - 32);
    return (high << 32) | Bits(32);
}

uint32_t Unpacker::Decode(const HuffTable& t) {
    uint32_t bits = Peek16();
    if (bits < t.limit[10]) {
        uint16_t q = t.quick[bits >> 6];
        bitPos_ += q >> 12;
        return q & 0xFFF;
    }
    int len = 11;
    while (len < 16 && bits >= t.limit[len]) ++len;
    if (len == 16) {
        bad_ = true;
        bitPos_ += 15;
        return 0;
    }
    bitPos_ += len;
    uint32_t idx = t.firstIndex[len] + ((bits >> (16 - len)) - t.firstCode[len]);
    if (idx >= t.count) {
        bad_ = true;
        return 0;
    }
    return t.symbols[idx];
}

bool Unpacker::ReadBlock(PackedSource* in, Result* error) {
    uint8_t head[5];
    if (!in->ReadExact(head, 2, error)) return false;
    uint8_t flags = head[0];
    int sizeBytes = ((flags >> 3) & 3) + 1;
    *error = kBadData;
    if (sizeBytes == 4) return false;
    if (!in->ReadExact(head + 2, (size_t)sizeBytes, error)) return false;
    uint32_t size = 0;
    uint8_t check = 0x5A ^ flags;
    for (int i = 0; i < sizeBytes; ++i) {
        size |= (uint32_t)head[2 + i] << (8 * i);
        check ^= head[2 + i];
    }
    *error = kBadData;
    if (check != head[1]) return false;
    try {
        block_.resize((size_t)size + kBlockPadding);
    } catch (const std::bad_alloc&) {
        *error = kNoMemory;
        return false;
    }
    if (size > 0 && !in->ReadExact(block_.data(), size, error)) return false;
    memset(block_.data() + size, 0, kBlockPadding);
    blockBits_ = size == 0 ? 0 : (uint64_t)(size - 1) * 8 + (flags & 7) + 1;
    bitPos_ = 0;
    lastBlock_ = (flags & 0x40) != 0;
    *error = kBadData;
    if (flags & 0x80) {
        if (!ReadTables()) return false;
    } else if (!haveTables_) {
        return false;
    }
    return true;
}

bool Unpacker::ReadTables() {
    uint8_t pre[20];
    for (int i = 0; i < 20;) {
        uint8_t len = (uint8_t)Bits(4);
        if (len == 15) {
            uint32_t zeros = Bits(4);
            if (zeros != 0) {
                for (zeros += 2; zeros > 0 && i < 20; --zeros) pre[i++] = 0;
                continue;
            }
        }
        pre[i++] = len;
    }
    HuffTable preTable;
    BuildTable(&preTable, pre, 20);
    const uint32_t distCount = version7_ ? kDistCount7 : kDistCount;
    const uint32_t total = kMainCount + distCount + kLowCount + kRepCount;
    uint8_t lengths[kMainCount + kDistCount7 + kLowCount + kRepCount];
    for (uint32_t i = 0; i < total;) {
        if (bitPos_ > blockBits_) return false;
        uint32_t sym = Decode(preTable);
        if (bad_) return false;
        if (sym < 16) {
            lengths[i++] = (uint8_t)sym;
            continue;
        }
        uint32_t n;
        if (sym == 16 || sym == 18)
            n = 3 + Bits(3);
        else
            n = 11 + Bits(7);
        uint8_t value = 0;
        if (sym < 18) {
            if (i == 0) return false;
            value = lengths[i - 1];
        }
        for (; n > 0 && i < total; --n) lengths[i++] = value;
    }
    if (bitPos_ > blockBits_) return false;
    BuildTable(&main_, lengths, kMainCount);
    BuildTable(&dist_, lengths + kMainCount, distCount);
    BuildTable(&low_, lengths + kMainCount + distCount, kLowCount);
    BuildTable(&rep_, lengths + kMainCount + distCount + kLowCount, kRepCount);
    haveTables_ = true;
    return true;
}

bool Unpacker::ReadFilter() {
    uint64_t value[2];
    for (int k = 0; k < 2; ++k) {
        int n = (int)Bits(2) + 1;
        value[k] = 0;
        for (int i = 0; i < n; ++i) value[k] |= (uint64_t)Bits(8) << (8 * i);
    }
    Filter5 f;
    f.start = unpPos_ + value[0];
    f.type = (uint8_t)Bits(3);
    f.channels = 0;
    if (f.type == kDelta) f.channels = (uint8_t)(Bits(5) + 1);
    // Oversized or unknown filters are dropped, as the format prescribes.
    if (f.type > kArm || value[1] > kMaxFilterBlock || value[1] == 0) return true;
    f.length = (uint32_t)value[1];
    if (filters_.size() >= kMaxFilters) return false;
    filters_.push_back(f);
    return true;
}

void Unpacker::CopyMatch(uint32_t length, uint64_t distance) {
    uint8_t* w = window_;
    size_t size = windowSize_;
    size_t dst = (size_t)(unpPos_ & mask_);
    size_t src = (size_t)((unpPos_ - distance) & mask_);
    unpPos_ += length;
    if (dst + length <= size && src + length <= size) {
        if (src > dst) {
            // Looking back past the start of the data: the source lies ahead
            // in the buffer and is not reached by what is written.
            memmove(w + dst, w + src, length);
        } else if (distance >= length) {
            memcpy(w + dst, w + src, length);
        } else if (distance >= 8) {
            // Overlapping, but eight bytes at a time stay behind the source.
            uint32_t i = 0;
            for (; i + 8 <= length; i += 8) memcpy(w + dst + i, w + src + i, 8);
            for (; i < length; ++i) w[dst + i] = w[src + i];
        } else {
            for (uint32_t i = 0; i < length; ++i) w[dst + i] = w[src + i];
        }
        return;
    }
    for (uint32_t i = 0; i < length; ++i) {
        w[dst] = w[src];
        dst = (dst + 1) & (size_t)mask_;
        src = (src + 1) & (size_t)mask_;
    }
}

void Unpacker::ApplyFilter(const Filter5& f, uint8_t* data, uint64_t fileOffset) {
    uint32_t size = f.length;
    switch (f.type) {
        case kDelta: {
            // Input holds the channels one after another.
            filterBuf_.resize(size);
            uint8_t* out = filterBuf_.data();
            uint32_t src = 0;
            for (uint32_t c = 0; c < f.channels; ++c) {
                uint8_t prev = 0;
                for (uint32_t d = c; d < size; d += f.channels) out[d] = prev = (uint8_t)(prev - data[src++]);
            }
            memcpy(data, out, size);
            break;
        }
        case kE8:
        case kE8E9: {
            const uint32_t kFileSize = 0x1000000;
            for (uint32_t pos = 0; pos + 4 < size;) {
                uint8_t b = data[pos++];
                if (b != 0xE8 && !(f.type == kE8E9 && b == 0xE9)) continue;
                uint32_t offset = (uint32_t)((pos + fileOffset) % kFileSize);
                uint32_t addr = Get32(data + pos);
                if (addr & 0x80000000) {
                    if (((addr + offset) & 0x80000000) == 0) Put32(data + pos, addr + kFileSize);
                } else if ((addr - kFileSize) & 0x80000000) {
                    Put32(data + pos, addr - offset);
                }
                pos += 4;
            }
            break;
        }
        case kArm: {
            for (uint32_t pos = 0; pos + 3 < size; pos += 4) {
                uint8_t* d = data + pos;
                if (d[3] != 0xEB) continue;
                uint32_t v = d[0] | ((uint32_t)d[1] << 8) | ((uint32_t)d[2] << 16);
                v -= (uint32_t)((fileOffset + pos) / 4);
                d[0] = (uint8_t)v;
                d[1] = (uint8_t)(v >> 8);
                d[2] = (uint8_t)(v >> 16);
            }
            break;
        }
    }
}

bool Unpacker::WriteOut(UnpackedSink* out, const uint8_t* data, size_t size) {
    // Bytes past the file's stated size are decoded but not handed on.
    uint64_t left = fileLimit_ - fileOut_;
    size_t n = size < left ? size : (size_t)left;
    fileOut_ += size;
    if (n == 0) return true;
    return out->Put(data, n);
}

Result Unpacker::Flush(UnpackedSink* out, bool final) {
    const uint8_t* w = window_;
    size_t wsize = windowSize_;
    // Hands on the window bytes [wrPos_, end) in at most two pieces.
    auto plain = [&](uint64_t end) -> bool {
        while (wrPos_ < end) {
            size_t at = (size_t)(wrPos_ & mask_);
            uint64_t n = end - wrPos_;
            if (n > wsize - at) n = wsize - at;
            if (!WriteOut(out, w + at, (size_t)n)) return false;
            wrPos_ += n;
        }
        return true;
    };
    size_t next = 0;
    while (next < filters_.size()) {
        const Filter5& f = filters_[next];
        if (f.start < wrPos_) {
            // Starts inside data already handed on: cannot apply.
            ++next;
            continue;
        }
        if (f.start > wrPos_) {
            uint64_t end = f.start < unpPos_ ? f.start : unpPos_;
            if (!plain(end)) return kWriteError;
            if (wrPos_ < f.start) break;
        }
        if (f.start + f.length > unpPos_) break;
        if (f.length > wsize) return kBadData;
        filterBlock_.resize(f.length);
        size_t at = (size_t)(f.start & mask_);
        size_t first = wsize - at < f.length ? wsize - at : f.length;
        memcpy(filterBlock_.data(), w + at, first);
        memcpy(filterBlock_.data() + first, w, f.length - first);
        ApplyFilter(f, filterBlock_.data(), f.start - fileStart_);
        if (!WriteOut(out, filterBlock_.data(), f.length)) return kWriteError;
        wrPos_ += f.length;
        ++next;
    }
    filters_.erase(filters_.begin(), filters_.begin() + next);
    if (filters_.empty() || final) {
        if (!plain(unpPos_)) return kWriteError;
        if (final) filters_.clear();
    }
    return kOk;
}

Result Unpacker::Unpack(PackedSource* in, uint64_t size, bool sizeUnknown, UnpackedSink* out) {
    fileStart_ = unpPos_;
    wrPos_ = unpPos_;
    fileLimit_ = sizeUnknown ? ~(uint64_t)0 : size;
    fileOut_ = 0;
    filters_.clear();
    bad_ = false;
    Result error = kOk;
    if (!ReadBlock(in, &error)) return error;
    const uint64_t fullAt = windowSize_ - kMaxMatch - 16;
    // Output goes on in pieces of a few megabytes, so progress is seen.
    const uint64_t kFlushEvery = 0x400000;
    const uint64_t flushAt = fullAt < kFlushEvery ? fullAt : kFlushEvery;
    for (;;) {
        if (unpPos_ - wrPos_ >= flushAt) {
            Result r = Flush(out, false);
            if (r != kOk) return r;
            // A filter that cannot be applied before the window wraps.
            if (unpPos_ - wrPos_ >= fullAt) return kBadData;
        }
        if (bitPos_ >= blockBits_) {
            if (bitPos_ > blockBits_) return kBadData;
            if (lastBlock_) break;
            if (!ReadBlock(in, &error)) return error;
            continue;
        }
        uint32_t sym = Decode(main_);
        if (sym < 256) {
            window_[(size_t)(unpPos_ & mask_)] = (uint8_t)sym;
            ++unpPos_;
            continue;
        }
        uint32_t length;
        uint64_t distance;
        if (sym >= 262) {
            uint32_t slot = sym - 262;
            if (slot < 8) {
                length = slot + 2;
            } else {
                int b = (int)(slot / 4) - 1;
                length = 2 + ((4 | (slot & 3)) << b) + Bits(b);
            }
            uint32_t dslot = Decode(dist_);
            if (dslot < 4) {
                distance = dslot + 1;
            } else {
                int b = (int)(dslot / 2) - 1;
                distance = 1 + ((uint64_t)(2 | (dslot & 1)) << b);
                if (b >= 4) {
                    if (b > 4) distance += Bits64(b - 4) << 4;
                    distance += Decode(low_);
                } else {
                    distance += Bits(b);
                }
            }
            if (distance > 0x100) ++length;
            if (distance > 0x2000) ++length;
            if (distance > 0x40000) ++length;
            oldDist_[3] = oldDist_[2];
            oldDist_[2] = oldDist_[1];
            oldDist_[1] = oldDist_[0];
            oldDist_[0] = distance;
            lastLength_ = length;
        } else if (sym == 256) {
            if (!ReadFilter()) return kBadData;
            continue;
        } else if (sym == 257) {
            if (lastLength_ == 0) continue;
            length = lastLength_;
            distance = oldDist_[0];
        } else {
            int idx = (int)(sym - 258);
            distance = oldDist_[idx];
            for (int i = idx; i > 0; --i) oldDist_[i] = oldDist_[i - 1];
            oldDist_[0] = distance;
            uint32_t slot = Decode(rep_);
            if (slot < 8) {
                length = slot + 2;
            } else {
                int b = (int)(slot / 4) - 1;
                length = 2 + ((4 | (slot & 3)) << b) + Bits(b);
            }
            lastLength_ = length;
        }
        if (bad_ || distance > windowSize_ || length > kMaxMatch) return kBadData;
        CopyMatch(length, distance);
    }
    if (bad_) return kBadData;
    return Flush(out, true);
}

}  // namespace fyxrar
