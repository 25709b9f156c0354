// Bit input refills and Huffman table construction.
#include "rar4_bits.h"

#include <string.h>

namespace fyxrar {
namespace rar4 {

BitInput::BitInput() : buf_(kChunk + kLookAhead + 2 * kSlack + 8, 0), source_(nullptr), pos_(0), end_(0), dirty_(0), bit_(0), done_(true) {}

void BitInput::Start(PackedSource* source) {
    source_ = source;
    pos_ = end_ = 0;
    bit_ = 0;
    done_ = false;
    Refill();
}

void BitInput::Refill() {
    if (pos_ > end_) {
        // Past the data: nothing left to keep.
        if (done_) return;
        pos_ = end_;
    }
    size_t keep = end_ - pos_;
    memmove(buf_.data(), buf_.data() + pos_, keep);
    pos_ = 0;
    end_ = keep;
    while (!done_ && end_ < kChunk) {
        size_t got = source_ ? source_->ReadPacked(buf_.data() + end_, kChunk - end_) : 0;
        if (got == 0) done_ = true;
        end_ += got;
    }
    // Zeros after the data so that look-ahead past the end reads nothing
    // stale; beyond the furthest byte ever filled they are zero already.
    if (dirty_ > end_) memset(buf_.data() + end_, 0, dirty_ - end_);
    dirty_ = end_;
}

void HuffmanTable::Build(const uint8_t* lengths, unsigned count) {
    unsigned lengthCount[16] = {};
    for (unsigned i = 0; i < count; ++i) lengthCount[lengths[i] & 15]++;
    lengthCount[0] = 0;
    count_ = count;
    symbols_.assign(count ? count : 1, 0);
    // limit_[n]: first left-aligned 16-bit value beyond the codes of length <= n;
    // first_[n]: index of the first symbol with length n.
    uint32_t upper = 0;
    limit_[0] = 0;
    first_[0] = 0;
    for (unsigned n = 1; n < 16; ++n) {
        upper += lengthCount[n];
        limit_[n] = upper << (16 - n);
        upper *= 2;
        first_[n] = first_[n - 1] + lengthCount[n - 1];
    }
    unsigned next[16];
    memcpy(next, first_, sizeof(next));
    for (unsigned i = 0; i < count; ++i) {
        unsigned n = lengths[i] & 15;
        if (n) symbols_[next[n]++] = (uint16_t)i;
    }
    // Codes of length n take the quick entries from limit_[n - 1] up to
    // limit_[n], each symbol a run of 2^(kQuickBits - n) entries; the limits
    // only grow, and an over-full table ends the runs at the table's end.
    const uint32_t quickSize = 1u << kQuickBits;
    uint32_t code = 0;
    for (unsigned n = 1; n <= kQuickBits && code < quickSize; ++n) {
        uint32_t end = limit_[n] >> (16 - kQuickBits);
        if (end > quickSize) end = quickSize;
        unsigned shift = kQuickBits - n;
        uint32_t base = limit_[n - 1] >> (16 - kQuickBits);
        while (code < end) {
            uint32_t index = first_[n] + ((code - base) >> shift);
            uint32_t entry = ((uint32_t)symbols_[index < count_ ? index : 0] << 8) | n;
            uint32_t runEnd = base + ((((code - base) >> shift) + 1) << shift);
            if (runEnd > end) runEnd = end;
            while (code < runEnd) quick_[code++] = entry;
        }
    }
    while (code < quickSize) quick_[code++] = 0;
}

unsigned HuffmanTable::Lookup(uint32_t field, unsigned bits) const {
    uint32_t offset = (field - limit_[bits - 1]) >> (16 - bits);
    uint32_t index = first_[bits] + offset;
    // Damaged tables may point past the symbols: take the first one, as RAR does.
    if (index >= count_) index = 0;
    return symbols_[index];
}

unsigned HuffmanTable::DecodeSlow(BitInput* in, uint32_t field) const {
    unsigned bits = 15;
    for (unsigned n = kQuickBits + 1; n < 15; ++n) {
        if (field < limit_[n]) {
            bits = n;
            break;
        }
    }
    in->Skip(bits);
    return Lookup(field, bits);
}

}  // namespace rar4
}  // namespace fyxrar
