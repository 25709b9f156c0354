// The sliding window shared by the RAR 2.0 and 2.9 decoders: matches,
// writing out, and the pending filters that hold data back until their
// whole block is decoded.
#include "rar4_unpack.h"

#include <string.h>

namespace fyxrar {
namespace rar4 {

namespace {
const size_t kVmMemSize = 0x40000;
}

Unpacker::Unpacker() {}
Unpacker::~Unpacker() {}

bool Unpacker::Init() {
    if (!window_) window_.reset((uint8_t*)malloc(kWindowSize));
    return window_ != nullptr;
}

void Unpacker::ResetWindow() {
    // Nothing is cleared here: what the entries before wrote reads as zeros
    // (see CopyString), and small entries would pay for it each.
    unpPtr_ = written_ = 0;
    windowZeroed_ = false;
}

Result Unpacker::Unpack(unsigned version, bool solid, uint64_t size, PackedSource* source, UnpackOutput* out) {
    if (!Init()) return kNoMemory;
    out_ = out;
    stopped_ = unknownFilter_ = noMemory_ = false;
    fileSize_ = size;
    fileWritten_ = 0;
    in_.Start(source);
    Result r;
    switch (version) {
        case 20:
        case 26:
            r = Unpack20(solid);
            break;
        case 29:
        case 36:
            r = Unpack29(solid);
            break;
        default:
            return kUnknownFormat;
    }
    if (r != kOk) return r;
    if (stopped_) return kUnknown;
    if (unknownFilter_) return kUnknownFormat;
    if (noMemory_) return kNoMemory;
    return kOk;
}

void Unpacker::CopyString(uint32_t length, uint32_t distance) {
    size_t dest = (size_t)(unpPtr_ & kWindowMask);
    size_t src = (size_t)((unpPtr_ - distance) & kWindowMask);
    uint8_t* w = window_.get();
    if (unpPtr_ < distance && unpPtr_ < kWindowSize && !windowZeroed_) {
        // A match reaching before the first byte (damaged or crafted data)
        // reads zeros: only now is the part not yet written cleared.
        memset(w + dest, 0, kWindowSize - dest);
        windowZeroed_ = true;
    }
    unpPtr_ += length;
    // Distances beyond the window wrap around it, so the source may lie just
    // after the destination too: a block copy needs room on both sides.
    size_t behind = (dest - src) & kWindowMask, ahead = (src - dest) & kWindowMask;
    if (dest + length <= kWindowSize && src + length <= kWindowSize) {
        uint8_t* d = w + dest;
        const uint8_t* s = w + src;
        if (length >= 64 && behind >= length && ahead >= length) {
            memcpy(d, s, length);
            return;
        }
        if (behind >= 8 && ahead >= length) {
            // Steps of eight (or four) read nothing the same step writes; the
            // last step ends at the match's end, copying some bytes again:
            // their sources lie at least eight behind, already final.
            if (length >= 8) {
                for (uint32_t i = 0; i + 8 <= length; i += 8) memcpy(d + i, s + i, 8);
                memcpy(d + length - 8, s + length - 8, 8);
                return;
            }
            if (length >= 4) {
                memcpy(d, s, 4);
                memcpy(d + length - 4, s + length - 4, 4);
                return;
            }
        }
        // Short and overlapping runs: each byte may read the one before.
        for (uint32_t i = 0; i < length; ++i) d[i] = s[i];
        return;
    }
    for (uint32_t i = 0; i < length; ++i) {
        w[dest] = w[src];
        dest = (dest + 1) & kWindowMask;
        src = (src + 1) & kWindowMask;
    }
}

bool Unpacker::Emit(const uint8_t* data, size_t size) {
    // Bytes beyond the entry's size are dropped, as the format's own decoder does.
    uint64_t room = fileWritten_ < fileSize_ ? fileSize_ - fileWritten_ : 0;
    size_t n = size < room ? size : (size_t)room;
    fileWritten_ += size;
    if (n && !stopped_ && !out_->Write(data, n)) stopped_ = true;
    return !stopped_;
}

bool Unpacker::EmitWindow(uint64_t from, uint64_t to) {
    while (from < to) {
        size_t at = (size_t)(from & kWindowMask);
        size_t n = (size_t)(to - from);
        if (at + n > kWindowSize) n = kWindowSize - at;
        if (!Emit(window_.get() + at, n)) return false;
        from += n;
    }
    return true;
}

bool Unpacker::Flush() {
    size_t i = 0;
    while (i < pending_.size()) {
        Filter& f = pending_[i];
        if (f.start < written_) {
            // Its block was passed already (damaged data): it can never apply.
            pending_.erase(pending_.begin() + i);
            continue;
        }
        if (f.start >= unpPtr_) {
            ++i;
            continue;
        }
        if (!EmitWindow(written_, f.start)) return false;
        written_ = f.start;
        if (f.start + f.length > unpPtr_) return true;  // wait for the rest of the block
        // Most archives have no filters: their memory comes with the first.
        if (!vmMem_) vmMem_.reset((uint8_t*)calloc(kVmMemSize + 8, 1));
        if (!vmMem_) {
            noMemory_ = true;
            return false;
        }
        // Copy the block out of the window: the window keeps the unfiltered
        // bytes for later matches.
        size_t n = f.length < kVmMemSize ? f.length : kVmMemSize;
        size_t at = (size_t)(f.start & kWindowMask);
        size_t first = at + n > kWindowSize ? kWindowSize - at : n;
        memcpy(vmMem_.get(), window_.get() + at, first);
        memcpy(vmMem_.get() + first, window_.get(), n - first);
        uint64_t blockEnd = f.start + f.length;
        uint32_t r[7];
        memcpy(r, f.r, sizeof(r));
        r[6] = (uint32_t)fileWritten_;
        uint32_t outSize = 0;
        size_t outAt = RunFilter(f.type, vmMem_.get(), r, &outSize);
        size_t j = i + 1;
        // Further filters on exactly the filtered block run on its result.
        while (j < pending_.size() && pending_[j].start == f.start && pending_[j].length == outSize) {
            memmove(vmMem_.get(), vmMem_.get() + outAt, outSize);
            memcpy(r, pending_[j].r, sizeof(r));
            r[6] = (uint32_t)fileWritten_;
            outAt = RunFilter(pending_[j].type, vmMem_.get(), r, &outSize);
            ++j;
        }
        pending_.erase(pending_.begin() + i, pending_.begin() + j);
        if (!Emit(vmMem_.get() + outAt, outSize)) return false;
        written_ = blockEnd;
    }
    if (!EmitWindow(written_, unpPtr_)) return false;
    written_ = unpPtr_;
    return true;
}

void Unpacker::FinishEntry() {
    Flush();
    // What an unfinished filter held back is dropped with it.
    written_ = unpPtr_;
    pending_.clear();
}

}  // namespace rar4
}  // namespace fyxrar
