// RAR 2.0 decompression (unpack versions 20 and 26): LZ with Huffman tables
// and the multimedia mode that predicts audio samples per channel.
#include <stdlib.h>
#include <string.h>

#include "rar4_unpack.h"

namespace fyxrar {
namespace rar4 {

namespace {

const unsigned kMain20 = 298, kDist20 = 48, kRep20 = 28, kBit20 = 19, kAudio20 = 257;

const uint8_t kLengthBase[28] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 12, 14, 16, 20, 24, 28, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224};
const uint8_t kLengthBits[28] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5};
const uint32_t kDistBase[48] = {0, 1, 2, 3, 4, 6, 8, 12, 16, 24, 32, 48, 64, 96, 128, 192, 256, 384, 512, 768, 1024, 1536, 2048, 3072,
                                4096, 6144, 8192, 12288, 16384, 24576, 32768, 49152, 65536, 98304, 131072, 196608, 262144, 327680,
                                393216, 458752, 524288, 589824, 655360, 720896, 786432, 851968, 917504, 983040};
const uint8_t kDistBits[48] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10,
                               11, 11, 12, 12, 13, 13, 14, 14, 15, 15, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16};
const uint8_t kShortBase[8] = {0, 4, 8, 16, 32, 64, 128, 192};
const uint8_t kShortBits[8] = {2, 2, 3, 4, 5, 6, 6, 6};

}  // namespace

void Unpacker::Reset20() {
    ResetWindow();
    memset(oldTable20_, 0, sizeof(oldTable20_));
    memset(oldDist20_, 0, sizeof(oldDist20_));
    oldDistPtr_ = 0;
    lastDist20_ = lastLength20_ = 0;
    tablesRead20_ = false;
    audioBlock_ = false;
    channelDelta_ = 0;
    curChannel_ = 0;
    channels_ = 1;
    memset(audio_, 0, sizeof(audio_));
}

bool Unpacker::ReadTables20() {
    in_.Fill();
    uint32_t field = in_.Peek16();
    audioBlock_ = (field & 0x8000) != 0;
    if (!(field & 0x4000)) memset(oldTable20_, 0, sizeof(oldTable20_));
    in_.Skip(2);
    unsigned tableSize;
    if (audioBlock_) {
        channels_ = ((field >> 12) & 3) + 1;
        if (curChannel_ >= channels_) curChannel_ = 0;
        in_.Skip(2);
        tableSize = kAudio20 * channels_;
    } else {
        tableSize = kMain20 + kDist20 + kRep20;
    }
    uint8_t bitLength[kBit20];
    for (unsigned i = 0; i < kBit20; ++i) bitLength[i] = (uint8_t)in_.Bits(4);
    bd20_.Build(bitLength, kBit20);
    uint8_t table[kAudio20 * 4];
    for (unsigned i = 0; i < tableSize;) {
        in_.Fill();
        if (in_.Overrun()) return false;
        unsigned number = bd20_.Decode(&in_);
        if (number < 16) {
            table[i] = (uint8_t)((number + oldTable20_[i]) & 0xF);
            ++i;
        } else if (number == 16) {
            unsigned n = in_.Bits(2) + 3;
            if (i == 0) return false;
            while (n-- > 0 && i < tableSize) {
                table[i] = table[i - 1];
                ++i;
            }
        } else {
            unsigned n = number == 17 ? in_.Bits(3) + 3 : in_.Bits(7) + 11;
            while (n-- > 0 && i < tableSize) table[i++] = 0;
        }
    }
    tablesRead20_ = true;
    if (in_.Overrun()) return false;
    if (audioBlock_) {
        for (unsigned c = 0; c < channels_; ++c) md_[c].Build(table + c * kAudio20, kAudio20);
    } else {
        ld20_.Build(table, kMain20);
        dd20_.Build(table + kMain20, kDist20);
        rd20_.Build(table + kMain20 + kDist20, kRep20);
    }
    memcpy(oldTable20_, table, tableSize);
    return true;
}

void Unpacker::CopyString20(uint32_t length, uint32_t distance) {
    lastDist20_ = oldDist20_[oldDistPtr_++ & 3] = distance;
    lastLength20_ = length;
    CopyString(length, distance);
}

