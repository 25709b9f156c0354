// RAR 1.5-4.x block headers: plain records parsed from raw header bytes.
// Portable; no I/O here, the reader hands in the bytes of one header.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "rar_reader.h"

namespace fyxrar {
namespace rar4 {

enum BlockType {
    kBlockMarker = 0x72,
    kBlockMain = 0x73,
    kBlockFile = 0x74,
    kBlockOldComment = 0x75,
    kBlockOldAuth = 0x76,
    kBlockOldSub = 0x77,
    kBlockOldRecovery = 0x78,
    kBlockOldAuth2 = 0x79,
    kBlockSub = 0x7A,
    kBlockEnd = 0x7B,
};

enum MainFlags {
    kMainVolume = 0x0001,
    kMainComment = 0x0002,
    kMainLock = 0x0004,
    kMainSolid = 0x0008,
    kMainNewNumbering = 0x0010,
    kMainAuth = 0x0020,
    kMainRecovery = 0x0040,
    kMainPassword = 0x0080,
    kMainFirstVolume = 0x0100,
};

enum FileFlags {
    kFileSplitBefore = 0x0001,
    kFileSplitAfter = 0x0002,
    kFileEncrypted = 0x0004,
    kFileComment = 0x0008,
    kFileSolid = 0x0010,
    kFileDictMask = 0x00E0,
    kFileLarge = 0x0100,
    kFileUnicode = 0x0200,
    kFileSalt = 0x0400,
    kFileVersion = 0x0800,
    kFileExtTime = 0x1000,
    kFileLongBlock = 0x8000,
};

enum EndFlags { kEndNextVolume = 0x0001 };

const size_t kBaseHeaderSize = 7;
const size_t kMaxHeaderSize = 0xFFFF;

// The 7 bytes every block starts with, plus ADD_SIZE when flag 0x8000 is set.
struct BlockHead {
    uint16_t crc = 0;
    uint8_t type = 0;
    uint16_t flags = 0;
    uint16_t size = 0;  // header bytes including these
    uint32_t addSize = 0;  // data bytes after the header
};

// Reads the common fields from at least 7 bytes.
void ParseBlockHead(const uint8_t* bytes, size_t length, BlockHead* head);

// True when the 16-bit CRC of a whole header matches its first field.
bool HeaderCrcMatches(const uint8_t* header, size_t size);

// A parsed file header (type 0x74) or new sub-block (0x7A).
struct FileHeader {
    uint16_t flags = 0;
    uint64_t packedSize = 0;
    uint64_t unpackedSize = 0;
    bool unpackedSizeUnknown = false;
    uint8_t hostOs = 0;
    uint32_t crc = 0;
    uint32_t dosTime = 0;
    uint8_t unpackVersion = 0;
    uint8_t method = 0;
    uint32_t attributes = 0;
    std::string name;  // UTF-8, '\' turned into '/'
    std::string rawName;  // sub-block name ("CMT", "STM", ...) or the 8-bit name
    bool hasSalt = false;
    uint8_t salt[8] = {};
    uint64_t modified = 0, created = 0, accessed = 0;  // FILETIME, UTC; 0 = absent
    bool directory = false;
    uint64_t dictionarySize = 0;
};

// Parses a file or sub-block header of `size` bytes (CRC already checked).
// False when the fields do not fit in the header.
bool ParseFileHeader(const uint8_t* header, size_t size, FileHeader* out);

// Decodes the compact UTF-16 form that follows the zero byte of a Unicode
// name; `plain` is the 8-bit name before that zero byte.
std::u16string DecodeUnicodeName(const uint8_t* plain, size_t plainLength, const uint8_t* encoded,
                                 size_t encodedLength, size_t maxChars);

// UTF-16 to UTF-8 (unpaired surrogates become U+FFFD).
std::string Utf16ToUtf8(const std::u16string& text);

// An 8-bit name as stored: kept when it is valid UTF-8, else read as code page 437.
std::string EightBitNameToUtf8(const uint8_t* bytes, size_t length);

// MS-DOS local date and time (plus seconds and 100 ns units) as FILETIME in UTC;
// 0 when the DOS value is no valid date.
uint64_t DosTimeToFileTime(uint32_t dosTime, uint32_t extraSeconds, uint32_t hundredNs);

}  // namespace rar4
}  // namespace fyxrar
