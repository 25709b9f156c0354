// PPMd variant H with RAR's range decoder, as used by RAR 2.9-4.x blocks.
// The model lives in one byte array addressed by 32-bit offsets in 12-byte
// units, so memory use and restarts follow the encoder exactly.
#pragma once

#include <stdint.h>

#include <memory>

#include "rar4_bits.h"

namespace fyxrar {
namespace rar4 {

class PpmModel {
public:
    PpmModel();
    ~PpmModel();
    // Reads the block's flags byte(s) and starts the range decoder.
    // False on invalid parameters or when no model exists to continue.
    // *escape receives a new escape character when the block gives one.
    // *noMemory is set when the model memory cannot be had.
    bool StartBlock(BitInput* in, int* escape, bool* noMemory);
    // Next byte, or -1 on damaged data.
    int DecodeChar();
    void Clear();

private:
    struct State;
    struct Context;

    // Memory.
    uint8_t* Ptr(uint32_t offset) { return heap_ + offset; }
    State* StatePtr(uint32_t offset) { return (State*)(heap_ + offset); }
    Context* Ctx(uint32_t offset) { return (Context*)(heap_ + offset); }
    uint32_t Off(const void* p) const { return (uint32_t)((const uint8_t*)p - heap_); }
    void InitAllocator();
    void InsertNode(uint32_t node, unsigned index);
    uint32_t RemoveNode(unsigned index);
    void SplitBlock(uint32_t block, unsigned oldIndex, unsigned newIndex);
    void GlueFreeBlocks();
    uint32_t AllocUnitsRare(unsigned index);
    uint32_t AllocUnits(unsigned units);
    uint32_t AllocContext();
    uint32_t ExpandUnits(uint32_t old, unsigned oldUnits);
    uint32_t ShrinkUnits(uint32_t old, unsigned oldUnits, unsigned newUnits);
    void FreeUnits(uint32_t block, unsigned units);

    // Model.
    void RestartModel();
    void StartModel(int maxOrder);
    uint32_t CreateSuccessors(bool skip, State* p1);
    void UpdateModel();
    void Rescale(Context* c);
    bool DecodeSymbol1(Context* c);
    void DecodeBinSymbol(Context* c);
    bool DecodeSymbol2(Context* c);
    void Update1(Context* c, State* p);
    void Update2(Context* c, State* p);
    struct See2Data;
    See2Data* MakeEscFreq2(Context* c, unsigned diff);
    void ClearMask();
    bool ValidContext(uint32_t offset) const;

    // Range decoder.
    void InitDecoder();
    uint32_t CurrentCount() { return (code_ - low_) / (range_ /= scale_); }
    uint32_t CurrentShiftCount(unsigned shift) { return (code_ - low_) / (range_ >>= shift); }
    void DecodeRange() {
        low_ += range_ * lowCount_;
        range_ *= highCount_ - lowCount_;
    }
    void Normalize();

    BitInput* in_;
    uint8_t* heap_;
    uint32_t heapSize_;  // model memory as the block asks for it
    uint32_t text_, unitsStart_, loUnit_, hiUnit_, heapEnd_;
    uint32_t freeList_[38];
    unsigned glueCount_;
    uint8_t indexToUnits_[38];
    uint8_t unitsToIndex_[128];

    uint32_t minContext_, maxContext_;
    State* foundState_;
    int numMasked_, initEsc_, orderFall_, maxOrder_, runLength_, initRl_;
    int prevSuccess_, hiBitsFlag_;
    uint8_t escCount_;
    uint8_t charMask_[256];
    uint8_t ns2Index_[256], ns2BsIndex_[256], hb2Flag_[256];
    uint16_t binSumm_[128][64];
    struct See2Data {
        uint16_t summ;
        uint8_t shift, count;
    };
    See2Data see2_[25][16];
    See2Data dummySee2_;

    uint32_t low_, code_, range_;
    uint32_t lowCount_, highCount_, scale_;
};

}  // namespace rar4
}  // namespace fyxrar
