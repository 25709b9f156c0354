// Builds small stored RAR 5.0 archives in memory, for names no archiver
// would write (parent references, devices, streams).
#pragma once

#include <zlib.h>

#include <string>
#include <vector>

namespace unrartest {

inline std::string Vint(uint64_t v) {
    std::string s;
    do {
        uint8_t b = (uint8_t)(v & 0x7F);
        v >>= 7;
        if (v) b |= 0x80;
        s += (char)b;
    } while (v);
    return s;
}

inline std::string Le32(uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i) s += (char)(v >> (8 * i));
    return s;
}

inline std::string Rar5Block(uint64_t type, const std::string& fields, const std::string& data) {
    std::string body = Vint(type) + Vint(data.empty() ? 0 : 0x0002);
    if (!data.empty()) body += Vint(data.size());
    body += fields;
    std::string header = Vint(body.size()) + body;
    uint32_t crc = (uint32_t)crc32(0, (const Bytef*)header.data(), (uInt)header.size());
    return Le32(crc) + header + data;
}

struct StoredFile {
    std::string name;  // UTF-8, as stored
    std::string content;
};

inline std::string BuildStoredRar5(const std::vector<StoredFile>& files) {
    std::string out("Rar!\x1A\x07\x01\x00", 8);
    out += Rar5Block(1, Vint(0), "");
    for (const StoredFile& f : files) {
        uint32_t crc = (uint32_t)crc32(0, (const Bytef*)f.content.data(), (uInt)f.content.size());
        std::string fields = Vint(0x0004) + Vint(f.content.size()) + Vint(0x20) + Le32(crc) + Vint(0) + Vint(0) +
                             Vint(f.name.size()) + f.name;
        out += Rar5Block(2, fields, f.content);
    }
    out += Rar5Block(5, Vint(0), "");
    return out;
}

}  // namespace unrartest
