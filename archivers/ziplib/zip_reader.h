// Reading the central directory of a ZIP archive: the entries with decoded
// names, sizes, times, attributes and encryption, checked against the file.
#pragma once

#include <stdint.h>

#include <memory>
#include <string>
#include <vector>

#include "zip_format.h"
#include "zip_io.h"
#include "zip_result.h"

namespace fyxzip {

struct Entry {
    std::string name;      // UTF-8 as stored, '\' turned into '/'; folders end with '/'
    std::string rawName;   // the stored bytes
    std::string comment;   // UTF-8
    std::string rawComment;
    std::string centralExtra;  // the stored extra fields, kept for copying
    uint16_t versionNeeded = 0;
    uint16_t internalAttributes = 0;
    bool isFolder = false;
    uint16_t versionMadeBy = 0;
    uint16_t flags = 0;
    uint16_t method = 0;         // the compression method (for AES the inner one)
    uint16_t storedMethod = 0;   // as in the header (99 for AES)
    uint32_t dosTime = 0;
    uint32_t crc = 0;
    uint64_t compressedSize = 0;
    uint64_t size = 0;
    uint64_t localHeaderOffset = 0;  // in the file, base offset applied
    uint32_t externalAttributes = 0;
    uint64_t fileTime = 0;           // NTFS or Unix modification time, 0 when absent
    int aesStrength = 0;             // 1, 2, 3 (128, 192, 256 bits); 0 when not AES
    int aesVersion = 0;              // 1 (AE-1) or 2 (AE-2)
    bool overlaps = false;           // its data runs into another entry or the directory

    bool encrypted() const { return (flags & kFlagEncrypted) != 0; }
    // Windows attributes: the low byte of DOS hosts, or derived from Unix modes.
    uint32_t Attributes() const;
};

class Archive {
public:
    // Reads the directory; the file must stay open while the archive is used.
    Result Open(InputFile* file);
    const std::vector<Entry>& entries() const { return entries_; }
    const std::string& comment() const { return comment_; }  // UTF-8
    const std::string& rawComment() const { return rawComment_; }
    InputFile* file() const { return file_; }
    uint64_t centralDirectoryOffset() const { return centralOffset_; }
    // Where the entry's data starts, after its local header.
    Result DataOffset(const Entry& entry, uint64_t* offset) const;

private:
    Result ReadCentralDirectory(uint64_t offset, uint64_t size, uint64_t count);
    InputFile* file_ = nullptr;
    std::vector<Entry> entries_;
    std::string comment_, rawComment_;
    uint64_t base_ = 0;  // bytes before the archive (a self-extractor stub)
    uint64_t centralOffset_ = 0;
};

// Parses the extra fields of a central header into the entry.
void ParseCentralExtras(const uint8_t* extra, size_t length, Entry* entry, bool sizeMissing,
                        bool compressedMissing, bool offsetMissing, bool* zip64Bad);

}  // namespace fyxzip
