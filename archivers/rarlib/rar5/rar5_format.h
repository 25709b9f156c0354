// RAR 5.0 archive structure: variable-length numbers, blocks and the fields
// of main, file, service and archive encryption headers.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "rar_reader.h"

namespace fyxrar {

enum BlockType5 { kBlockMain = 1, kBlockFile = 2, kBlockService = 3, kBlockCrypt = 4, kBlockEnd = 5 };

// Bounds-checked reading of little-endian fields; `ok` turns false for good
// once a read runs past the end.
struct FieldReader {
    const uint8_t* data;
    size_t size;
    size_t pos;
    bool ok;
    FieldReader(const uint8_t* d, size_t n) : data(d), size(n), pos(0), ok(true) {}
    uint64_t Vint();
    uint32_t U32();
    uint64_t U64();
    uint8_t U8();
    bool Bytes(void* out, size_t n);
    const uint8_t* Skip(size_t n);  // nullptr when past the end
    size_t Left() const { return ok ? size - pos : 0; }
};

// One block header as read from a volume (decrypted when headers are).
struct Block5 {
    uint64_t type = 0;
    uint64_t flags = 0;
    std::vector<uint8_t> fields;  // type-specific fields and the extra area
    size_t extraAt = 0;           // offset of the extra area in `fields`
    uint64_t dataStart = 0;       // in the volume
    uint64_t dataSize = 0;
};

// Parses a header body (from the header type on); false when inconsistent.
bool ParseBlock(const uint8_t* body, size_t size, Block5* block);

struct Encryption5 {
    bool present = false;
    uint32_t version = 0;
    uint8_t kdfCount = 0;
    uint8_t salt[16] = {};
    uint8_t iv[16] = {};
    bool hasCheck = false;
    uint8_t check[12] = {};
    bool tweakedChecksums = false;
};

// A file or service header with the data area that follows it.
struct FileRecord5 {
    EntryInfo info;
    std::string serviceName;  // service headers only ("CMT", "QO" ...)
    uint64_t compression = 0;
    bool version7 = false;
    bool hasCrc = false;
    bool hasBlake2 = false;
    Encryption5 crypt;
    uint64_t dataStart = 0;
    uint64_t dataSize = 0;
};

bool ParseFileHeader(const Block5& block, FileRecord5* record);

struct MainHeader5 {
    uint64_t flags = 0;
    uint64_t volumeNumber = 0;
};
bool ParseMainHeader(const Block5& block, MainHeader5* main);

// Archive encryption header (before all other headers).
bool ParseCryptHeader(const Block5& block, Encryption5* crypt);

// Windows FILETIME from Unix seconds, and MS-DOS date/time from a FILETIME
// taken as it is (no time zone applied).
uint64_t UnixToFiletime(int64_t seconds, uint32_t nanoseconds);
uint32_t FiletimeToDos(uint64_t filetime);

}  // namespace fyxrar
