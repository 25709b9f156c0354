// Decompression of RAR 2.0 (unpack versions 20, 26) and RAR 2.9 (29, 36)
// data into a sliding window, with the RAR 2.9 standard filters applied on
// the way out. One object keeps the state a solid archive carries from one
// entry to the next.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>

#include <memory>
#include <vector>

#include "rar4_bits.h"
#include "rar4_ppmd.h"
#include "rar_reader.h"

namespace fyxrar {
namespace rar4 {

// Receives an entry's unpacked bytes; false stops the decoder.
class UnpackOutput {
public:
    virtual ~UnpackOutput() {}
    virtual bool Write(const uint8_t* data, size_t size) = 0;
};

enum FilterType { kFilterNone, kFilterE8, kFilterE8E9, kFilterItanium, kFilterDelta, kFilterRgb, kFilterAudio };

// Identifies a RAR 2.9 VM program by its length and CRC32 (kFilterNone if unknown).
FilterType IdentifyFilter(const uint8_t* code, size_t length);

// Runs a standard filter over `mem` (at least 0x40004 bytes) holding the block;
// `r` are the filter's registers (r[4] block length, r[6] file position).
// Returns where the result lies in `mem` and its size in *outSize.
size_t RunFilter(FilterType type, uint8_t* mem, const uint32_t r[7], uint32_t* outSize);

class Unpacker {
public:
    Unpacker();
    ~Unpacker();
    // Decodes one entry. `solid` continues the previous entry's state.
    // kOk when decoding ended normally (the caller checks the CRC);
    // kUnknown when `out` stopped it; kUnknownFormat for a filter program
    // that is not one of the standard ones, or an unsupported version;
    // kNoMemory when the model memory cannot be had.
    Result Unpack(unsigned version, bool solid, uint64_t size, PackedSource* source, UnpackOutput* out);

    static const size_t kWindowSize = 0x400000;

private:
    struct Filter {
        uint64_t start;
        uint32_t length;
        uint32_t r[7];
        FilterType type;
    };
    struct FilterDef {
        FilterType type;
        uint32_t lastLength;
    };
    struct AudioState {
        int k[5], d[4];
        int lastDelta, lastChar;
        unsigned dif[11];
        unsigned byteCount;
    };

    bool Init();
    void ResetWindow();
    void CopyString(uint32_t length, uint32_t distance);
    void PutByte(uint8_t b) { window_[unpPtr_++ & kWindowMask] = b; }
    bool Emit(const uint8_t* data, size_t size);
    bool EmitWindow(uint64_t from, uint64_t to);
    bool Flush();
    void FinishEntry();

    // RAR 2.9.
    Result Unpack29(bool solid);
    void Reset29();
    bool ReadTables29();
    bool ReadEndOfBlock(bool* endOfFile);
    bool ReadFilterLz();
    bool ReadFilterPpm();
    bool AddFilter(unsigned firstByte, const uint8_t* code, size_t length);
    int PpmChar();

    // RAR 2.0.
    Result Unpack20(bool solid);
    void Reset20();
    bool ReadTables20();
    void CopyString20(uint32_t length, uint32_t distance);
    uint8_t DecodeAudio(int delta);

    static const uint64_t kWindowMask = kWindowSize - 1;
    static const size_t kFlushGap = 0x100000;

    struct FreeDeleter {
        void operator()(uint8_t* p) const { free(p); }
    };
    // Not cleared up front: a fresh window holds what was written since it
    // was reset, and zeros beyond (see CopyString).
    std::unique_ptr<uint8_t[], FreeDeleter> window_;
    std::unique_ptr<uint8_t[], FreeDeleter> vmMem_;
    uint64_t unpPtr_ = 0, written_ = 0;
    bool windowZeroed_ = false;
    uint64_t fileSize_ = 0, fileWritten_ = 0;
    UnpackOutput* out_ = nullptr;
    bool stopped_ = false;
    bool unknownFilter_ = false;
    bool noMemory_ = false;
    BitInput in_;

    // RAR 2.9 state.
    HuffmanTable ld_, dd_, ldd_, rd_, bd_;
    uint8_t oldTable29_[404] = {};
    uint32_t oldDist_[4] = {};
    uint32_t lastLength_ = 0;
    uint32_t prevLowDist_ = 0, lowDistRepCount_ = 0;
    bool tablesRead29_ = false;
    bool ppmBlock_ = false;
    int ppmEscape_ = 2;
    PpmModel ppm_;
    std::vector<Filter> pending_;
    std::vector<FilterDef> defs_;
    size_t lastFilter_ = 0;

    // RAR 2.0 state.
    HuffmanTable ld20_, dd20_, rd20_, bd20_, md_[4];
    uint8_t oldTable20_[257 * 4] = {};
    uint32_t oldDist20_[4] = {};
    unsigned oldDistPtr_ = 0;
    uint32_t lastDist20_ = 0, lastLength20_ = 0;
    bool tablesRead20_ = false;
    bool audioBlock_ = false;
    unsigned channels_ = 1, curChannel_ = 0;
    int channelDelta_ = 0;
    AudioState audio_[4] = {};
};

}  // namespace rar4
}  // namespace fyxrar
