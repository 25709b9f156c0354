// Bit input refills and Huffman table construction.
#include "rar4_bits.h"

#include <string.h>

namespace fyxrar {
namespace rar4 {

BitInput::BitInput() : buf_(kChunk + kLookAhead + 2 * kSlack + 8, 0), source_(nullptr), pos_(0), end_(0), bit_(0), done_(true) {}

void BitInput::Start(PackedSource* source) {
    source_ = source;
    pos_ = end_ = 0;
    bit_ = 0;
    done_ = false;
    memset(buf_.data(), 0, buf_.size());
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
    // Zeros after the data so that look-ahead past the end reads nothing stale.
    memset(buf_.data() + end_, 0, buf_.size() - end_);
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
    for (uint32_t code = 0; code < (1u << kQuickBits); ++code) {
        uint32_t field = code << (16 - kQuickBits);
        unsigned bits = 0;
        for (unsigned n = 1; n <= kQuickBits; ++n) {
            if (field < limit_[n]) {
                bits = n;
                break;
            }
        }
        quick_[code] = bits ? (Lookup(field, bits) << 8) | bits : 0;
    }
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
