// Record signatures, field values and little-endian access for ZIP headers.
#pragma once

#include <stdint.h>
#include <string.h>

#include <string>

namespace fyxzip {

const uint32_t kLocalHeaderSignature = 0x04034b50;
const uint32_t kCentralHeaderSignature = 0x02014b50;
const uint32_t kEndSignature = 0x06054b50;
const uint32_t kZip64EndSignature = 0x06064b50;
const uint32_t kZip64LocatorSignature = 0x07064b50;
const uint32_t kDataDescriptorSignature = 0x08074b50;

const size_t kLocalHeaderSize = 30;
const size_t kCentralHeaderSize = 46;
const size_t kEndSize = 22;
const size_t kZip64EndSize = 56;
const size_t kZip64LocatorSize = 20;

const uint16_t kMethodStored = 0;
const uint16_t kMethodDeflated = 8;
const uint16_t kMethodAes = 99;

const uint16_t kFlagEncrypted = 0x0001;
const uint16_t kFlagDataDescriptor = 0x0008;
const uint16_t kFlagUtf8 = 0x0800;

const uint16_t kExtraZip64 = 0x0001;
const uint16_t kExtraNtfs = 0x000a;
const uint16_t kExtraUnixTime = 0x5455;
const uint16_t kExtraUnicodePath = 0x7075;
const uint16_t kExtraAes = 0x9901;

inline uint16_t Get16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t Get32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline uint64_t Get64(const uint8_t* p) { return uint64_t(Get32(p)) | (uint64_t(Get32(p + 4)) << 32); }

inline void Put16(std::string* s, uint16_t v) {
    *s += char(v & 0xFF);
    *s += char(v >> 8);
}
inline void Put32(std::string* s, uint32_t v) {
    Put16(s, uint16_t(v & 0xFFFF));
    Put16(s, uint16_t(v >> 16));
}
inline void Put64(std::string* s, uint64_t v) {
    Put32(s, uint32_t(v));
    Put32(s, uint32_t(v >> 32));
}
inline void Set32(std::string* s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) (*s)[at + i] = char((v >> (8 * i)) & 0xFF);
}

}  // namespace fyxzip
