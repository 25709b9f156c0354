// Finding the end records, reading the central directory and decoding names.
#include "zip_reader.h"

#include <algorithm>

#include "zip_names.h"
#include "zip_time.h"

extern "C" {
#include <zlib.h>
}

namespace fyxzip {
namespace {

const size_t kMaxCommentLength = 0xFFFF;

// The Unicode path is a re-spelling of the raw name when every ASCII
// character stands at the same place in both and the lengths agree.
bool SameSkeleton(const std::string& raw, const std::string& utf8) {
    if (Utf8Length(utf8) != raw.size()) return false;
    size_t i = 0;
    for (char r : raw) {
        uint8_t u = static_cast<uint8_t>(utf8[i]);
        size_t step = u < 0x80 ? 1 : u < 0xE0 ? 2 : u < 0xF0 ? 3 : 4;
        if (static_cast<uint8_t>(r) < 0x80 && (step != 1 || char(u) != r)) return false;
        i += step;
    }
    return true;
}

std::string DecodeText(const std::string& raw, bool utf8Flag) {
    if (utf8Flag && IsValidUtf8(raw)) return raw;
    // Unmarked names that are valid UTF-8 with multi-byte characters are UTF-8
    // far more often than they are code page 437 that happens to look so.
    if (!IsAscii(raw) && IsValidUtf8(raw)) return raw;
    return DecodeLegacy(raw);
}

}  // namespace

uint32_t Entry::Attributes() const {
    uint32_t host = versionMadeBy >> 8;
    uint32_t attributes = 0;
    if (host == 3 || host == 19) {  // Unix, OS X: mode bits in the high word
        uint32_t mode = externalAttributes >> 16;
        if ((mode & 0170000) == 0040000) attributes |= 0x10;
        if (mode != 0 && (mode & 0200) == 0) attributes |= 0x01;
        attributes |= externalAttributes & 0x3F;  // some writers set both
    } else {
        attributes = externalAttributes & 0xFF;
    }
    if (isFolder) attributes |= 0x10;
    else attributes &= ~0x10u;
    return attributes & 0x37;  // read-only, hidden, system, folder, archive
}

void ParseCentralExtras(const uint8_t* extra, size_t length, Entry* e, bool sizeMissing,
                        bool compressedMissing, bool offsetMissing, bool* zip64Bad) {
    size_t pos = 0;
    *zip64Bad = sizeMissing || compressedMissing || offsetMissing;
    while (pos + 4 <= length) {
        uint16_t id = Get16(extra + pos);
        uint16_t size = Get16(extra + pos + 2);
        const uint8_t* d = extra + pos + 4;
        if (pos + 4 + size > length) break;
        if (id == kExtraZip64) {
            size_t need = (sizeMissing ? 8 : 0) + (compressedMissing ? 8 : 0) + (offsetMissing ? 8 : 0);
            if (size >= need) {
                size_t at = 0;
                if (sizeMissing) { e->size = Get64(d + at); at += 8; }
                if (compressedMissing) { e->compressedSize = Get64(d + at); at += 8; }
                if (offsetMissing) { e->localHeaderOffset = Get64(d + at); at += 8; }
                *zip64Bad = false;
            }
        } else if (id == kExtraNtfs && size >= 4) {
            size_t at = 4;
            while (at + 4 <= size) {
                uint16_t tag = Get16(d + at), tagSize = Get16(d + at + 2);
                if (at + 4 + tagSize > size) break;
                if (tag == 1 && tagSize >= 8) e->fileTime = Get64(d + at + 4);
                at += 4 + tagSize;
            }
        } else if (id == kExtraUnixTime && size >= 5 && (d[0] & 1) && e->fileTime == 0) {
            e->fileTime = UnixToFileTime(static_cast<int32_t>(Get32(d + 1)));
        } else if (id == kExtraAes && size >= 7) {
            e->aesVersion = Get16(d);
            e->aesStrength = d[4];
            e->method = Get16(d + 5);
        } else if (id == kExtraUnicodePath && size >= 5 && d[0] == 1) {
            std::string utf8(reinterpret_cast<const char*>(d + 5), size - 5);
            uint32_t crc = static_cast<uint32_t>(
                crc32(0, reinterpret_cast<const Bytef*>(e->rawName.data()), static_cast<uInt>(e->rawName.size())));
            if (!utf8.empty() && IsValidUtf8(utf8) && (crc == Get32(d + 1) || SameSkeleton(e->rawName, utf8)))
                e->name = utf8;
        }
        pos += 4 + size;
    }
}

Result Archive::Open(InputFile* file) {
    file_ = file;
    entries_.clear();
    comment_.clear();
    rawComment_.clear();
    const uint64_t fileSize = file->Size();
    if (fileSize < kEndSize) return kNotZip;
    // The end record lies within the last 64 KiB + 22 bytes (its comment is at most 64 KiB).
    size_t window = static_cast<size_t>(std::min<uint64_t>(fileSize, kMaxCommentLength + kEndSize));
    std::vector<uint8_t> tail(window);
    uint64_t tailStart = fileSize - window;
    if (!ReadExact(*file, tailStart, tail.data(), window)) return kReadError;
    int64_t found = -1;
    for (int64_t i = static_cast<int64_t>(window - kEndSize); i >= 0; --i) {
        const uint8_t* p = tail.data() + i;
        if (Get32(p) != kEndSignature) continue;
        size_t commentLength = Get16(p + 20);
        if (static_cast<size_t>(i) + kEndSize + commentLength <= window) {
            found = i;
            break;
        }
    }
    if (found < 0) return kNotZip;
    const uint8_t* end = tail.data() + found;
    const uint64_t endPos = tailStart + static_cast<uint64_t>(found);
    uint32_t disk = Get16(end + 4), cdDisk = Get16(end + 6);
    uint64_t diskEntries = Get16(end + 8), count = Get16(end + 10);
    uint64_t cdSize = Get32(end + 12), cdOffset = Get32(end + 16);
    rawComment_.assign(reinterpret_cast<const char*>(end + kEndSize), Get16(end + 20));
    comment_ = DecodeText(rawComment_, true);
    uint64_t cdEnd = endPos;  // where the directory should end

    if (endPos >= kZip64LocatorSize) {
        uint8_t loc[kZip64LocatorSize];
        if (ReadExact(*file, endPos - kZip64LocatorSize, loc, sizeof loc) &&
            Get32(loc) == kZip64LocatorSignature) {
            uint64_t recordPos = Get64(loc + 8);
            // The locator's offset is off by any prefix; the record lies right before it.
            uint64_t expectedPos = endPos - kZip64LocatorSize - kZip64EndSize;
            uint8_t rec[kZip64EndSize];
            uint64_t at = expectedPos;
            if (recordPos < fileSize && ReadExact(*file, recordPos, rec, sizeof rec) &&
                Get32(rec) == kZip64EndSignature)
                at = recordPos;
            if (ReadExact(*file, at, rec, sizeof rec) && Get32(rec) == kZip64EndSignature) {
                disk = Get32(rec + 16);
                cdDisk = Get32(rec + 20);
                diskEntries = Get64(rec + 24);
                count = Get64(rec + 32);
                cdSize = Get64(rec + 40);
                cdOffset = Get64(rec + 48);
                cdEnd = at;
                if (Get32(loc + 16) > 1) return kMultiDisk;
            } else if (count == 0xFFFF || cdOffset == 0xFFFFFFFF || cdSize == 0xFFFFFFFF) {
                return kBadArchive;
            }
        }
    }
    if (disk != 0 || cdDisk != 0 || diskEntries != count) return kMultiDisk;
    if (cdSize > cdEnd || count > cdSize / kCentralHeaderSize) return count == 0 && cdSize == 0 ? kOk : kBadArchive;
    // Bytes in front of the archive shift every offset by the same amount.
    uint64_t actualStart = cdEnd - cdSize;
    if (actualStart < cdOffset) return kTruncated;
    base_ = actualStart - cdOffset;
    centralOffset_ = actualStart;
    return ReadCentralDirectory(actualStart, cdSize, count);
}

Result Archive::ReadCentralDirectory(uint64_t offset, uint64_t size, uint64_t count) {
    if (size > (uint64_t(1) << 31)) return kTooLarge;
    std::vector<uint8_t> cd(static_cast<size_t>(size));
    if (!ReadExact(*file_, offset, cd.data(), cd.size())) return kTruncated;
    entries_.reserve(static_cast<size_t>(count));
    size_t pos = 0;
    for (uint64_t i = 0; i < count; ++i) {
        if (pos + kCentralHeaderSize > cd.size()) return kBadArchive;
        const uint8_t* h = cd.data() + pos;
        if (Get32(h) != kCentralHeaderSignature) return kBadArchive;
        size_t nameLength = Get16(h + 28), extraLength = Get16(h + 30), commentLength = Get16(h + 32);
        if (pos + kCentralHeaderSize + nameLength + extraLength + commentLength > cd.size()) return kBadArchive;
        if (Get16(h + 34) != 0 && Get16(h + 34) != 0xFFFF) return kMultiDisk;
        Entry e;
        e.versionMadeBy = Get16(h + 4);
        e.flags = Get16(h + 8);
        e.storedMethod = e.method = Get16(h + 10);
        e.dosTime = (uint32_t(Get16(h + 14)) << 16) | Get16(h + 12);
        e.crc = Get32(h + 16);
        e.compressedSize = Get32(h + 20);
        e.size = Get32(h + 24);
        e.externalAttributes = Get32(h + 38);
        e.localHeaderOffset = Get32(h + 42);
        const char* text = reinterpret_cast<const char*>(h + kCentralHeaderSize);
        e.rawName.assign(text, nameLength);
        bool utf8 = (e.flags & kFlagUtf8) != 0;
        e.name = DecodeText(e.rawName, utf8);
        e.rawComment.assign(text + nameLength + extraLength, commentLength);
        e.comment = DecodeText(e.rawComment, utf8);
        e.centralExtra.assign(text + nameLength, extraLength);
        e.versionNeeded = Get16(h + 6);
        e.internalAttributes = Get16(h + 36);
        bool zip64Bad = false;
        ParseCentralExtras(h + kCentralHeaderSize + nameLength, extraLength, &e, e.size == 0xFFFFFFFF,
                           e.compressedSize == 0xFFFFFFFF, e.localHeaderOffset == 0xFFFFFFFF, &zip64Bad);
        // A size that says "see ZIP64" without the field is taken as it stands,
        // as writers of small files do; the data checks catch a lie.
        (void)zip64Bad;
        std::replace(e.name.begin(), e.name.end(), '\\', '/');
        e.isFolder = !e.name.empty() && e.name.back() == '/';
        if (!e.isFolder && e.size == 0 && (e.externalAttributes & 0x10) && (e.versionMadeBy >> 8) == 0) {
            e.isFolder = true;
            e.name += '/';
        }
        e.localHeaderOffset += base_;
        entries_.push_back(e);
        pos += kCentralHeaderSize + nameLength + extraLength + commentLength;
    }
    // Entries must not share bytes: each one's data ends before the next begins.
    std::vector<size_t> order(entries_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [this](size_t a, size_t b) {
        return entries_[a].localHeaderOffset < entries_[b].localHeaderOffset;
    });
    for (size_t k = 0; k < order.size(); ++k) {
        Entry& e = entries_[order[k]];
        uint64_t limit = k + 1 < order.size() ? entries_[order[k + 1]].localHeaderOffset : centralOffset_;
        uint64_t minimumEnd = e.localHeaderOffset + kLocalHeaderSize + e.rawName.size();
        if (e.localHeaderOffset >= centralOffset_ || minimumEnd < e.localHeaderOffset ||
            e.compressedSize > limit || minimumEnd > limit - e.compressedSize) {
            // Both sides of a shared byte range are refused, not only the first.
            e.overlaps = true;
            if (k + 1 < order.size()) entries_[order[k + 1]].overlaps = true;
        }
    }
    return kOk;
}

Result Archive::DataOffset(const Entry& entry, uint64_t* offset) const {
    uint8_t h[kLocalHeaderSize];
    if (!ReadExact(*file_, entry.localHeaderOffset, h, sizeof h)) return kTruncated;
    if (Get32(h) != kLocalHeaderSignature) return kBadArchive;
    uint64_t start = entry.localHeaderOffset + kLocalHeaderSize + Get16(h + 26) + Get16(h + 28);
    if (start + entry.compressedSize > centralOffset_ || start + entry.compressedSize < start) return kBadArchive;
    *offset = start;
    return kOk;
}

const char* ResultText(Result result) {
    switch (result) {
    case kOk: return "ok";
    case kNotZip: return "not a ZIP archive";
    case kBadArchive: return "damaged archive";
    case kTruncated: return "archive is truncated";
    case kMultiDisk: return "part of a multi-volume archive";
    case kUnsupportedMethod: return "unsupported compression method";
    case kCrcError: return "CRC error";
    case kDataError: return "compressed data is damaged";
    case kSizeMismatch: return "size does not match the header";
    case kNeedPassword: return "password required";
    case kBadPassword: return "wrong password";
    case kNoCrypto: return "encryption not available";
    case kUnsafeName: return "unsafe name refused";
    case kReadError: return "read error";
    case kWriteError: return "write error";
    case kOpenError: return "cannot open file";
    case kCreateError: return "cannot create file";
    case kCancelled: return "cancelled";
    case kNoMemory: return "out of memory";
    case kTooLarge: return "too large";
    }
    return "error";
}

}  // namespace fyxzip
