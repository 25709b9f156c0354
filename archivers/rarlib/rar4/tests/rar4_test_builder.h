// Builds small RAR 4.x archives byte by byte for tests.
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include <zlib.h>

#include "rar4_headers.h"

namespace rar4test {

inline void Put2(std::vector<uint8_t>* v, uint32_t x) {
    v->push_back((uint8_t)x);
    v->push_back((uint8_t)(x >> 8));
}
inline void Put4(std::vector<uint8_t>* v, uint32_t x) {
    Put2(v, x & 0xFFFF);
    Put2(v, x >> 16);
}

// A block: CRC, type, flags, size, then `body`; `crcBytes` limits the CRC (0 = all).
inline std::vector<uint8_t> MakeBlock(uint8_t type, uint16_t flags, const std::vector<uint8_t>& body, size_t crcBytes = 0) {
    std::vector<uint8_t> b = {0, 0, type};
    Put2(&b, flags);
    Put2(&b, (uint32_t)(7 + body.size()));
    b.insert(b.end(), body.begin(), body.end());
    size_t n = crcBytes ? crcBytes : b.size();
    uint32_t crc = (uint32_t)crc32(0L, b.data() + 2, (uInt)(n - 2));
    b[0] = (uint8_t)crc;
    b[1] = (uint8_t)(crc >> 8);
    return b;
}

inline constexpr uint32_t kDos = ((2011u - 1980) << 25) | (3u << 21) | (4u << 16) | (5u << 11) | (6u << 5) | 7u;

struct FileSpec {
    std::string name;
    std::string data;
    uint16_t extraFlags = 0;
    std::vector<uint8_t> tail;  // after the name (salt, times)
    uint32_t highUnpacked = 0;
    std::string packed;  // data area when it differs from `data` (encrypted, packed)
    uint8_t method = 0x30;
};

inline std::vector<uint8_t> FileBlock(const FileSpec& f) {
    const std::string& area = f.packed.empty() ? f.data : f.packed;
    std::vector<uint8_t> body;
    Put4(&body, (uint32_t)area.size());
    Put4(&body, (uint32_t)f.data.size());
    body.push_back(2);  // Win32 host
    Put4(&body, (uint32_t)crc32(0L, (const uint8_t*)f.data.data(), (uInt)f.data.size()));
    Put4(&body, kDos);
    body.push_back(29);
    body.push_back(f.method);
    Put2(&body, (uint32_t)f.name.size());
    Put4(&body, 0x20);
    if (f.extraFlags & fyxrar::rar4::kFileLarge) {
        Put4(&body, 0);
        Put4(&body, f.highUnpacked);
    }
    body.insert(body.end(), f.name.begin(), f.name.end());
    body.insert(body.end(), f.tail.begin(), f.tail.end());
    std::vector<uint8_t> b = MakeBlock(fyxrar::rar4::kBlockFile, (uint16_t)(0x8000 | f.extraFlags), body);
    b.insert(b.end(), area.begin(), area.end());
    return b;
}

inline std::vector<uint8_t> Archive(uint16_t mainFlags, const std::vector<uint8_t>& mainExtra,
                             const std::vector<std::vector<uint8_t>>& blocks, size_t mainCrcBytes = 0) {
    std::vector<uint8_t> a = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
    std::vector<uint8_t> main(6, 0);
    main.insert(main.end(), mainExtra.begin(), mainExtra.end());
    std::vector<uint8_t> m = MakeBlock(fyxrar::rar4::kBlockMain, mainFlags, main, mainCrcBytes);
    a.insert(a.end(), m.begin(), m.end());
    for (const auto& b : blocks) a.insert(a.end(), b.begin(), b.end());
    std::vector<uint8_t> end = MakeBlock(fyxrar::rar4::kBlockEnd, 0x4000, {});
    a.insert(a.end(), end.begin(), end.end());
    return a;
}

// Writes bits most significant first, as the decoders read them.
class BitWriter {
public:
    void Put(uint32_t value, unsigned bits) {
        for (unsigned i = bits; i > 0; --i) {
            if (used_ == 0) bytes_.push_back(0);
            if ((value >> (i - 1)) & 1) bytes_.back() |= (uint8_t)(0x80 >> used_);
            used_ = (used_ + 1) & 7;
        }
    }
    std::string Bytes() const { return std::string(bytes_.begin(), bytes_.end()); }

private:
    std::vector<uint8_t> bytes_;
    unsigned used_ = 0;
};

}  // namespace rar4test
