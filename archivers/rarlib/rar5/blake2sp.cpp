// BLAKE2s (RFC 7693) and BLAKE2sp: eight BLAKE2s leaves fed 64-byte blocks in
// turn, whose digests are hashed by a root node.
#include "blake2sp.h"

#include <string.h>

namespace fyxrar {

namespace {

const uint32_t kIv[8] = {0x6A09E667, 0xBB67AE85, 0x3C6EF372, 0xA54FF53A,
                         0x510E527F, 0x9B05688C, 0x1F83D9AB, 0x5BE0CD19};

const uint8_t kSigma[10][16] = {
    {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
    {14, 10, 4, 8, 9, 15, 13, 6, 1, 12, 0, 2, 11, 7, 5, 3},
    {11, 8, 12, 0, 5, 2, 15, 13, 10, 14, 3, 6, 7, 1, 9, 4},
    {7, 9, 3, 1, 13, 12, 11, 14, 2, 6, 5, 10, 4, 0, 15, 8},
    {9, 0, 5, 7, 2, 4, 10, 15, 14, 1, 11, 12, 6, 8, 3, 13},
    {2, 12, 6, 10, 0, 11, 8, 3, 4, 13, 7, 5, 15, 14, 1, 9},
    {12, 5, 1, 15, 14, 13, 4, 10, 0, 7, 6, 3, 9, 2, 8, 11},
    {13, 11, 7, 14, 12, 1, 3, 9, 5, 0, 15, 4, 8, 6, 2, 10},
    {6, 15, 14, 9, 11, 3, 0, 8, 12, 2, 13, 7, 1, 4, 10, 5},
    {10, 2, 8, 4, 7, 6, 1, 5, 15, 11, 9, 14, 3, 12, 13, 0},
};

inline uint32_t Rotr(uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

inline uint32_t Load32(const uint8_t* p) {
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

#define FYX_G(a, b, c, d, x, y)        \
    a = a + b + x;                     \
    d = Rotr(d ^ a, 16);               \
    c = c + d;                         \
    b = Rotr(b ^ c, 12);               \
    a = a + b + y;                     \
    d = Rotr(d ^ a, 8);                \
    c = c + d;                         \
    b = Rotr(b ^ c, 7);

void Compress(Blake2s* s, const uint8_t* block, bool last) {
    uint32_t m[16], v[16];
    for (int i = 0; i < 16; ++i) m[i] = Load32(block + 4 * i);
    for (int i = 0; i < 8; ++i) v[i] = s->h[i];
    for (int i = 0; i < 8; ++i) v[i + 8] = kIv[i];
    v[12] ^= s->t[0];
    v[13] ^= s->t[1];
    if (last) {
        v[14] = ~v[14];
        if (s->lastNode) v[15] = ~v[15];
    }
    for (int r = 0; r < 10; ++r) {
        const uint8_t* z = kSigma[r];
        FYX_G(v[0], v[4], v[8], v[12], m[z[0]], m[z[1]]);
        FYX_G(v[1], v[5], v[9], v[13], m[z[2]], m[z[3]]);
        FYX_G(v[2], v[6], v[10], v[14], m[z[4]], m[z[5]]);
        FYX_G(v[3], v[7], v[11], v[15], m[z[6]], m[z[7]]);
        FYX_G(v[0], v[5], v[10], v[15], m[z[8]], m[z[9]]);
        FYX_G(v[1], v[6], v[11], v[12], m[z[10]], m[z[11]]);
        FYX_G(v[2], v[7], v[8], v[13], m[z[12]], m[z[13]]);
        FYX_G(v[3], v[4], v[9], v[14], m[z[14]], m[z[15]]);
    }
    for (int i = 0; i < 8; ++i) s->h[i] ^= v[i] ^ v[i + 8];
}

#undef FYX_G

void AddCounter(Blake2s* s, uint32_t n) {
    s->t[0] += n;
    if (s->t[0] < n) ++s->t[1];
}

}  // namespace

void Blake2sInit(Blake2s* s, const Blake2sParams& p) {
    // The 32-byte parameter block, XORed into the IV word by word.
    uint8_t block[32] = {};
    block[0] = 32;
    block[1] = p.keyLength;
    block[2] = p.fanout;
    block[3] = p.depth;
    for (int i = 0; i < 6; ++i) block[8 + i] = (uint8_t)(p.nodeOffset >> (8 * i));
    block[14] = p.nodeDepth;
    block[15] = p.innerLength;
    for (int i = 0; i < 8; ++i) s->h[i] = kIv[i] ^ Load32(block + 4 * i);
    s->t[0] = s->t[1] = 0;
    s->used = 0;
    s->lastNode = false;
}

void Blake2sUpdate(Blake2s* s, const void* data, size_t size) {
    const uint8_t* in = (const uint8_t*)data;
    while (size > 0) {
        // The final block is compressed only in Finish, so a full buffer
        // is handed on only once more input arrives.
        if (s->used == 64) {
            AddCounter(s, 64);
            Compress(s, s->buffer, false);
            s->used = 0;
        }
        if (s->used == 0) {
            while (size > 64) {
                AddCounter(s, 64);
                Compress(s, in, false);
                in += 64;
                size -= 64;
            }
        }
        size_t n = 64 - s->used;
        if (n > size) n = size;
        memcpy(s->buffer + s->used, in, n);
        s->used += n;
        in += n;
        size -= n;
    }
}

void Blake2sFinish(Blake2s* s, uint8_t digest[32]) {
    AddCounter(s, (uint32_t)s->used);
    memset(s->buffer + s->used, 0, 64 - s->used);
    Compress(s, s->buffer, true);
    for (int i = 0; i < 8; ++i)
        for (int j = 0; j < 4; ++j) digest[4 * i + j] = (uint8_t)(s->h[i] >> (8 * j));
}

void Blake2spInit(Blake2sp* s) {
    Blake2sParams p;
    p.fanout = 8;
    p.depth = 2;
    p.innerLength = 32;
    for (int i = 0; i < 8; ++i) {
        p.nodeOffset = (uint64_t)i;
        Blake2sInit(&s->leaves[i], p);
    }
    s->leaves[7].lastNode = true;
    p.nodeOffset = 0;
    p.nodeDepth = 1;
    Blake2sInit(&s->root, p);
    s->root.lastNode = true;
    s->used = 0;
}

void Blake2spUpdate(Blake2sp* s, const void* data, size_t size) {
    if (size == 0) return;
    const uint8_t* in = (const uint8_t*)data;
    // Whole rounds of eight blocks go straight to the leaves; the rest waits
    // in the buffer. A full buffer is passed on only when more input comes.
    if (s->used > 0) {
        size_t n = sizeof(s->buffer) - s->used;
        if (n > size) n = size;
        memcpy(s->buffer + s->used, in, n);
        s->used += n;
        in += n;
        size -= n;
        if (s->used < sizeof(s->buffer) || size == 0) return;
        for (int i = 0; i < 8; ++i) Blake2sUpdate(&s->leaves[i], s->buffer + 64 * i, 64);
        s->used = 0;
    }
    while (size > sizeof(s->buffer)) {
        for (int i = 0; i < 8; ++i) Blake2sUpdate(&s->leaves[i], in + 64 * i, 64);
        in += sizeof(s->buffer);
        size -= sizeof(s->buffer);
    }
    if (size) memcpy(s->buffer, in, size);
    s->used = size;
}

void Blake2spFinish(Blake2sp* s, uint8_t digest[32]) {
    for (int i = 0; i < 8; ++i) {
        size_t start = 64 * (size_t)i;
        if (s->used > start) {
            size_t n = s->used - start;
            Blake2sUpdate(&s->leaves[i], s->buffer + start, n > 64 ? 64 : n);
        }
        uint8_t leaf[32];
        Blake2sFinish(&s->leaves[i], leaf);
        Blake2sUpdate(&s->root, leaf, 32);
    }
    Blake2sFinish(&s->root, digest);
}

}  // namespace fyxrar