uint8_t Unpacker::DecodeAudio(int delta) {
    AudioState* v = &audio_[curChannel_];
    v->byteCount++;
    v->d[3] = v->d[2];
    v->d[2] = v->d[1];
    v->d[1] = v->lastDelta - v->d[0];
    v->d[0] = v->lastDelta;
    int predicted = 8 * v->lastChar + v->k[0] * v->d[0] + v->k[1] * v->d[1] + v->k[2] * v->d[2] + v->k[3] * v->d[3] +
                    v->k[4] * channelDelta_;
    predicted = (predicted >> 3) & 0xFF;
    unsigned ch = (unsigned)(predicted - delta);
    int d = (int)((unsigned)(int)(signed char)delta << 3);
    v->dif[0] += abs(d);
    v->dif[1] += abs(d - v->d[0]);
    v->dif[2] += abs(d + v->d[0]);
    v->dif[3] += abs(d - v->d[1]);
    v->dif[4] += abs(d + v->d[1]);
    v->dif[5] += abs(d - v->d[2]);
    v->dif[6] += abs(d + v->d[2]);
    v->dif[7] += abs(d - v->d[3]);
    v->dif[8] += abs(d + v->d[3]);
    v->dif[9] += abs(d - channelDelta_);
    v->dif[10] += abs(d + channelDelta_);
    channelDelta_ = v->lastDelta = (signed char)(ch - v->lastChar);
    v->lastChar = (int)(ch & 0xFF);
    if ((v->byteCount & 0x1F) == 0) {
        unsigned minDif = v->dif[0], best = 0;
        v->dif[0] = 0;
        for (unsigned i = 1; i < 11; ++i) {
            if (v->dif[i] < minDif) {
                minDif = v->dif[i];
                best = i;
            }
            v->dif[i] = 0;
        }
        if (best) {
            int& k = v->k[(best - 1) / 2];
            if (best & 1) {
                if (k >= -16) k--;
            } else {
                if (k < 16) k++;
            }
        }
    }
    return (uint8_t)ch;
}

Result Unpacker::Unpack20(bool solid) {
    if (!solid) Reset20();
    pending_.clear();
    uint64_t start = unpPtr_;
    if (!solid || !tablesRead20_) {
        if (!ReadTables20()) {
            FinishEntry();
            return kOk;
        }
    }
    while (unpPtr_ - start < fileSize_) {
        in_.Fill();
        if (in_.Overrun()) break;
        if (unpPtr_ - written_ >= kFlushGap && !Flush()) break;
        if (audioBlock_) {
            unsigned number = md_[curChannel_].Decode(&in_);
            if (number == 256) {
                if (!ReadTables20()) break;
                continue;
            }
            PutByte(DecodeAudio((int)number));
            if (++curChannel_ == channels_) curChannel_ = 0;
            continue;
        }
        unsigned number = ld20_.Decode(&in_);
        if (number < 256) {
            PutByte((uint8_t)number);
            continue;
        }
        if (number > 269) {
            number -= 270;
            uint32_t length = kLengthBase[number] + 3;
            if (unsigned bits = kLengthBits[number]) length += in_.Bits(bits);
            unsigned slot = dd20_.Decode(&in_);
            uint32_t distance = kDistBase[slot] + 1;
            if (unsigned bits = kDistBits[slot]) distance += in_.Bits(bits);
            if (distance >= 0x2000) {
                length++;
                if (distance >= 0x40000) length++;
            }
            CopyString20(length, distance);
            continue;
        }
        if (number == 269) {
            if (!ReadTables20()) break;
            continue;
        }
        if (number == 256) {
            CopyString20(lastLength20_, lastDist20_);
            continue;
        }
        if (number < 261) {
            uint32_t distance = oldDist20_[(oldDistPtr_ - (number - 256)) & 3];
            unsigned slot = rd20_.Decode(&in_);
            uint32_t length = kLengthBase[slot] + 2;
            if (unsigned bits = kLengthBits[slot]) length += in_.Bits(bits);
            if (distance >= 0x101) {
                length++;
                if (distance >= 0x2000) {
                    length++;
                    if (distance >= 0x40000) length++;
                }
            }
            CopyString20(length, distance);
            continue;
        }
        number -= 261;
        uint32_t distance = kShortBase[number] + 1;
        if (unsigned bits = kShortBits[number]) distance += in_.Bits(bits);
        CopyString20(2, distance);
    }
    // A table switch may follow the last symbol; a solid successor needs it.
    in_.Fill();
    if (in_.HasBytes(5) && !stopped_) {
        bool tableFollows = audioBlock_ ? md_[curChannel_].Decode(&in_) == 256 : ld20_.Decode(&in_) == 269;
        if (tableFollows && !in_.Overrun()) ReadTables20();
    }
    FinishEntry();
    return kOk;
}

}  // namespace rar4
}  // namespace fyxrar
