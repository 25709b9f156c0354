// Memory of the PPMd model: 12-byte units handed out from both ends of one
// array, free lists by size, and glueing of neighbouring free blocks. Its
// exact behaviour decides when the model restarts, so it follows the
// encoder's allocator step by step.
#include <string.h>

#include "rar4_ppmd.h"
#include "rar4_ppmd_units.h"

namespace fyxrar {
namespace rar4 {

namespace {

// Free blocks while glueing: stamp, size in units, list links.
struct FreeBlock {
    uint16_t stamp;
    uint16_t nu;
    uint16_t nextLow, nextHigh;
    uint16_t prevLow, prevHigh;
};

uint32_t Join(uint16_t low, uint16_t high) { return low | ((uint32_t)high << 16); }

}  // namespace

void PpmModel::InitAllocator() {
    memset(freeList_, 0, sizeof(freeList_));
    text_ = kHeapStart;
    uint32_t size2 = kUnitSize * (heapSize_ / 8 / kUnitSize * 7);
    uint32_t size1 = heapSize_ - size2;
    unitsStart_ = loUnit_ = kHeapStart + size1;
    hiUnit_ = loUnit_ + size2;
    heapEnd_ = kHeapStart + heapSize_;
    glueCount_ = 0;
    memset(heap_ + heapEnd_, 0, kHeapTail);
}

void PpmModel::InsertNode(uint32_t node, unsigned index) {
    FreeBlock* b = (FreeBlock*)Ptr(node);
    b->nextLow = (uint16_t)freeList_[index];
    b->nextHigh = (uint16_t)(freeList_[index] >> 16);
    freeList_[index] = node;
}

uint32_t PpmModel::RemoveNode(unsigned index) {
    uint32_t node = freeList_[index];
    FreeBlock* b = (FreeBlock*)Ptr(node);
    freeList_[index] = Join(b->nextLow, b->nextHigh);
    return node;
}

void PpmModel::SplitBlock(uint32_t block, unsigned oldIndex, unsigned newIndex) {
    unsigned diff = indexToUnits_[oldIndex] - indexToUnits_[newIndex];
    uint32_t p = block + kUnitSize * indexToUnits_[newIndex];
    unsigned i = unitsToIndex_[diff - 1];
    if (indexToUnits_[i] != diff) {
        unsigned k = indexToUnits_[--i];
        InsertNode(p + kUnitSize * k, diff - k - 1);
    }
    InsertNode(p, i);
}

void PpmModel::GlueFreeBlocks() {
    // A doubly linked ring of all free blocks, headed by a node outside the heap
    // area in use (the unit just before the heap start).
    const uint32_t head = 0;
    FreeBlock* h = (FreeBlock*)Ptr(head);
    auto setNext = [](FreeBlock* b, uint32_t v) {
        b->nextLow = (uint16_t)v;
        b->nextHigh = (uint16_t)(v >> 16);
    };
    auto setPrev = [](FreeBlock* b, uint32_t v) {
        b->prevLow = (uint16_t)v;
        b->prevHigh = (uint16_t)(v >> 16);
    };
    setNext(h, head);
    setPrev(h, head);
    if (loUnit_ != hiUnit_) heap_[loUnit_] = 0;
    for (unsigned i = 0; i < kIndexCount; ++i) {
        while (freeList_[i]) {
            uint32_t p = RemoveNode(i);
            FreeBlock* b = (FreeBlock*)Ptr(p);
            // Insert right after the head.
            uint32_t next = Join(h->nextLow, h->nextHigh);
            setPrev(b, head);
            setNext(b, next);
            setPrev((FreeBlock*)Ptr(next), p);
            setNext(h, p);
            b->stamp = 0xFFFF;
            b->nu = indexToUnits_[i];
        }
    }
    for (uint32_t p = Join(h->nextLow, h->nextHigh); p != head;) {
        FreeBlock* b = (FreeBlock*)Ptr(p);
        for (;;) {
            uint32_t q = p + kUnitSize * b->nu;
            FreeBlock* b1 = (FreeBlock*)Ptr(q);
            if (b1->stamp != 0xFFFF || (unsigned)b->nu + b1->nu >= 0x10000) break;
            uint32_t prev = Join(b1->prevLow, b1->prevHigh), next = Join(b1->nextLow, b1->nextHigh);
            setNext((FreeBlock*)Ptr(prev), next);
            setPrev((FreeBlock*)Ptr(next), prev);
            b->nu = (uint16_t)(b->nu + b1->nu);
        }
        p = Join(b->nextLow, b->nextHigh);
    }
    for (;;) {
        uint32_t p = Join(h->nextLow, h->nextHigh);
        if (p == head) break;
        FreeBlock* b = (FreeBlock*)Ptr(p);
        uint32_t prev = Join(b->prevLow, b->prevHigh), next = Join(b->nextLow, b->nextHigh);
        setNext((FreeBlock*)Ptr(prev), next);
        setPrev((FreeBlock*)Ptr(next), prev);
        unsigned sz = b->nu;
        for (; sz > 128; sz -= 128, p += 128 * kUnitSize) InsertNode(p, kIndexCount - 1);
        unsigned i = unitsToIndex_[sz - 1];
        if (indexToUnits_[i] != sz) {
            unsigned k = sz - indexToUnits_[--i];
            InsertNode(p + kUnitSize * (sz - k), k - 1);
        }
        InsertNode(p, i);
    }
}

uint32_t PpmModel::AllocUnitsRare(unsigned index) {
    if (glueCount_ == 0) {
        glueCount_ = 255;
        GlueFreeBlocks();
        if (freeList_[index]) return RemoveNode(index);
    }
    unsigned i = index;
    do {
        if (++i == kIndexCount) {
            glueCount_--;
            uint32_t bytes = kUnitSize * indexToUnits_[index];
            if (unitsStart_ - text_ > bytes) {
                unitsStart_ -= bytes;
                return unitsStart_;
            }
            return 0;
        }
    } while (!freeList_[i]);
    uint32_t block = RemoveNode(i);
    SplitBlock(block, i, index);
    return block;
}

uint32_t PpmModel::AllocUnits(unsigned units) {
    unsigned index = unitsToIndex_[units - 1];
    if (freeList_[index]) return RemoveNode(index);
    uint32_t block = loUnit_;
    uint32_t bytes = kUnitSize * indexToUnits_[index];
    if (hiUnit_ - loUnit_ >= bytes) {
        loUnit_ += bytes;
        return block;
    }
    return AllocUnitsRare(index);
}

uint32_t PpmModel::AllocContext() {
    if (hiUnit_ != loUnit_) return hiUnit_ -= kUnitSize;
    if (freeList_[0]) return RemoveNode(0);
    return AllocUnitsRare(0);
}

uint32_t PpmModel::ExpandUnits(uint32_t old, unsigned oldUnits) {
    unsigned i0 = unitsToIndex_[oldUnits - 1], i1 = unitsToIndex_[oldUnits];
    if (i0 == i1) return old;
    uint32_t p = AllocUnits(oldUnits + 1);
    if (p) {
        memcpy(Ptr(p), Ptr(old), kUnitSize * oldUnits);
        InsertNode(old, i0);
    }
    return p;
}

uint32_t PpmModel::ShrinkUnits(uint32_t old, unsigned oldUnits, unsigned newUnits) {
    unsigned i0 = unitsToIndex_[oldUnits - 1], i1 = unitsToIndex_[newUnits - 1];
    if (i0 == i1) return old;
    if (freeList_[i1]) {
        uint32_t p = RemoveNode(i1);
        memcpy(Ptr(p), Ptr(old), kUnitSize * newUnits);
        InsertNode(old, i0);
        return p;
    }
    SplitBlock(old, i0, i1);
    return old;
}

void PpmModel::FreeUnits(uint32_t block, unsigned units) { InsertNode(block, unitsToIndex_[units - 1]); }

}  // namespace rar4
}  // namespace fyxrar
