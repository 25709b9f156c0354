// Field parsing of RAR 5.0 headers and their extra records.
#include "rar5_format.h"

#include <string.h>

namespace fyxrar {

uint64_t FieldReader::Vint() {
    uint64_t value = 0;
    for (int shift = 0; shift < 70; shift += 7) {
        if (pos >= size) break;
        uint8_t b = data[pos++];
        if (shift < 64) value |= (uint64_t)(b & 0x7F) << shift;
        if (!(b & 0x80)) return value;
    }
    ok = false;
    return 0;
}

uint8_t FieldReader::U8() {
    const uint8_t* p = Skip(1);
    return p ? p[0] : 0;
}

uint32_t FieldReader::U32() {
    const uint8_t* p = Skip(4);
    if (!p) return 0;
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

uint64_t FieldReader::U64() {
    uint64_t low = U32();
    uint64_t high = U32();
    return low | (high << 32);
}

bool FieldReader::Bytes(void* out, size_t n) {
    const uint8_t* p = Skip(n);
    if (!p) return false;
    memcpy(out, p, n);
    return true;
}

const uint8_t* FieldReader::Skip(size_t n) {
    if (!ok || n > size - pos) {
        ok = false;
        return nullptr;
    }
    const uint8_t* p = data + pos;
    pos += n;
    return p;
}

bool ParseBlock(const uint8_t* body, size_t size, Block5* block) {
    FieldReader r(body, size);
    block->type = r.Vint();
    block->flags = r.Vint();
    uint64_t extraSize = (block->flags & 0x0001) ? r.Vint() : 0;
    block->dataSize = (block->flags & 0x0002) ? r.Vint() : 0;
    if (!r.ok || extraSize > r.Left()) return false;
    block->fields.assign(body + r.pos, body + size);
    block->extraAt = block->fields.size() - (size_t)extraSize;
    return true;
}

uint64_t UnixToFiletime(int64_t seconds, uint32_t nanoseconds) {
    const int64_t kEpochDelta = 11644473600LL;  // 1601-01-01 to 1970-01-01
    if (seconds < -kEpochDelta) return 0;
    return (uint64_t)(seconds + kEpochDelta) * 10000000ULL + nanoseconds / 100;
}

uint32_t FiletimeToDos(uint64_t filetime) {
    if (filetime == 0) return 0;
    int64_t secs = (int64_t)(filetime / 10000000ULL) - 11644473600LL;
    int64_t days = secs >= 0 ? secs / 86400 : (secs - 86399) / 86400;
    int64_t rem = secs - days * 86400;
    // Civil date from days since 1970-01-01.
    int64_t z = days + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t y = yoe + era * 400;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    int64_t d = doy - (153 * mp + 2) / 5 + 1;
    int64_t m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2) ++y;
    if (y < 1980) return (1 << 21) | (1 << 16);  // 1980-01-01, the earliest DOS date
    if (y > 2107) y = 2107;
    uint32_t hour = (uint32_t)(rem / 3600), minute = (uint32_t)(rem / 60 % 60), sec = (uint32_t)(rem % 60);
    return ((uint32_t)(y - 1980) << 25) | ((uint32_t)m << 21) | ((uint32_t)d << 16) | (hour << 11) |
           (minute << 5) | (sec / 2);
}

namespace {

bool ParseEncryptionRecord(FieldReader& r, Encryption5* c) {
    c->present = true;
    c->version = (uint32_t)r.Vint();
    uint64_t flags = r.Vint();
    c->kdfCount = r.U8();
    r.Bytes(c->salt, 16);
    r.Bytes(c->iv, 16);
    c->hasCheck = (flags & 0x0001) != 0;
    c->tweakedChecksums = (flags & 0x0002) != 0;
    if (c->hasCheck) r.Bytes(c->check, 12);
    return r.ok;
}

void ParseTimeRecord(FieldReader& r, EntryInfo* e) {
    uint64_t flags = r.Vint();
    bool unixTime = (flags & 0x0001) != 0;
    bool nanos = (flags & 0x0010) != 0;
    uint64_t* slots[3] = {&e->modified, &e->created, &e->accessed};
    uint32_t seconds[3] = {};
    bool present[3];
    for (int i = 0; i < 3; ++i) {
        present[i] = (flags & (0x0002u << i)) != 0;
        if (!present[i]) continue;
        if (unixTime) {
            seconds[i] = r.U32();
        } else {
            *slots[i] = r.U64();
        }
    }
    if (!unixTime) return;
    for (int i = 0; i < 3; ++i) {
        if (!present[i]) continue;
        uint32_t ns = nanos ? r.U32() : 0;
        if (ns >= 1000000000) ns = 0;
        *slots[i] = UnixToFiletime((int64_t)seconds[i], ns);
    }
}

bool ParseExtra(FieldReader& r, FileRecord5* f) {
    while (r.ok && r.Left() > 0) {
        uint64_t size = r.Vint();
        if (!r.ok || size == 0 || size > r.Left()) return false;
        FieldReader rec(r.data + r.pos, (size_t)size);
        r.Skip((size_t)size);
        uint64_t type = rec.Vint();
        switch (type) {
            case 0x01:
                if (!ParseEncryptionRecord(rec, &f->crypt)) return false;
                break;
            case 0x02: {
                uint64_t kind = rec.Vint();
                if (kind == 0 && rec.Bytes(f->info.blake2, 32)) f->hasBlake2 = true;
                break;
            }
            case 0x03:
                ParseTimeRecord(rec, &f->info);
                break;
            case 0x05: {
                uint64_t redir = rec.Vint();
                rec.Vint();  // flags: target is a directory
                uint64_t len = rec.Vint();
                if (len > rec.Left()) break;
                const uint8_t* name = rec.Skip((size_t)len);
                f->info.linkTarget.assign((const char*)name, (size_t)len);
                f->info.symlink = redir >= 1 && redir <= 3;
                f->info.hardlink = redir == 4;
                f->info.fileCopy = redir == 5;
                break;
            }
            default:
                break;  // version, owner, service data: not needed
        }
    }
    return r.ok;
}

}  // namespace

bool ParseFileHeader(const Block5& block, FileRecord5* f) {
    FieldReader r(block.fields.data(), block.extraAt);
    EntryInfo& e = f->info;
    uint64_t fileFlags = r.Vint();
    e.unpackedSize = r.Vint();
    e.unpackedSizeUnknown = (fileFlags & 0x0008) != 0;
    e.attributes = (uint32_t)r.Vint();
    if (fileFlags & 0x0002) e.modified = UnixToFiletime(r.U32(), 0);
    f->hasCrc = (fileFlags & 0x0004) != 0;
    if (f->hasCrc) e.crc32 = r.U32();
    f->compression = r.Vint();
    uint64_t host = r.Vint();
    uint64_t nameLength = r.Vint();
    if (!r.ok || nameLength > r.Left()) return false;
    const uint8_t* name = r.Skip((size_t)nameLength);
    std::string text((const char*)name, (size_t)nameLength);
    if (!r.ok) return false;
    if (block.type == kBlockService)
        f->serviceName = text;
    else
        e.name = text;
    e.directory = (fileFlags & 0x0001) != 0;
    e.hostOs = host == 1 ? kHostUnix : kHostWin32;
    uint32_t algorithm = (uint32_t)(f->compression & 0x3F);
    bool v1Dictionary = algorithm == 1;
    f->version7 = algorithm == 1 && !(f->compression & 0x100000);
    e.unpackVersion = algorithm == 0 ? 50 : algorithm == 1 ? 70 : 50 + algorithm * 20;
    e.method = 0x30 + (uint32_t)((f->compression >> 7) & 7);
    e.solid = (f->compression & 0x40) != 0 && block.type == kBlockFile;
    if (!e.directory) {
        uint32_t n = (uint32_t)((f->compression >> 10) & (v1Dictionary ? 31 : 15));
        uint64_t base = (uint64_t)0x20000 << n;
        if (v1Dictionary) base += (base / 32) * ((f->compression >> 15) & 31);
        e.dictionarySize = base;
    }
    e.splitBefore = (block.flags & 0x0008) != 0;
    e.splitAfter = (block.flags & 0x0010) != 0;
    e.packedSize = block.dataSize;
    f->dataStart = block.dataStart;
    f->dataSize = block.dataSize;
    FieldReader extra(block.fields.data() + block.extraAt, block.fields.size() - block.extraAt);
    if (!ParseExtra(extra, f)) return false;
    e.encrypted = f->crypt.present;
    e.hashKind = f->hasBlake2 ? kHashBlake2 : f->hasCrc ? kHashCrc32 : kHashNone;
    e.dosTime = FiletimeToDos(e.modified);
    return true;
}

bool ParseMainHeader(const Block5& block, MainHeader5* main) {
    FieldReader r(block.fields.data(), block.extraAt);
    main->flags = r.Vint();
    if (main->flags & 0x0002) main->volumeNumber = r.Vint();
    return r.ok;
}

bool ParseCryptHeader(const Block5& block, Encryption5* c) {
    FieldReader r(block.fields.data(), block.extraAt);
    c->present = true;
    c->version = (uint32_t)r.Vint();
    uint64_t flags = r.Vint();
    c->kdfCount = r.U8();
    r.Bytes(c->salt, 16);
    c->hasCheck = (flags & 0x0001) != 0;
    if (c->hasCheck) r.Bytes(c->check, 12);
    return r.ok;
}

}  // namespace fyxrar
