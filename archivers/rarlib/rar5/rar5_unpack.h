// RAR 5.0 decompression: LZ with Huffman tables and the DELTA, E8, E8E9 and
// ARM filters. One Unpacker keeps the dictionary, tables and match history
// from file to file, which solid archives need.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <vector>

#include "rar_reader.h"

namespace fyxrar {

// Packed bytes of one file (already joined over volumes and decrypted).
class PackedSource {
public:
    virtual ~PackedSource() {}
    // Fills exactly `size` bytes; false when the data ends early or fails
    // (*error then says why).
    virtual bool ReadExact(uint8_t* buffer, size_t size, Result* error) = 0;
};

// Receives the unpacked bytes in order; false stops (with *error set by it).
class UnpackedSink {
public:
    virtual ~UnpackedSink() {}
    virtual bool Put(const uint8_t* data, size_t size) = 0;
};

struct HuffTable {
    uint32_t limit[16];    // left-aligned first code after the codes of each length
    uint32_t firstCode[16];
    uint32_t firstIndex[16];
    uint16_t quick[1 << 10];  // symbol | length << 12 for codes up to 10 bits
    uint16_t symbols[306];
    uint32_t count;
};

struct Filter5 {
    uint64_t start;  // absolute position in the decoded stream
    uint32_t length;
    uint8_t type;
    uint8_t channels;
};

// Largest dictionary the unpacker will allocate (default 4 GB, the format's
// limit for its first algorithm); larger ones give kLargeDictionary.
void SetDictionaryLimit(uint64_t bytes);

class Unpacker {
public:
    Unpacker();
    ~Unpacker();
    Unpacker(const Unpacker&) = delete;
    Unpacker& operator=(const Unpacker&) = delete;
    // Prepares for a file: `dictionary` is its window size in bytes, `solid`
    // keeps what earlier files left. Gives kNoMemory / kLargeDictionary.
    // `keepFull` asks for the whole dictionary even when the file is small
    // (solid archives: later files look back into it).
    Result Begin(uint64_t dictionary, bool solid, bool version7, uint64_t sizeHint, bool keepFull);
    // Unpacks one file's data: exactly `size` bytes unless `sizeUnknown`.
    Result Unpack(PackedSource* in, uint64_t size, bool sizeUnknown, UnpackedSink* out);

private:
    bool ReadBlock(PackedSource* in, Result* error);
    bool ReadTables();
    bool Resize(uint64_t size, bool keep);
    bool ReadFilter();
    Result Flush(UnpackedSink* out, bool final);
    bool WriteOut(UnpackedSink* out, const uint8_t* data, size_t size);
    void CopyMatch(uint32_t length, uint64_t distance);
    void ApplyFilter(const Filter5& f, uint8_t* data, uint64_t fileOffset);

    // Bit reading over the current block's bytes (padded with zeros).
    uint32_t Peek16() const;
    uint32_t Bits(int n);  // n <= 32
    uint64_t Bits64(int n);
    uint32_t Decode(const HuffTable& t);

    uint8_t* window_;
    size_t windowSize_;
    uint64_t mask_;
    uint64_t unpPos_;  // bytes decoded, absolute
    uint64_t wrPos_;   // bytes handed on (or dropped after the file's end)
    bool haveTables_;
    bool version7_;
    uint64_t oldDist_[4];
    uint32_t lastLength_;
    std::vector<Filter5> filters_;
    std::vector<uint8_t> filterBuf_;
    std::vector<uint8_t> filterBlock_;

    // Current block.
    std::vector<uint8_t> block_;
    uint64_t bitPos_;
    uint64_t blockBits_;
    bool lastBlock_;

    // Current file.
    uint64_t fileStart_;   // absolute position where this file's data begins
    uint64_t fileLimit_;   // bytes of this file to hand on
    uint64_t fileOut_;     // bytes of this file handed on
    bool bad_;             // a code outside the tables was met

    HuffTable main_, dist_, low_, rep_;
};

}  // namespace fyxrar
