// Pieces shared by both RAR generations: memory streams, signatures, volume names.
#include "rar_reader.h"

#include <string.h>

namespace fyxrar {

bool MemoryStream::Read(void* buffer, size_t size, size_t* got) {
    uint64_t left = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
    size_t n = size < left ? size : (size_t)left;
    if (n) memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    *got = n;
    return true;
}

bool MemoryStream::Seek(uint64_t position) {
    position_ = position;
    return true;
}

int FindSignature(Stream* stream, uint64_t limit, uint64_t* offset) {
    static const uint8_t kSig[6] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07};
    std::vector<uint8_t> window(65536 + 8);
    uint64_t base = 0;
    if (!stream->Seek(0)) return 0;
    size_t kept = 0;
    while (base < limit) {
        size_t got = 0;
        if (!stream->Read(window.data() + kept, 65536, &got) || got == 0) break;
        size_t have = kept + got;
        for (size_t i = 0; i + 7 <= have; ++i) {
            if (base + i > limit) return 0;
            if (memcmp(window.data() + i, kSig, 6) != 0) continue;
            if (window[i + 6] == 0x00) {
                *offset = base + i;
                return 4;
            }
            if (window[i + 6] == 0x01 && i + 8 <= have && window[i + 7] == 0x00) {
                *offset = base + i;
                return 5;
            }
        }
        // Keep the last 7 bytes so a signature across two reads is found.
        size_t keep = have < 7 ? have : 7;
        memmove(window.data(), window.data() + have - keep, keep);
        base += have - keep;
        kept = keep;
    }
    return 0;
}

Result OpenArchive(Host* host, const std::string& path, std::unique_ptr<Stream> stream,
                   OpenMode mode, std::unique_ptr<Reader>* reader, ArchiveInfo* info) {
    const uint64_t kSfxLimit = 1 << 20;
    uint64_t at = 0;
    int generation = FindSignature(stream.get(), kSfxLimit, &at);
    if (generation == 0) return kBadArchive;
    std::unique_ptr<Reader> r = generation == 4 ? CreateRar4Reader() : CreateRar5Reader();
    if (!r) return kUnknownFormat;
    Result res = r->Open(host, path, std::move(stream), at, mode, info);
    if (res == kOk) *reader = std::move(r);
    return res;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Adds one to the decimal run [first, last) of `name`, growing it on overflow.
void IncrementDigits(std::string* name, size_t first, size_t last) {
    size_t i = last;
    while (i > first) {
        --i;
        if ((*name)[i] != '9') {
            ++(*name)[i];
            return;
        }
        (*name)[i] = '0';
    }
    name->insert(first, 1, '1');
}

}  // namespace

std::string NextVolumeName(const std::string& current, bool newNumbering) {
    std::string name = current;
    size_t slash = name.find_last_of("/\\");
    size_t base = slash == std::string::npos ? 0 : slash + 1;
    size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot < base) dot = name.size();
    if (newNumbering) {
        // The last run of digits before the extension is the volume number.
        size_t end = dot;
        while (end > base && !IsDigit(name[end - 1])) --end;
        if (end > base) {
            size_t start = end;
            while (start > base && IsDigit(name[start - 1])) --start;
            IncrementDigits(&name, start, end);
            return name;
        }
        // No number in the name: continue with the old scheme.
    }
    std::string ext = name.substr(dot);
    if (ext.size() == 4 && IsDigit(ext[2]) && IsDigit(ext[3])) {
        int n = (ext[2] - '0') * 10 + (ext[3] - '0');
        if (n < 99) {
            ++n;
            name[dot + 2] = (char)('0' + n / 10);
            name[dot + 3] = (char)('0' + n % 10);
        } else {
            // ".r99" is followed by ".s00".
            name[dot + 1] = (char)(name[dot + 1] + 1);
            name[dot + 2] = '0';
            name[dot + 3] = '0';
        }
        return name;
    }
    bool upper = ext.size() > 1 && ext[1] >= 'A' && ext[1] <= 'Z';
    return name.substr(0, dot) + (upper ? ".R00" : ".r00");
}

}  // namespace fyxrar
