// BLAKE2s and its 8-way tree form BLAKE2sp (32-byte digests), as RAR 5.0
// uses for file checksums. Portable; written from the published description.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace fyxrar {

struct Blake2s {
    uint32_t h[8];
    uint32_t t[2];
    uint8_t buffer[64];
    size_t used;
    bool lastNode;
};

// Tree parameters beyond the digest length: zero for plain BLAKE2s.
struct Blake2sParams {
    uint8_t fanout = 1;
    uint8_t depth = 1;
    uint64_t nodeOffset = 0;
    uint8_t nodeDepth = 0;
    uint8_t innerLength = 0;
    uint8_t keyLength = 0;
};

void Blake2sInit(Blake2s* s, const Blake2sParams& params);
void Blake2sUpdate(Blake2s* s, const void* data, size_t size);
void Blake2sFinish(Blake2s* s, uint8_t digest[32]);

struct Blake2sp {
    Blake2s leaves[8];
    Blake2s root;
    uint8_t buffer[8 * 64];  // one 64-byte block per leaf not yet handed on
    size_t used;
};

void Blake2spInit(Blake2sp* s);
void Blake2spUpdate(Blake2sp* s, const void* data, size_t size);
void Blake2spFinish(Blake2sp* s, uint8_t digest[32]);

}  // namespace fyxrar
