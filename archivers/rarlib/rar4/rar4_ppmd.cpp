// PPMd variant H model and RAR's range decoder.
#include "rar4_ppmd.h"
#include "rar4_ppmd_units.h"

#include <stdlib.h>
#include <string.h>

#include <new>

namespace fyxrar {
namespace rar4 {

namespace {

const unsigned kMaxOrder = 64;
const int kMaxFreq = 124;
const unsigned kIntervalBits = 7;
const unsigned kPeriodBits = 7;
const unsigned kTotalBits = kIntervalBits + kPeriodBits;
const unsigned kInterval = 1 << kIntervalBits;
const unsigned kBinScale = 1 << kTotalBits;
const uint32_t kTop = 1 << 24;
const uint32_t kBottom = 1 << 15;

const uint8_t kExpEscape[16] = {25, 14, 9, 7, 5, 5, 4, 4, 4, 3, 3, 3, 2, 2, 2, 2};
const uint16_t kInitBinEsc[8] = {0x3CDD, 0x1F3F, 0x59BF, 0x48F3, 0x64A1, 0x5ABC, 0x6632, 0x6051};

}  // namespace

// 6 bytes, 2-byte aligned: symbol, frequency, successor offset in halves.
struct PpmModel::State {
    uint8_t symbol;
    uint8_t freq;
    uint16_t succLow;
    uint16_t succHigh;
    uint32_t Successor() const { return succLow | ((uint32_t)succHigh << 16); }
    void SetSuccessor(uint32_t v) {
        succLow = (uint16_t)v;
        succHigh = (uint16_t)(v >> 16);
    }
};

// 12 bytes; with one symbol its state sits at byte 2 (over summFreq and stats).
struct PpmModel::Context {
    uint16_t numStats;
    uint16_t summFreq;
    uint16_t statsLow, statsHigh;
    uint16_t suffixLow, suffixHigh;
    uint32_t Stats() const { return statsLow | ((uint32_t)statsHigh << 16); }
    void SetStats(uint32_t v) {
        statsLow = (uint16_t)v;
        statsHigh = (uint16_t)(v >> 16);
    }
    uint32_t Suffix() const { return suffixLow | ((uint32_t)suffixHigh << 16); }
    void SetSuffix(uint32_t v) {
        suffixLow = (uint16_t)v;
        suffixHigh = (uint16_t)(v >> 16);
    }
    State* OneState() { return (State*)&summFreq; }
};

PpmModel::PpmModel() : in_(nullptr), heap_(nullptr), heapSize_(0), minContext_(0), maxContext_(0), foundState_(nullptr) {
    unsigned i, k;
    for (i = 0, k = 1; i < kIndexCount; ++i) {
        indexToUnits_[i] = (uint8_t)k;
        k += i < 3 ? 1 : (i < 7 ? 2 : (i < 11 ? 3 : 4));
    }
    for (k = 0, i = 0; k < 128; ++k) {
        i += indexToUnits_[i] < k + 1;
        unitsToIndex_[k] = (uint8_t)i;
    }
    numMasked_ = initEsc_ = orderFall_ = maxOrder_ = runLength_ = initRl_ = prevSuccess_ = hiBitsFlag_ = 0;
    escCount_ = 0;
    low_ = code_ = range_ = lowCount_ = highCount_ = scale_ = 0;
}

PpmModel::~PpmModel() { free(heap_); }

void PpmModel::Clear() {
    // The memory is kept for the next reset; only the model is gone.
    minContext_ = maxContext_ = 0;
    foundState_ = nullptr;
}

// ---- model --------------------------------------------------------------

void PpmModel::ClearMask() {
    escCount_ = 1;
    memset(charMask_, 0, sizeof(charMask_));
}

void PpmModel::RestartModel() {
    memset(charMask_, 0, sizeof(charMask_));
    InitAllocator();
    initRl_ = -(maxOrder_ < 12 ? maxOrder_ : 12) - 1;
    minContext_ = maxContext_ = AllocContext();
    Context* c = Ctx(minContext_);
    c->SetSuffix(0);
    orderFall_ = maxOrder_;
    c->numStats = 256;
    c->summFreq = 257;
    uint32_t stats = AllocUnits(256 / 2);
    c->SetStats(stats);
    foundState_ = StatePtr(stats);
    runLength_ = initRl_;
    prevSuccess_ = 0;
    for (unsigned i = 0; i < 256; ++i) {
        State* s = foundState_ + i;
        s->symbol = (uint8_t)i;
        s->freq = 1;
        s->SetSuccessor(0);
    }
    for (unsigned i = 0; i < 128; ++i)
        for (unsigned k = 0; k < 8; ++k)
            for (unsigned m = 0; m < 64; m += 8) binSumm_[i][k + m] = (uint16_t)(kBinScale - kInitBinEsc[k] / (i + 2));
    for (unsigned i = 0; i < 25; ++i)
        for (unsigned k = 0; k < 16; ++k) {
            see2_[i][k].shift = kPeriodBits - 4;
            see2_[i][k].summ = (uint16_t)((5 * i + 10) << see2_[i][k].shift);
            see2_[i][k].count = 4;
        }
}

void PpmModel::StartModel(int maxOrder) {
    escCount_ = 1;
    maxOrder_ = maxOrder;
    RestartModel();
    ns2BsIndex_[0] = 2 * 0;
    ns2BsIndex_[1] = 2 * 1;
    memset(ns2BsIndex_ + 2, 2 * 2, 9);
    memset(ns2BsIndex_ + 11, 2 * 3, 256 - 11);
    unsigned i, k, m, step;
    for (i = 0; i < 3; ++i) ns2Index_[i] = (uint8_t)i;
    for (m = i, k = step = 1; i < 256; ++i) {
        ns2Index_[i] = (uint8_t)m;
        if (!--k) {
            k = ++step;
            m++;
        }
    }
    memset(hb2Flag_, 0, 0x40);
    memset(hb2Flag_ + 0x40, 0x08, 0x100 - 0x40);
    dummySee2_.shift = kPeriodBits;
    dummySee2_.summ = 0;
    dummySee2_.count = 0;
}

bool PpmModel::ValidContext(uint32_t offset) const { return offset > text_ && offset <= heapEnd_; }

uint32_t PpmModel::CreateSuccessors(bool skip, State* p1) {
    uint32_t pc = minContext_;
    uint32_t upBranch = foundState_->Successor();
    State* ps[kMaxOrder];
    unsigned n = 0;
    State* p = nullptr;
    bool fromP1 = p1 != nullptr;
    if (!skip) {
        ps[n++] = foundState_;
        if (!Ctx(pc)->Suffix()) goto done;
    }
    for (;;) {
        if (fromP1) {
            p = p1;
            pc = Ctx(pc)->Suffix();
            fromP1 = false;
        } else {
            uint32_t up = Ctx(pc)->Suffix();
            if (!up) break;
            pc = up;
            Context* c = Ctx(pc);
            if (c->numStats != 1) {
                p = StatePtr(c->Stats());
                State* end = p + c->numStats;
                while (p != end && p->symbol != foundState_->symbol) ++p;
                if (p == end) return 0;
            } else {
                p = c->OneState();
            }
        }
        if (p->Successor() != upBranch) {
            pc = p->Successor();
            break;
        }
        if (n >= kMaxOrder) return 0;
        ps[n++] = p;
        if (!Ctx(pc)->Suffix()) break;
    }
done:
    if (n == 0) return pc;
    if (upBranch <= kHeapStart - 1 || upBranch >= heapEnd_) return 0;
    State up;
    up.symbol = heap_[upBranch];
    up.SetSuccessor(upBranch + 1);
    {
        Context* c = Ctx(pc);
        if (c->numStats != 1) {
            if (pc <= text_) return 0;
            State* s = StatePtr(c->Stats());
            State* end = s + c->numStats;
            while (s != end && s->symbol != up.symbol) ++s;
            if (s == end) return 0;
            unsigned cf = s->freq - 1;
            unsigned s0 = c->summFreq - c->numStats - cf;
            if (s0 == 0) s0 = 1;
            up.freq = (uint8_t)(1 + ((2 * cf <= s0) ? (5 * cf > s0) : ((2 * cf + 3 * s0 - 1) / (2 * s0))));
        } else {
            up.freq = c->OneState()->freq;
        }
    }
    do {
        uint32_t child = AllocContext();
        if (!child) return 0;
        Context* c = Ctx(child);
        c->numStats = 1;
        *c->OneState() = up;
        c->SetSuffix(pc);
        ps[--n]->SetSuccessor(child);
        pc = child;
    } while (n);
    return pc;
}

void PpmModel::UpdateModel() {
    State fs = *foundState_;
    State* p = nullptr;
    Context* mc = Ctx(minContext_);
    uint32_t suffix = mc->Suffix();
    if (fs.freq < kMaxFreq / 4 && suffix) {
        Context* pc = Ctx(suffix);
        if (pc->numStats != 1) {
            p = StatePtr(pc->Stats());
            if (p->symbol != fs.symbol) {
                State* end = p + pc->numStats;
                do {
                    ++p;
                } while (p != end && p->symbol != fs.symbol);
                if (p == end) goto restart;
                if (p[0].freq >= p[-1].freq) {
                    State t = p[0];
                    p[0] = p[-1];
                    p[-1] = t;
                    --p;
                }
            }
            if (p->freq < kMaxFreq - 9) {
                p->freq += 2;
                pc->summFreq += 2;
            }
        } else {
            p = pc->OneState();
            p->freq += (p->freq < 32);
        }
    }
    if (!orderFall_) {
        minContext_ = maxContext_ = CreateSuccessors(true, p);
        foundState_->SetSuccessor(minContext_);
        if (!minContext_) goto restart;
        return;
    }
    {
        heap_[text_++] = fs.symbol;
        uint32_t successor = text_;
        if (text_ >= unitsStart_) goto restart;
        if (fs.Successor()) {
            if (fs.Successor() <= text_) {
                uint32_t s = CreateSuccessors(false, p);
                fs.SetSuccessor(s);
                if (!s) goto restart;
            }
            if (!--orderFall_) {
                successor = fs.Successor();
                text_ -= (maxContext_ != minContext_);
            }
        } else {
            foundState_->SetSuccessor(successor);
            fs.SetSuccessor(minContext_);
        }
        unsigned ns = mc->numStats;
        unsigned s0 = mc->summFreq - ns - (fs.freq - 1);
        for (uint32_t pcOff = maxContext_; pcOff != minContext_; pcOff = Ctx(pcOff)->Suffix()) {
            Context* pc = Ctx(pcOff);
            unsigned ns1 = pc->numStats;
            if (ns1 != 1) {
                if ((ns1 & 1) == 0) {
                    uint32_t stats = ExpandUnits(pc->Stats(), ns1 >> 1);
                    if (!stats) goto restart;
                    pc->SetStats(stats);
                }
                pc->summFreq = (uint16_t)(pc->summFreq + (2 * ns1 < ns) + 2 * ((4 * ns1 <= ns) & (pc->summFreq <= 8 * ns1)));
            } else {
                uint32_t stats = AllocUnits(1);
                if (!stats) goto restart;
                State* s = StatePtr(stats);
                *s = *pc->OneState();
                pc->SetStats(stats);
                if (s->freq < kMaxFreq / 4 - 1)
                    s->freq += s->freq;
                else
                    s->freq = kMaxFreq - 4;
                pc->summFreq = (uint16_t)(s->freq + initEsc_ + (ns > 3));
            }
            unsigned cf = 2 * fs.freq * (pc->summFreq + 6);
            unsigned sf = s0 + pc->summFreq;
            if (cf < 6 * sf) {
                cf = 1 + (cf > sf) + (cf >= 4 * sf);
                pc->summFreq += 3;
            } else {
                cf = 4 + (cf >= 9 * sf) + (cf >= 12 * sf) + (cf >= 15 * sf);
                pc->summFreq = (uint16_t)(pc->summFreq + cf);
            }
            State* s = StatePtr(pc->Stats()) + ns1;
            s->SetSuccessor(successor);
            s->symbol = fs.symbol;
            s->freq = (uint8_t)cf;
            pc->numStats = (uint16_t)++ns1;
        }
        maxContext_ = minContext_ = fs.Successor();
        return;
    }
restart:
    RestartModel();
    escCount_ = 0;
}

void PpmModel::Rescale(Context* c) {
    int oldNs = c->numStats, i = c->numStats - 1, adder, escFreq;
    State* stats = StatePtr(c->Stats());
    State *p, *p1;
    for (p = foundState_; p != stats; --p) {
        State t = p[0];
        p[0] = p[-1];
        p[-1] = t;
    }
    stats->freq += 4;
    c->summFreq += 4;
    escFreq = c->summFreq - p->freq;
    adder = (orderFall_ != 0);
    p->freq = (uint8_t)((p->freq + adder) >> 1);
    c->summFreq = p->freq;
    do {
        escFreq -= (++p)->freq;
        p->freq = (uint8_t)((p->freq + adder) >> 1);
        c->summFreq += p->freq;
        if (p[0].freq > p[-1].freq) {
            State t = *(p1 = p);
            do {
                p1[0] = p1[-1];
            } while (--p1 != stats && t.freq > p1[-1].freq);
            *p1 = t;
        }
    } while (--i);
    if (p->freq == 0) {
        do {
            i++;
        } while ((--p)->freq == 0);
        escFreq += i;
        c->numStats = (uint16_t)(c->numStats - i);
        if (c->numStats == 1) {
            State t = *stats;
            do {
                t.freq = (uint8_t)(t.freq - (t.freq >> 1));
                escFreq >>= 1;
            } while (escFreq > 1);
            FreeUnits(Off(stats), (oldNs + 1) >> 1);
            *(foundState_ = c->OneState()) = t;
            return;
        }
    }
    escFreq -= escFreq >> 1;
    c->summFreq = (uint16_t)(c->summFreq + escFreq);
    int n0 = (oldNs + 1) >> 1, n1 = (c->numStats + 1) >> 1;
    if (n0 != n1) c->SetStats(ShrinkUnits(Off(stats), n0, n1));
    foundState_ = StatePtr(c->Stats());
}

void PpmModel::Update1(Context* c, State* p) {
    (foundState_ = p)->freq += 4;
    c->summFreq += 4;
    if (p[0].freq > p[-1].freq) {
        State t = p[0];
        p[0] = p[-1];
        p[-1] = t;
        foundState_ = --p;
        if (p->freq > kMaxFreq) Rescale(c);
    }
}

void PpmModel::Update2(Context* c, State* p) {
    (foundState_ = p)->freq += 4;
    c->summFreq += 4;
    if (p->freq > kMaxFreq) Rescale(c);
    escCount_++;
    runLength_ = initRl_;
}

bool PpmModel::DecodeSymbol1(Context* c) {
    scale_ = c->summFreq;
    State* p = StatePtr(c->Stats());
    int hiCnt;
    uint32_t count = CurrentCount();
    if (count >= scale_) return false;
    if ((int)count < (hiCnt = p->freq)) {
        prevSuccess_ = (2 * (highCount_ = hiCnt) > scale_);
        runLength_ += prevSuccess_;
        (foundState_ = p)->freq = (uint8_t)(hiCnt += 4);
        c->summFreq += 4;
        if (hiCnt > kMaxFreq) Rescale(c);
        lowCount_ = 0;
        return true;
    }
    if (!foundState_) return false;
    prevSuccess_ = 0;
    int i = c->numStats - 1;
    while ((hiCnt += (++p)->freq) <= (int)count) {
        if (--i == 0) {
            hiBitsFlag_ = hb2Flag_[foundState_->symbol];
            lowCount_ = hiCnt;
            charMask_[p->symbol] = escCount_;
            i = (numMasked_ = c->numStats) - 1;
            foundState_ = nullptr;
            do {
                charMask_[(--p)->symbol] = escCount_;
            } while (--i);
            highCount_ = scale_;
            return true;
        }
    }
    lowCount_ = (highCount_ = hiCnt) - p->freq;
    Update1(c, p);
    return true;
}

void PpmModel::DecodeBinSymbol(Context* c) {
    State* rs = c->OneState();
    hiBitsFlag_ = hb2Flag_[foundState_->symbol];
    unsigned freqIndex = rs->freq - 1u;
    if (freqIndex > 127) freqIndex = 127;
    uint16_t& bs = binSumm_[freqIndex][prevSuccess_ + ns2BsIndex_[Ctx(c->Suffix())->numStats - 1] + hiBitsFlag_ +
                                       2 * hb2Flag_[rs->symbol] + ((runLength_ >> 26) & 0x20)];
    if (CurrentShiftCount(kTotalBits) < bs) {
        foundState_ = rs;
        rs->freq += (rs->freq < 128);
        lowCount_ = 0;
        highCount_ = bs;
        bs = (uint16_t)(bs + kInterval - ((bs + (1 << (kPeriodBits - 2))) >> kPeriodBits));
        prevSuccess_ = 1;
        runLength_++;
    } else {
        lowCount_ = bs;
        bs = (uint16_t)(bs - ((bs + (1 << (kPeriodBits - 2))) >> kPeriodBits));
        highCount_ = kBinScale;
        initEsc_ = kExpEscape[bs >> 10];
        numMasked_ = 1;
        charMask_[rs->symbol] = escCount_;
        prevSuccess_ = 0;
        foundState_ = nullptr;
    }
}

PpmModel::See2Data* PpmModel::MakeEscFreq2(Context* c, unsigned diff) {
    if (c->numStats != 256) {
        See2Data* s = see2_[ns2Index_[diff - 1]] + ((int)diff < (int)Ctx(c->Suffix())->numStats - (int)c->numStats) +
                      2 * (c->summFreq < 11 * c->numStats) + 4 * (numMasked_ > (int)diff) + hiBitsFlag_;
        unsigned r = s->summ >> s->shift;
        s->summ = (uint16_t)(s->summ - r);
        scale_ = r + (r == 0);
        return s;
    }
    scale_ = 1;
    return &dummySee2_;
}

bool PpmModel::DecodeSymbol2(Context* c) {
    int i = c->numStats - numMasked_;
    if (i <= 0) return false;
    See2Data* see = MakeEscFreq2(c, (unsigned)i);
    if (c->numStats > 256) return false;
    State* ps[256];
    State** pps = ps;
    State* p = StatePtr(c->Stats());
    State* end = p + c->numStats;
    // The unmasked states in order, without a branch per state.
    int hiCnt = 0;
    for (; p != end; ++p) {
        int unmasked = charMask_[p->symbol] != escCount_;
        *pps = p;
        pps += unmasked;
        hiCnt += p->freq & -unmasked;
    }
    if (pps - ps < i) return false;
    if (pps - ps > i) {
        // More than the model expects: only the first `i` count.
        pps = ps + i;
        hiCnt = 0;
        for (State** q = ps; q != pps; ++q) hiCnt += (*q)->freq;
    }
    scale_ += hiCnt;
    uint32_t count = CurrentCount();
    if (count >= scale_) return false;
    State** last = pps;
    p = *(pps = ps);
    if ((int)count < hiCnt) {
        hiCnt = 0;
        while ((hiCnt += p->freq) <= (int)count) {
            if (++pps >= last) return false;
            p = *pps;
        }
        lowCount_ = (highCount_ = hiCnt) - p->freq;
        if (see->shift < kPeriodBits && --see->count == 0) {
            see->summ = (uint16_t)(see->summ + see->summ);
            see->count = (uint8_t)(3 << see->shift++);
        }
        Update2(c, p);
    } else {
        lowCount_ = hiCnt;
        highCount_ = scale_;
        for (State** q = ps; q != last; ++q) charMask_[(*q)->symbol] = escCount_;
        see->summ = (uint16_t)(see->summ + scale_);
        numMasked_ = c->numStats;
    }
    return true;
}

// ---- range decoder and driver -------------------------------------------

void PpmModel::InitDecoder() {
    low_ = code_ = 0;
    range_ = 0xFFFFFFFF;
    for (int i = 0; i < 4; ++i) code_ = (code_ << 8) | in_->Byte();
}

void PpmModel::Normalize() {
    for (;;) {
        if ((low_ ^ (low_ + range_)) >= kTop) {
            if (range_ >= kBottom) break;
            range_ = (0u - low_) & (kBottom - 1);
        }
        code_ = (code_ << 8) | in_->Byte();
        range_ <<= 8;
        low_ <<= 8;
    }
}

bool PpmModel::StartBlock(BitInput* in, int* escape, bool* noMemory) {
    in_ = in;
    *noMemory = false;
    int maxOrder = in->Byte();
    bool reset = (maxOrder & 0x20) != 0;
    unsigned maxMb = 0;
    if (reset)
        maxMb = in->Byte();
    else if (!minContext_)
        return false;
    if (maxOrder & 0x40) *escape = in->Byte();
    InitDecoder();
    if (reset) {
        maxOrder = (maxOrder & 0x1F) + 1;
        if (maxOrder > 16) maxOrder = 16 + (maxOrder - 16) * 3;
        if (maxOrder == 1) {
            Clear();
            return false;
        }
        uint32_t size = (maxMb + 1) << 20;
        if (size != heapSize_ || !heap_) {
            free(heap_);
            heap_ = (uint8_t*)malloc((size_t)kHeapStart + size + kHeapTail);
            heapSize_ = heap_ ? size : 0;
            if (!heap_) {
                *noMemory = true;
                return false;
            }
            memset(heap_, 0, kHeapStart);
        }
        StartModel(maxOrder);
    }
    return minContext_ != 0;
}

int PpmModel::DecodeChar() {
    if (!heap_ || !ValidContext(minContext_)) return -1;
    if (in_->FarOverrun()) return -1;
    Context* c = Ctx(minContext_);
    if (c->numStats != 1) {
        if (!ValidContext(c->Stats())) return -1;
        if (!DecodeSymbol1(c)) return -1;
    } else {
        DecodeBinSymbol(c);
    }
    DecodeRange();
    while (!foundState_) {
        Normalize();
        do {
            orderFall_++;
            minContext_ = Ctx(minContext_)->Suffix();
            if (!ValidContext(minContext_)) return -1;
        } while (Ctx(minContext_)->numStats == numMasked_);
        c = Ctx(minContext_);
        if (!DecodeSymbol2(c)) return -1;
        DecodeRange();
    }
    int symbol = foundState_->symbol;
    if (!orderFall_ && foundState_->Successor() > text_) {
        minContext_ = maxContext_ = foundState_->Successor();
    } else {
        UpdateModel();
        if (escCount_ == 0) ClearMask();
    }
    Normalize();
    return symbol;
}

}  // namespace rar4
}  // namespace fyxrar
