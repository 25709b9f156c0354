// Bit input over an entry's packed bytes, read most significant bit first,
// and the canonical Huffman tables all RAR 1.5-4.x decoders share.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

namespace fyxrar {
namespace rar4 {

// Supplies an entry's packed bytes (already decrypted, across volumes).
class PackedSource {
public:
    virtual ~PackedSource() {}
    // Up to `size` bytes; 0 at the end of the packed data or on an error.
    virtual size_t ReadPacked(uint8_t* buffer, size_t size) = 0;
};

class BitInput {
public:
    BitInput();
    void Start(PackedSource* source);
    // Keeps at least kLookAhead readable bytes ahead, refilling from the source.
    void Fill() {
        if (pos_ + kLookAhead > end_ && !done_) Refill();
    }
    // The next 16 bits (zeros after the end of the data).
    uint32_t Peek16() const {
        // Four bytes at once, which compilers turn into one load and a swap.
        const uint8_t* b = buf_.data() + pos_;
        uint32_t v = ((uint32_t)b[0] << 24) | ((uint32_t)b[1] << 16) | ((uint32_t)b[2] << 8) | b[3];
        return (v >> (16 - bit_)) & 0xFFFF;
    }
    void Skip(unsigned bits) {
        bit_ += bits;
        pos_ += bit_ >> 3;
        bit_ &= 7;
    }
    uint32_t Bits(unsigned n) {  // n <= 16
        uint32_t v = Peek16() >> (16 - n);
        Skip(n);
        return v;
    }
    void AlignToByte() {
        if (bit_) {
            bit_ = 0;
            ++pos_;
        }
    }
    uint8_t Byte() {  // at a byte boundary
        Fill();
        return buf_[pos_++];
    }
    // True once reading has gone past the end of the packed data.
    bool Overrun() const { return done_ && pos_ > end_; }
    // Past the end by more than a range decoder may read ahead.
    bool FarOverrun() const { return done_ && pos_ > end_ + kSlack; }
    // At least `n` unread bytes remain (always true while more may come).
    bool HasBytes(size_t n) const { return !done_ || pos_ + n <= end_; }

    static const size_t kLookAhead = 64;

private:
    void Refill();
    static const size_t kChunk = 1 << 16;
    static const size_t kSlack = 16;
    std::vector<uint8_t> buf_;
    PackedSource* source_;
    size_t pos_, end_, dirty_;
    unsigned bit_;
    bool done_;
};

// Decode table of one canonical Huffman code (code lengths 1..15).
class HuffmanTable {
public:
    // An empty table decodes every code as symbol 0, like a damaged one.
    HuffmanTable() : symbols_(1, 0) {}
    // Lengths of `count` symbols (0 = unused); codes as RAR assigns them.
    void Build(const uint8_t* lengths, unsigned count);
    unsigned Decode(BitInput* in) const {
        uint32_t field = in->Peek16() & 0xFFFE;
        uint32_t q = quick_[field >> (16 - kQuickBits)];
        if (q & 0xFF) {
            in->Skip(q & 0xFF);
            return q >> 8;
        }
        return DecodeSlow(in, field);
    }

private:
    static const unsigned kQuickBits = 10;
    unsigned DecodeSlow(BitInput* in, uint32_t field) const;
    unsigned Lookup(uint32_t field, unsigned bits) const;
    uint32_t limit_[16] = {};
    uint32_t first_[16] = {};
    std::vector<uint16_t> symbols_;
    unsigned count_ = 0;
    uint32_t quick_[1 << kQuickBits] = {};
};

}  // namespace rar4
}  // namespace fyxrar
