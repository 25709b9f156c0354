// RAR 5.0 reader: walks the blocks of a volume set, reports file headers and
// unpacks their data over volumes, through decryption, with checksums.
#include <string.h>
#include <zlib.h>

#include "fyxcrypto.h"
#include "rar5_crypt.h"
#include "rar5_format.h"
#include "rar5_streams.h"
#include "rar5_unpack.h"
#include "rar_reader.h"

namespace fyxrar {

namespace {

const uint64_t kMaxHeaderSize = 2 * 1024 * 1024;
const uint64_t kSfxLimit = 1 << 20;

class Rar5Reader;

// The packed bytes of one entry, continued into the next volumes.
class PartSource : public RawSource {
public:
    PartSource(Rar5Reader* reader, FileRecord5* record, bool follow)
        : reader_(reader), record_(record), follow_(follow), offset_(0) {}
    bool ReadExact(uint8_t* buffer, size_t size, Result* error) override;
    bool ReadSome(uint8_t* buffer, size_t size, size_t* got, Result* error) override;

private:
    Rar5Reader* reader_;
    FileRecord5* record_;
    bool follow_;
    uint64_t offset_;  // within the current part
};

class Rar5Reader : public Reader {
public:
    Result Open(Host* host, const std::string& path, std::unique_ptr<Stream> first, uint64_t signatureAt,
                OpenMode mode, ArchiveInfo* info) override;
    Result NextEntry(EntryInfo* entry) override;
    Result Extract(DataSink* sink) override;
    Result Skip() override;

    // Moves `record` to its next part in the next volume.
    Result NextPart(FileRecord5* record);
    bool ReadAt(uint64_t pos, void* buffer, size_t size, size_t* got);

private:
    Result ReadBlock(uint64_t pos, Block5* block, uint64_t* next);
    Result ReadVolumeStart(uint64_t pos);
    Result NextVolume();
    Result ReadComment(const Block5& block);
    Result UnpackRecord(FileRecord5* record, DataSink* sink, bool report, Unpacker* unpacker, bool follow);
    Result Keys(const Encryption5& crypt, const Keys5** keys);

