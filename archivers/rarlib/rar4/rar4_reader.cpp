// RAR 1.5-4.x reader: blocks, volumes, passwords and entry extraction.
#include "rar4_reader.h"

#include <string.h>

#include <zlib.h>

#include "fyxcrypto.h"

namespace fyxrar {

std::unique_ptr<Reader> CreateRar4Reader() { return std::unique_ptr<Reader>(new rar4::Rar4Reader()); }

namespace rar4 {

namespace {

const size_t kMaxCommentSize = 1 << 20;
const size_t kMaxLinkTarget = 4096;

uint16_t Get2(const uint8_t* p) { return (uint16_t)(p[0] | (p[1] << 8)); }
uint32_t Get4(const uint8_t* p) {
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

bool Supported(unsigned version) { return version == 20 || version == 26 || version == 29 || version == 36; }

class MemorySource : public PackedSource {
public:
    explicit MemorySource(const std::vector<uint8_t>& data) : data_(data), pos_(0) {}
    size_t ReadPacked(uint8_t* buffer, size_t size) override {
        size_t n = data_.size() - pos_ < size ? data_.size() - pos_ : size;
        memcpy(buffer, data_.data() + pos_, n);
        pos_ += n;
        return n;
    }

private:
    const std::vector<uint8_t>& data_;
    size_t pos_;
};

class StringOutput : public UnpackOutput {
public:
    explicit StringOutput(std::vector<uint8_t>* out) : out_(out) {}
    bool Write(const uint8_t* data, size_t size) override {
        out_->insert(out_->end(), data, data + size);
        return true;
    }

private:
    std::vector<uint8_t>* out_;
};

// Counts, checks and hands on an entry's unpacked bytes.
class EntryOutput : public UnpackOutput {
public:
    EntryOutput(Host* host, DataSink* sink, bool report) : host_(host), sink_(sink), report_(report) {}
    bool Write(const uint8_t* data, size_t size) override {
        crc_ = (uint32_t)crc32(crc_, data, (uInt)size);
        count_ += size;
        if (report_ && !host_->ProcessedData(data, size)) {
            cancelled_ = true;
            return false;
        }
        if (sink_ && !sink_->Write(data, size)) {
            writeFailed_ = true;
            return false;
        }
        return true;
    }
    uint32_t crc_ = 0;
    uint64_t count_ = 0;
    bool cancelled_ = false;
    bool writeFailed_ = false;

private:
    Host* host_;
    DataSink* sink_;
    bool report_;
};

}  // namespace

// The packed bytes of the current entry, followed over volumes and decrypted.
class EntrySource : public PackedSource {
public:
    EntrySource(Rar4Reader* reader, const Rar3Key* key) : reader_(reader), pos_(reader->dataPos_), end_(reader->dataEnd_) {
        if (key) {
            encrypted_ = true;
            memcpy(iv_, key->iv, 16);
            ok_ = aes_.SetKey(key->key, 16);
            if (!ok_) error_ = kUnknownFormat;
        }
    }
    size_t ReadPacked(uint8_t* buffer, size_t size) override {
        if (!encrypted_) return ReadRaw(buffer, size);
        if (plainAt_ == plain_.size() && !Decrypt()) return 0;
        size_t n = plain_.size() - plainAt_ < size ? plain_.size() - plainAt_ : size;
        memcpy(buffer, plain_.data() + plainAt_, n);
        plainAt_ += n;
        return n;
    }
    Result error_ = kOk;

private:
    size_t ReadRaw(uint8_t* buffer, size_t size) {
        for (;;) {
            if (error_ != kOk) return 0;
            if (pos_ < end_) break;
            if (!reader_->currentSplitAfter_) return 0;
            Result r = reader_->NextPart(&pos_, &end_);
            if (r != kOk) {
                error_ = r;
                return 0;
            }
        }
        uint64_t left = end_ - pos_;
        size_t n = left < size ? (size_t)left : size;
        if (pos_ >= reader_->volumeSize_) {
            error_ = kReadError;
            return 0;
        }
        if (pos_ + n > reader_->volumeSize_) n = (size_t)(reader_->volumeSize_ - pos_);
        size_t got = 0;
        if (!reader_->volume_->Seek(pos_) || !reader_->volume_->Read(buffer, n, &got) || got == 0) {
            error_ = kReadError;
            return 0;
        }
        pos_ += got;
        return got;
    }
    // Decrypts the next piece of whole AES blocks; up to 15 raw bytes wait
    // for the rest of their block (it may lie in the next volume).
    bool Decrypt() {
        if (!ok_) return false;
        const size_t kPiece = 1 << 16;
        plain_.resize(kPiece);
        plainAt_ = 0;
        memcpy(plain_.data(), carry_, carried_);
        size_t have = carried_;
        while (have < kPiece) {
            size_t got = ReadRaw(plain_.data() + have, kPiece - have);
            if (got == 0) break;
            have += got;
        }
        size_t whole = have & ~(size_t)15;
        carried_ = have - whole;
        memcpy(carry_, plain_.data() + whole, carried_);
        plain_.resize(whole);
        if (whole && !aes_.DecryptCbc(iv_, plain_.data(), plain_.data(), whole)) {
            error_ = kUnknownFormat;
            ok_ = false;
            plain_.clear();
        }
        return !plain_.empty();
    }
    Rar4Reader* reader_;
    uint64_t pos_, end_;
    bool encrypted_ = false;
    bool ok_ = true;
    fyxcrypto::Aes aes_;
    uint8_t iv_[16];
    uint8_t carry_[16];
    size_t carried_ = 0;
    std::vector<uint8_t> plain_;
    size_t plainAt_ = 0;
};

Rar4Reader::Rar4Reader() {}
Rar4Reader::~Rar4Reader() {}

Result Rar4Reader::ReadAt(uint64_t pos, void* buffer, size_t size) {
    if (pos > volumeSize_ || size > volumeSize_ - pos) return kReadError;
    if (!volume_->Seek(pos)) return kReadError;
    size_t done = 0;
    while (done < size) {
        size_t got = 0;
        if (!volume_->Read((uint8_t*)buffer + done, size - done, &got) || got == 0) return kReadError;
        done += got;
    }
    return kOk;
}

Result Rar4Reader::NeedPassword() {
    if (havePassword_) return kOk;
    std::string pw;
    if (!host_ || !host_->GetPassword(&pw) || pw.empty()) return kMissingPassword;
    password_ = pw;
    havePassword_ = true;
    return kOk;
}

Result Rar4Reader::ReadBlock(Block* block) {
    uint64_t pos = next_;
    if (pos >= volumeSize_) return kEndArchive;
    uint64_t left = volumeSize_ - pos;
    uint8_t first[16];
    size_t headSize;
    if (encryptedHeaders_) {
        if (left < 8 + 16) return left < kBaseHeaderSize ? kEndArchive : kReadError;
        uint8_t salt[8];
        Result r = ReadAt(pos, salt, 8);
        if (r != kOk) return r;
        Rar3Key key;
        if (!keys_.Get(password_, salt, &key)) return kUnknownFormat;
        fyxcrypto::Aes aes;
        if (!aes.SetKey(key.key, 16)) return kUnknownFormat;
        r = ReadAt(pos + 8, first, 16);
        if (r != kOk) return r;
        uint8_t iv[16];
        memcpy(iv, key.iv, 16);
        if (!aes.DecryptCbc(iv, first, first, 16)) return kUnknownFormat;
        headSize = Get2(first + 5);
        // Without a check value a wrong password shows as a damaged header.
        if (headSize < kBaseHeaderSize) return kBadPassword;
        size_t padded = (headSize + 15) & ~(size_t)15;
        // A wrong key gives a random size, mostly one the file cannot hold.
        if (8 + padded > left) return kBadPassword;
        block->bytes.assign(padded, 0);
        memcpy(block->bytes.data(), first, 16);
        if (padded > 16) {
            r = ReadAt(pos + 8 + 16, block->bytes.data() + 16, padded - 16);
            if (r != kOk) return r;
            if (!aes.DecryptCbc(iv, block->bytes.data() + 16, block->bytes.data() + 16, padded - 16)) return kUnknownFormat;
        }
        block->bytes.resize(headSize);
        block->dataPos = pos + 8 + padded;
        if (!HeaderCrcMatches(block->bytes.data(), headSize)) return kBadPassword;
    } else {
        // A few stray bytes after the last block are no block.
        if (left < kBaseHeaderSize) return kEndArchive;
        Result r = ReadAt(pos, first, kBaseHeaderSize);
        if (r != kOk) return r;
        headSize = Get2(first + 5);
        if (headSize < kBaseHeaderSize) return kBadData;
        if (headSize > left) return kReadError;
        block->bytes.assign(first, first + kBaseHeaderSize);
        block->bytes.resize(headSize);
        if (headSize > kBaseHeaderSize) {
            r = ReadAt(pos + kBaseHeaderSize, block->bytes.data() + kBaseHeaderSize, headSize - kBaseHeaderSize);
            if (r != kOk) return r;
        }
        block->dataPos = pos + headSize;
        if (!HeaderCrcMatches(block->bytes.data(), headSize)) return kBadData;
    }
    ParseBlockHead(block->bytes.data(), headSize, &block->head);
    block->dataSize = 0;
    if (block->head.flags & kFileLongBlock) {
        if (headSize < 11) return kBadData;
        block->dataSize = block->head.addSize;
        if ((block->head.type == kBlockFile || block->head.type == kBlockSub) && (block->head.flags & kFileLarge) &&
            headSize >= 36)
            block->dataSize |= (uint64_t)Get4(block->bytes.data() + 32) << 32;
    }
    return kOk;
}

uint64_t Rar4Reader::DataEnd(const Block& b) const {
    // Data said to run past the end of the volume ends one byte after it, so
    // reading it fails instead of wrapping around.
    if (b.dataPos > volumeSize_ || b.dataSize > volumeSize_ - b.dataPos) return volumeSize_ + 1;
    return b.dataPos + b.dataSize;
}

Result Rar4Reader::ReadMainHeader(uint64_t at) {
    uint8_t head[kBaseHeaderSize];
    Result r = ReadAt(at, head, sizeof(head));
    if (r != kOk) return kBadArchive;
    size_t size = Get2(head + 5);
    if (head[2] != kBlockMain || size < kBaseHeaderSize + 6) return kBadArchive;
    std::vector<uint8_t> bytes(size);
    r = ReadAt(at, bytes.data(), size);
    if (r != kOk) return kBadArchive;
    uint16_t flags = Get2(bytes.data() + 3);
    // With a comment inside (RAR 2.x), the CRC may cover the fixed fields only.
    bool crcOk = HeaderCrcMatches(bytes.data(), size) ||
                 ((flags & kMainComment) && size > 13 && HeaderCrcMatches(bytes.data(), 13));
    if (!crcOk) return kBadData;
    mainFlags_ = flags;
    mainHeader_ = bytes;
    encryptedHeaders_ = (mainFlags_ & kMainPassword) != 0;
    newNumbering_ = (mainFlags_ & kMainNewNumbering) != 0;
    next_ = at + size;
    return kOk;
}

Result Rar4Reader::Open(Host* host, const std::string& path, std::unique_ptr<Stream> first, uint64_t signatureAt,
                        OpenMode mode, ArchiveInfo* info) {
    host_ = host;
    mode_ = mode;
    path_ = path;
    volume_ = std::move(first);
    volumeSize_ = volume_->Size();
    Result r = ReadMainHeader(signatureAt + kBaseHeaderSize);
    if (r != kOk) return r;
    *info = ArchiveInfo();
    info->generation = 4;
    info->volume = (mainFlags_ & kMainVolume) != 0;
    info->firstVolume = (mainFlags_ & kMainFirstVolume) != 0;
    info->solid = (mainFlags_ & kMainSolid) != 0;
    info->locked = (mainFlags_ & kMainLock) != 0;
    info->recoveryRecord = (mainFlags_ & kMainRecovery) != 0;
    info->encryptedHeaders = encryptedHeaders_;
    info->newNumbering = newNumbering_;
    if (encryptedHeaders_) {
        if (!fyxcrypto::Available()) return kUnknownFormat;
        r = NeedPassword();
        if (r != kOk) return r;
        // The first block tells whether the password is right.
        Block probe;
        uint64_t keep = next_;
        r = ReadBlock(&probe);
        next_ = keep;
        if (r != kOk && r != kEndArchive) return r;
    }
    ReadComment(info);
    return kOk;
}

bool Rar4Reader::DecodeCommentData(const FileHeader& h, const std::vector<uint8_t>& data, uint32_t crcMask,
                                   std::string* text) {
    std::vector<uint8_t> out;
    if (h.method == 0x30) {
        out = data;
    } else {
        if (!Supported(h.unpackVersion) || h.unpackedSize > kMaxCommentSize) return false;
        Unpacker unpacker;
        MemorySource source(data);
        StringOutput sink(&out);
        if (unpacker.Unpack(h.unpackVersion, false, h.unpackedSize, &source, &sink) != kOk) return false;
    }
    if (out.size() > h.unpackedSize) out.resize((size_t)h.unpackedSize);
    if ((((uint32_t)crc32(0L, out.data(), (uInt)out.size()) ^ h.crc) & crcMask) != 0) return false;
    while (!out.empty() && out.back() == 0) out.pop_back();
    *text = EightBitNameToUtf8(out.data(), out.size());
    return true;
}

// An old-style comment block (inside the RAR 2.x main header, or type 0x75):
// 7 common bytes, unpacked size, version, method, 16-bit CRC, then the data.
bool Rar4Reader::ReadOldComment(const uint8_t* block, size_t size, std::string* text) {
    if (size < 13) return false;
    FileHeader h;
    h.unpackedSize = Get2(block + 7);
    h.unpackVersion = block[9];
    h.method = block[10];
    h.crc = Get2(block + 11);
    std::vector<uint8_t> data(block + 13, block + size);
    return DecodeCommentData(h, data, 0xFFFF, text);
}

void Rar4Reader::ReadComment(ArchiveInfo* info) {
    // RAR 2.x keeps the comment inside the main header, RAR 3.x in a "CMT"
    // sub-block right after it.
    if ((mainFlags_ & kMainComment) && mainHeader_.size() > 13 + kBaseHeaderSize) {
        const uint8_t* block = mainHeader_.data() + 13;
        size_t size = Get2(block + 5);
        info->hasComment = true;
        if (block[2] == kBlockOldComment && size <= mainHeader_.size() - 13) ReadOldComment(block, size, &info->comment);
        return;
    }
    uint64_t keep = next_;
    Block b;
    if (ReadBlock(&b) != kOk) {
        next_ = keep;
        return;
    }
    FileHeader h;
    if (b.head.type == kBlockSub && ParseFileHeader(b.bytes.data(), b.bytes.size(), &h) && h.rawName == "CMT") {
        next_ = DataEnd(b);
        info->hasComment = true;
        if (b.dataSize > kMaxCommentSize || b.dataPos + b.dataSize > volumeSize_) return;
        std::vector<uint8_t> data((size_t)b.dataSize);
        if (ReadAt(b.dataPos, data.data(), data.size()) != kOk) return;
        if (h.flags & kFileEncrypted) {
            Rar3Key key;
            fyxcrypto::Aes aes;
            if (!havePassword_ || !h.hasSalt || !keys_.Get(password_, h.salt, &key) || !aes.SetKey(key.key, 16)) return;
            data.resize(data.size() & ~(size_t)15);
            if (!aes.DecryptCbc(key.iv, data.data(), data.data(), data.size())) return;
        }
        DecodeCommentData(h, data, 0xFFFFFFFF, &info->comment);
        return;
    }
    if (b.head.type == kBlockOldComment) {
        next_ = DataEnd(b);
        info->hasComment = true;
        ReadOldComment(b.bytes.data(), b.bytes.size(), &info->comment);
        return;
    }
    next_ = keep;
}

Result Rar4Reader::OpenNextVolume() {
    std::string name = NextVolumeName(path_, newNumbering_);
    std::unique_ptr<Stream> stream = host_ ? host_->OpenVolume(name) : nullptr;
    while (!stream) {
        if (!host_ || !host_->AskVolume(&name)) return kOpenError;
        stream = host_->OpenVolume(name);
    }
    if (!host_->VolumeOpened(name)) return kOpenError;
    uint64_t at = 0;
    if (FindSignature(stream.get(), 1 << 20, &at) != 4) return kBadArchive;
    volume_ = std::move(stream);
    volumeSize_ = volume_->Size();
    path_ = name;
    return ReadMainHeader(at + kBaseHeaderSize);
}

Result Rar4Reader::NextPart(uint64_t* pos, uint64_t* end) {
    Result r = OpenNextVolume();
    if (r != kOk) return r;
    for (;;) {
        Block b;
        r = ReadBlock(&b);
        if (r == kEndArchive) return kBadData;
        if (r != kOk) return r;
        next_ = DataEnd(b);
        if (b.head.type == kBlockEnd) return kBadData;
        if (b.head.type != kBlockFile) continue;
        FileHeader h;
        if (!ParseFileHeader(b.bytes.data(), b.bytes.size(), &h) || !(h.flags & kFileSplitBefore)) return kBadData;
        *pos = b.dataPos;
        *end = DataEnd(b);
        currentSplitAfter_ = (h.flags & kFileSplitAfter) != 0;
        lastSplitAfter_ = currentSplitAfter_;
        finalCrc_ = h.crc;
        return kOk;
    }
}

void Rar4Reader::ReadLinkTarget(EntryInfo* entry) {
    if (current_.method != 0x30 || (current_.flags & (kFileEncrypted | kFileSplitAfter | kFileSplitBefore)) ||
        current_.packedSize > kMaxLinkTarget || dataEnd_ > volumeSize_)
        return;
    std::vector<char> target((size_t)current_.packedSize);
    if (ReadAt(dataPos_, target.data(), target.size()) == kOk) entry->linkTarget.assign(target.begin(), target.end());
}

Result Rar4Reader::NextEntry(EntryInfo* entry) {
    if (broken_ != kOk) return broken_;
    if (atEnd_) return kEndArchive;
    if (haveEntry_ && !entryDone_) {
        Result r = Skip();
        if (r != kOk && broken_ != kOk) return broken_;
    }
    haveEntry_ = false;
    for (;;) {
        Block b;
        Result r = ReadBlock(&b);
        if (r == kEndArchive) {
            if ((mainFlags_ & kMainVolume) && lastSplitAfter_) {
                // No end block, but the last file goes on in the next volume.
                r = OpenNextVolume();
                if (r != kOk) return broken_ = r;
                continue;
            }
            atEnd_ = true;
            return kEndArchive;
        }
        if (r != kOk) return broken_ = r;
        next_ = DataEnd(b);
        if (b.head.type == kBlockEnd) {
            if ((mainFlags_ & kMainVolume) && (b.head.flags & kEndNextVolume)) {
                r = OpenNextVolume();
                if (r != kOk) return broken_ = r;
                continue;
            }
            atEnd_ = true;
            return kEndArchive;
        }
        if (b.head.type != kBlockFile) continue;
        FileHeader h;
        if (!ParseFileHeader(b.bytes.data(), b.bytes.size(), &h)) return broken_ = kBadData;
        lastSplitAfter_ = (h.flags & kFileSplitAfter) != 0;
        if ((h.flags & kFileSplitBefore) && mode_ != kModeListIncSplit) continue;
        current_ = h;
        dataPos_ = b.dataPos;
        dataEnd_ = DataEnd(b);
        currentSplitAfter_ = lastSplitAfter_;
        finalCrc_ = h.crc;
        haveEntry_ = true;
        entryDone_ = false;
        *entry = EntryInfo();
        entry->name = h.name;
        entry->packedSize = b.dataSize;
        entry->unpackedSize = h.unpackedSize;
        entry->unpackedSizeUnknown = h.unpackedSizeUnknown;
        entry->attributes = h.attributes;
        entry->hostOs = (HostOs)(h.hostOs <= kHostBeOs ? h.hostOs : kHostWin32);
        entry->unpackVersion = h.unpackVersion;
        entry->method = h.method;
        entry->dictionarySize = h.dictionarySize;
        entry->hashKind = kHashCrc32;
        entry->crc32 = h.crc;
        entry->modified = h.modified;
        entry->created = h.created;
        entry->accessed = h.accessed;
        entry->dosTime = h.dosTime;
        entry->directory = h.directory;
        entry->encrypted = (h.flags & kFileEncrypted) != 0;
        entry->solid = (h.flags & kFileSolid) != 0;
        entry->splitBefore = (h.flags & kFileSplitBefore) != 0;
        entry->splitAfter = (h.flags & kFileSplitAfter) != 0;
        entry->symlink = h.hostOs == kHostUnix && (h.attributes & 0xF000) == 0xA000;
        if (entry->symlink) ReadLinkTarget(entry);
        return kOk;
    }
}

Result Rar4Reader::Decode(DataSink* sink, bool report) {
    const FileHeader& h = current_;
    bool stored = h.method == 0x30;
    if (!stored && !Supported(h.unpackVersion)) return kUnknownFormat;
    Rar3Key key;
    bool encrypted = (h.flags & kFileEncrypted) != 0;
    if (encrypted) {
        // Only the AES cipher of RAR 2.9 and later is supported.
        if (h.unpackVersion < 29 || !h.hasSalt || !fyxcrypto::Available()) return kUnknownFormat;
        Result r = NeedPassword();
        if (r != kOk) return r;
        if (!keys_.Get(password_, h.salt, &key)) return kUnknownFormat;
    }
    EntrySource source(this, encrypted ? &key : nullptr);
    EntryOutput out(host_, sink, report);
    Result decoded = kOk;
    if (stored) {
        std::vector<uint8_t> buffer(1 << 16);
        uint64_t left = h.unpackedSize;
        while (h.unpackedSizeUnknown || left > 0) {
            size_t got = source.ReadPacked(buffer.data(), buffer.size());
            if (got == 0) break;
            size_t n = !h.unpackedSizeUnknown && got > left ? (size_t)left : got;
            if (!out.Write(buffer.data(), n)) break;
            left -= n;
        }
    } else {
        if (!unpacker_) unpacker_.reset(new Unpacker());
        bool solid = (h.flags & kFileSolid) != 0;
        uint64_t size = h.unpackedSizeUnknown ? ~(uint64_t)0 : h.unpackedSize;
        decoded = unpacker_->Unpack(h.unpackVersion, solid, size, &source, &out);
    }
    if (out.cancelled_) return kUnknown;
    if (out.writeFailed_) return kWriteError;
    if (source.error_ != kOk) return source.error_;
    // Data decrypted with a wrong key is noise that may look like anything,
    // a foreign filter program included: for RAR 4.x that is a CRC error.
    if (decoded == kUnknownFormat && encrypted) return kBadData;
    if (decoded != kOk && decoded != kUnknown) return decoded;
    if ((!h.unpackedSizeUnknown && out.count_ != h.unpackedSize) || out.crc_ != finalCrc_) return kBadData;
    return kOk;
}

Result Rar4Reader::Extract(DataSink* sink) {
    if (!haveEntry_ || entryDone_) return kUnknown;
    if (mode_ != kModeExtract) return Skip();
    entryDone_ = true;
    if (current_.directory) return kOk;
    Result r = Decode(sink, true);
    if (r == kOpenError || r == kBadArchive) broken_ = r;
    return r;
}

Result Rar4Reader::Skip() {
    if (!haveEntry_ || entryDone_) return kUnknown;
    entryDone_ = true;
    // Later entries of a solid archive need this one's data in the window.
    if (mode_ == kModeExtract && (mainFlags_ & kMainSolid) && !current_.directory && current_.method != 0x30) {
        Result r = Decode(nullptr, false);
        if (r == kOpenError || r == kBadArchive) broken_ = r;
        return r;
    }
    return kOk;
}

}  // namespace rar4
}  // namespace fyxrar