    Host* host_ = nullptr;
    std::string path_;
    std::unique_ptr<Stream> stream_;
    OpenMode mode_ = kModeList;
    ArchiveInfo info_;
    bool headersEncrypted_ = false;
    Keys5 headerKeys_;
    KeyCache5 keyCache_;
    uint64_t pos_ = 0;
    bool ended_ = false;
    bool broken_ = false;
    bool haveCurrent_ = false;
    FileRecord5 current_;
    Unpacker unpacker_;
};

bool PartSource::ReadSome(uint8_t* buffer, size_t size, size_t* got, Result* error) {
    *got = 0;
    while (offset_ >= record_->dataSize) {
        if (!follow_ || !record_->info.splitAfter) return true;
        Result r = reader_->NextPart(record_);
        if (r != kOk) {
            *error = r;
            return false;
        }
        offset_ = 0;
    }
    uint64_t left = record_->dataSize - offset_;
    size_t n = size < left ? size : (size_t)left;
    size_t have = 0;
    if (!reader_->ReadAt(record_->dataStart + offset_, buffer, n, &have) || have != n) {
        *error = kReadError;
        return false;
    }
    offset_ += n;
    *got = n;
    return true;
}

bool PartSource::ReadExact(uint8_t* buffer, size_t size, Result* error) {
    while (size > 0) {
        size_t got = 0;
        if (!ReadSome(buffer, size, &got, error)) return false;
        if (got == 0) {
            // The decoder wants more than the entry holds.
            *error = kBadData;
            return false;
        }
        buffer += got;
        size -= got;
    }
    return true;
}

bool Rar5Reader::ReadAt(uint64_t pos, void* buffer, size_t size, size_t* got) {
    *got = 0;
    if (!stream_->Seek(pos)) return false;
    uint8_t* out = (uint8_t*)buffer;
    while (*got < size) {
        size_t n = 0;
        if (!stream_->Read(out + *got, size - *got, &n)) return false;
        if (n == 0) break;
        *got += n;
    }
    return true;
}

Result Rar5Reader::ReadBlock(uint64_t pos, Block5* block, uint64_t* next) {
    std::vector<uint8_t> raw;
    size_t got = 0;
    uint8_t head[16];
    uint64_t at = pos;
    fyxcrypto::Aes aes;
    uint8_t iv[16];
    if (headersEncrypted_) {
        if (!ReadAt(at, iv, 16, &got)) return kReadError;
        if (got == 0) return kEndArchive;
        if (got < 16) return kReadError;
        at += 16;
        if (!aes.SetKey(headerKeys_.key, 32)) return kUnknownFormat;
        if (!ReadAt(at, head, 16, &got)) return kReadError;
        if (got < 16) return kReadError;
        if (!aes.DecryptCbc(iv, head, head, 16)) return kUnknownFormat;
    } else {
        if (!ReadAt(at, head, 7, &got)) return kReadError;
        if (got == 0) return kEndArchive;
        if (got < 7) return kReadError;
    }
    // CRC32, then the header size as a vint of at most three bytes.
    uint64_t size = 0;
    size_t sizeBytes = 0;
    for (; sizeBytes < 3; ++sizeBytes) {
        uint8_t b = head[4 + sizeBytes];
        size |= (uint64_t)(b & 0x7F) << (7 * sizeBytes);
        if (!(b & 0x80)) break;
    }
    if (sizeBytes == 3 || size == 0 || size > kMaxHeaderSize) return kBadData;
    ++sizeBytes;
    size_t total = 4 + sizeBytes + (size_t)size;
    size_t stored = headersEncrypted_ ? (total + 15) & ~(size_t)15 : total;
    raw.resize(stored);
    size_t first = headersEncrypted_ ? 16 : 7;
    if (first > stored) first = stored;
    memcpy(raw.data(), head, first);
    if (stored > first) {
        if (!ReadAt(at + first, raw.data() + first, stored - first, &got)) return kReadError;
        if (got < stored - first) return kReadError;
        if (headersEncrypted_ && !aes.DecryptCbc(iv, raw.data() + 16, raw.data() + 16, stored - 16))
            return kUnknownFormat;
    }
    uint32_t stored_crc = (uint32_t)raw[0] | ((uint32_t)raw[1] << 8) | ((uint32_t)raw[2] << 16) |
                          ((uint32_t)raw[3] << 24);
    if ((uint32_t)crc32(0, raw.data() + 4, (uInt)(total - 4)) != stored_crc) {
        // With encrypted headers a wrong key shows up here.
        return kBadData;
    }
    if (!ParseBlock(raw.data() + 4 + sizeBytes, (size_t)size, block)) return kBadData;
    block->dataStart = at + stored;
    if (block->dataStart + block->dataSize < block->dataStart) return kBadData;
    *next = block->dataStart + block->dataSize;
    return kOk;
}

Result Rar5Reader::Keys(const Encryption5& crypt, const Keys5** keys) {
    if (crypt.version != 0 || !fyxcrypto::Available()) return kUnknownFormat;
    std::string password;
    if (!host_->GetPassword(&password) || password.empty()) return kMissingPassword;
    *keys = keyCache_.Get(LimitPassword(password), crypt.salt, crypt.kdfCount);
    if (!*keys) return kUnknownFormat;
    if (PasswordRejected5(crypt, **keys)) return kBadPassword;
    return kOk;
}

// Reads the optional archive encryption header and the main header at `pos`.
Result Rar5Reader::ReadVolumeStart(uint64_t pos) {
    Block5 block;
    uint64_t next = 0;
    headersEncrypted_ = false;
    Result r = ReadBlock(pos, &block, &next);
    if (r == kEndArchive) return kBadArchive;
    if (r != kOk) return r;
    if (block.type == kBlockCrypt) {
        Encryption5 crypt;
        if (!ParseCryptHeader(block, &crypt)) return kBadData;
        info_.encryptedHeaders = true;
        const Keys5* keys = nullptr;
        r = Keys(crypt, &keys);
        if (r != kOk) return r;
        headerKeys_ = *keys;
        headersEncrypted_ = true;
        r = ReadBlock(next, &block, &next);
        if (r == kEndArchive) return kBadArchive;
        if (r != kOk) return r;
    }
    if (block.type != kBlockMain) return kBadArchive;
    MainHeader5 main;
    if (!ParseMainHeader(block, &main)) return kBadData;
    info_.volume = (main.flags & 0x0001) != 0;
    info_.firstVolume = info_.volume && !(main.flags & 0x0002);
    info_.solid = (main.flags & 0x0004) != 0;
    info_.recoveryRecord = (main.flags & 0x0008) != 0;
    info_.locked = (main.flags & 0x0010) != 0;
    info_.newNumbering = info_.volume;
    pos_ = next;
    return kOk;
}

Result Rar5Reader::Open(Host* host, const std::string& path, std::unique_ptr<Stream> first,
                        uint64_t signatureAt, OpenMode mode, ArchiveInfo* info) {
    host_ = host;
    path_ = path;
    stream_ = std::move(first);
    mode_ = mode;
    info_ = ArchiveInfo();
    info_.generation = 5;
    Result r = ReadVolumeStart(signatureAt + 8);
    if (r == kBadData && !info_.encryptedHeaders) {
        // A damaged main header: the archive opens, its headers read as broken.
        broken_ = true;
        *info = info_;
        return kOk;
    }
    if (r != kOk) return r;
    // An archive comment comes right after the main header.
    Block5 block;
    uint64_t next = 0;
    if (ReadBlock(pos_, &block, &next) == kOk && block.type == kBlockService) {
        r = ReadComment(block);
        if (r == kOk) pos_ = next;
    }
    *info = info_;
    return kOk;
}

Result Rar5Reader::ReadComment(const Block5& block) {
    FileRecord5 record;
    if (!ParseFileHeader(block, &record) || record.serviceName != "CMT") return kBadData;
    struct TextSink : DataSink {
        std::string text;
        bool Write(const uint8_t* data, size_t size) override {
            if (text.size() + size > (1 << 20)) return false;
            text.append((const char*)data, size);
            return true;
        }
    } sink;
    Unpacker own;
    Result r = UnpackRecord(&record, &sink, false, &own, false);
    info_.hasComment = true;
    // The stored text may be padded with a terminating zero and more.
    if (r == kOk) info_.comment = sink.text.substr(0, sink.text.find('\0'));
    return kOk;
}

Result Rar5Reader::NextVolume() {
    std::string name = NextVolumeName(path_, true);
    std::unique_ptr<Stream> s;
    for (;;) {
        s = host_->OpenVolume(name);
        if (s) break;
        if (!host_->AskVolume(&name)) return kOpenError;
    }
    if (!host_->VolumeOpened(name)) return kOpenError;
    uint64_t at = 0;
    if (FindSignature(s.get(), kSfxLimit, &at) != 5) return kBadArchive;
    stream_ = std::move(s);
    path_ = name;
    bool solid = info_.solid;
    bool encrypted = info_.encryptedHeaders;
    Result r = ReadVolumeStart(at + 8);
    info_.solid = solid;
    info_.encryptedHeaders = encrypted;
    return r;
}

Result Rar5Reader::NextPart(FileRecord5* record) {
    Result r = NextVolume();
    if (r != kOk) return r;
    for (;;) {
        Block5 block;
        uint64_t next = 0;
        r = ReadBlock(pos_, &block, &next);
        if (r == kEndArchive) return kBadData;
        if (r != kOk) return r;
        pos_ = next;
        if (block.type == kBlockService) continue;
        if (block.type != kBlockFile) return kBadData;
        FileRecord5 part;
        if (!ParseFileHeader(block, &part) || !part.info.splitBefore || part.info.name != record->info.name)
            return kBadData;
        // Later parts carry the checksums that count (the last one: of the file).
        record->dataStart = part.dataStart;
        record->dataSize = part.dataSize;
        record->info.splitAfter = part.info.splitAfter;
        record->hasCrc = part.hasCrc;
        record->hasBlake2 = part.hasBlake2;
        record->info.crc32 = part.info.crc32;
        memcpy(record->info.blake2, part.info.blake2, 32);
        if (part.crypt.present) record->crypt.tweakedChecksums = part.crypt.tweakedChecksums;
        return kOk;
    }
}

Result Rar5Reader::NextEntry(EntryInfo* entry) {
    haveCurrent_ = false;
    if (broken_) return kBadData;
    if (ended_) return kEndArchive;
    for (;;) {
        Block5 block;
        uint64_t next = 0;
        Result r = ReadBlock(pos_, &block, &next);
        if (r == kEndArchive) {
            // An archive may end without its end block.
            ended_ = true;
            return kEndArchive;
        }
        if (r != kOk) return r;
        pos_ = next;
        if (block.type == kBlockEnd) {
            FieldReader fr(block.fields.data(), block.extraAt);
            uint64_t endFlags = fr.Vint();
            if (!(endFlags & 0x0001)) {
                ended_ = true;
                return kEndArchive;
            }
            r = NextVolume();
            if (r != kOk) return r;
            continue;
        }
        if (block.type != kBlockFile) continue;
        FileRecord5 record;
        if (!ParseFileHeader(block, &record)) return kBadData;
        if (record.info.splitBefore && mode_ != kModeListIncSplit) continue;
        current_ = record;
        haveCurrent_ = true;
        *entry = record.info;
        return kOk;
    }
}

Result Rar5Reader::UnpackRecord(FileRecord5* f, DataSink* sink, bool report, Unpacker* unpacker, bool follow) {
    const EntryInfo& e = f->info;
    // Algorithms after the 7.0 one are not known.
    if ((f->compression & 0x3F) > 1 && e.method != 0x30) return kUnknownFormat;
    const Keys5* keys = nullptr;
    if (f->crypt.present) {
        Result r = Keys(f->crypt, &keys);
        if (r != kOk) return r;
    }
    PartSource raw(this, f, follow);
    std::unique_ptr<CbcSource> cbc;
    PackedSource* in = &raw;
    if (keys) {
        cbc.reset(new CbcSource(&raw, *keys, f->crypt.iv));
        in = cbc.get();
    }
    OutputSink out(sink, report ? host_ : nullptr, f->hasBlake2);
    Result r = kOk;
    if (e.method == 0x30) {
        uint8_t buffer[65536];
        uint64_t left = e.unpackedSize;
        for (;;) {
            size_t want = sizeof(buffer);
            if (!e.unpackedSizeUnknown && left < want) want = (size_t)left;
            if (want == 0) break;
            size_t got = 0;
            if (keys) {
                if (!cbc->ReadExact(buffer, want, &r)) break;
                got = want;
            } else if (!raw.ReadSome(buffer, want, &got, &r)) {
                break;
            }
            if (got == 0) {
                if (!e.unpackedSizeUnknown) r = kBadData;
                break;
            }
            if (!out.Put(buffer, got)) {
                r = out.error_;
                break;
            }
            left -= got;
        }
        if (keys && r == kBadData && e.unpackedSizeUnknown) r = kOk;
    } else {
        r = unpacker->Begin(e.dictionarySize, e.solid, f->version7, e.unpackedSize, info_.solid);
        if (r == kOk) r = unpacker->Unpack(in, e.unpackedSize, e.unpackedSizeUnknown, &out);
        if (r == kWriteError && out.error_ != kOk) r = out.error_;
    }
    if (r != kOk) return r;
    if (!e.unpackedSizeUnknown && out.count_ < e.unpackedSize) return kBadData;
    if (f->hasCrc) {
        uint32_t crc = out.Crc();
        if (keys && f->crypt.tweakedChecksums && !CrcToMac5(*keys, crc, &crc)) return kUnknownFormat;
        if (crc != e.crc32) return kBadData;
    }
    if (f->hasBlake2) {
        uint8_t digest[32];
        out.Blake2(digest);
        if (keys && f->crypt.tweakedChecksums && !Blake2ToMac5(*keys, digest, digest)) return kUnknownFormat;
        if (memcmp(digest, e.blake2, 32) != 0) return kBadData;
    }
    return kOk;
}

Result Rar5Reader::Extract(DataSink* sink) {
    if (!haveCurrent_) return kUnknown;
    haveCurrent_ = false;
    FileRecord5& f = current_;
    bool noData = f.info.directory || (f.dataSize == 0 && !f.info.splitAfter);
    if (noData || f.info.hardlink || f.info.fileCopy || mode_ == kModeListIncSplit) {
        if (noData && !f.info.directory && !f.info.unpackedSizeUnknown && f.info.unpackedSize > 0 &&
            !f.info.hardlink && !f.info.fileCopy)
            return kBadData;
        return kOk;
    }
    Result r = UnpackRecord(&f, sink, true, &unpacker_, true);
    return r;
}

Result Rar5Reader::Skip() {
    if (!haveCurrent_) return kOk;
    const FileRecord5& f = current_;
    // Later files of a solid stream need this one's data in the dictionary.
    if (mode_ == kModeExtract && info_.solid && f.info.method != 0x30 && !f.info.directory &&
        f.dataSize > 0) {
        haveCurrent_ = false;
        return UnpackRecord(&current_, nullptr, false, &unpacker_, true);
    }
    haveCurrent_ = false;
    return kOk;
}

}  // namespace

std::unique_ptr<Reader> CreateRar5Reader() { return std::unique_ptr<Reader>(new Rar5Reader()); }

}  // namespace fyxrar
