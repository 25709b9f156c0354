// Streaming an entry's data through the cipher and inflate into a sink.
#include "zip_extract.h"

#include <string.h>

#include <memory>
#include <vector>

#include "zip_cipher.h"

extern "C" {
#include <zlib.h>
}

namespace fyxzip {
namespace {

const size_t kChunk = 256 * 1024;

// The stages an entry's bytes pass through, set up from its headers.
struct Decoder {
    std::unique_ptr<TraditionalCipher> traditional;
    std::unique_ptr<AesCipher> aes;
    z_stream zs;
    bool inflating = false;
    ~Decoder() {
        if (inflating) inflateEnd(&zs);
    }
};

Result SetUpCipher(const Archive& archive, const Entry& e, const std::string& password,
                   uint64_t* dataStart, uint64_t* dataLength, Decoder* d) {
    if (!e.encrypted()) return kOk;
    if (password.empty()) return kNeedPassword;
    InputFile& file = *archive.file();
    if (e.storedMethod == kMethodAes) {
        if (!fyxcrypto::Available()) return kNoCrypto;
        size_t saltLength = AesSaltLength(e.aesStrength);
        if (saltLength == 0) return kUnsupportedMethod;
        if (*dataLength < saltLength + kAesVerifierLength + kAesMacLength) return kBadArchive;
        uint8_t header[18], verifier[2];
        if (!ReadExact(file, *dataStart, header, saltLength + kAesVerifierLength)) return kTruncated;
        d->aes.reset(new AesCipher);
        if (!d->aes->Begin(e.aesStrength, password, header, verifier)) return kNoCrypto;
        if (memcmp(verifier, header + saltLength, 2) != 0) return kBadPassword;
        *dataStart += saltLength + kAesVerifierLength;
        *dataLength -= saltLength + kAesVerifierLength + kAesMacLength;
        return kOk;
    }
    if (*dataLength < 12) return kBadArchive;
    uint8_t header[12];
    if (!ReadExact(file, *dataStart, header, 12)) return kTruncated;
    d->traditional.reset(new TraditionalCipher(password));
    d->traditional->Decrypt(header, 12);
    // With a data descriptor the check byte is the high byte of the time.
    uint8_t check = (e.flags & kFlagDataDescriptor) ? uint8_t(e.dosTime >> 8) : uint8_t(e.crc >> 24);
    if (header[11] != check) return kBadPassword;
    *dataStart += 12;
    *dataLength -= 12;
    return kOk;
}

}  // namespace

bool CanExtract(const Entry& e) {
    if (e.method != kMethodStored && e.method != kMethodDeflated) return false;
    if (e.encrypted() && e.storedMethod == kMethodAes) return fyxcrypto::Available() && AesSaltLength(e.aesStrength) > 0;
    return !e.encrypted() || e.storedMethod != kMethodAes;
}

Result ExtractEntry(const Archive& archive, const Entry& e, const std::string& password, Sink& sink) {
    if (e.overlaps) return kBadArchive;
    if (e.storedMethod == kMethodAes && !e.encrypted()) return kBadArchive;
    if (e.method != kMethodStored && e.method != kMethodDeflated) return kUnsupportedMethod;
    uint64_t dataStart = 0;
    Result r = archive.DataOffset(e, &dataStart);
    if (r != kOk) return r;
    uint64_t dataLength = e.compressedSize;
    Decoder d;
    r = SetUpCipher(archive, e, password, &dataStart, &dataLength, &d);
    if (r != kOk) return r;
    if (e.method == kMethodStored && dataLength != e.size) return kSizeMismatch;
    if (e.method == kMethodDeflated) {
        memset(&d.zs, 0, sizeof d.zs);
        if (inflateInit2(&d.zs, -MAX_WBITS) != Z_OK) return kNoMemory;
        d.inflating = true;
    }
    std::vector<uint8_t> in(kChunk), out(kChunk);
    uint64_t readPos = dataStart, left = dataLength, produced = 0;
    uint32_t crc = 0;
    bool streamEnded = false;
    InputFile& file = *archive.file();
    while (left > 0 && !streamEnded) {
        size_t n = static_cast<size_t>(left < kChunk ? left : kChunk);
        if (!ReadExact(file, readPos, in.data(), n)) return kTruncated;
        readPos += n;
        left -= n;
        if (d.traditional) d.traditional->Decrypt(in.data(), n);
        if (d.aes && !d.aes->Decrypt(in.data(), n)) return kNoCrypto;
        if (!d.inflating) {
            crc = crc32(crc, in.data(), static_cast<uInt>(n));
            produced += n;
            if (!sink.Write(in.data(), n)) return kCancelled;
            continue;
        }
        d.zs.next_in = in.data();
        d.zs.avail_in = static_cast<uInt>(n);
        while (d.zs.avail_in > 0 || (left == 0 && !streamEnded)) {
            d.zs.next_out = out.data();
            d.zs.avail_out = static_cast<uInt>(out.size());
            int z = inflate(&d.zs, Z_NO_FLUSH);
            size_t got = out.size() - d.zs.avail_out;
            if (z == Z_DATA_ERROR || z == Z_NEED_DICT || z == Z_MEM_ERROR) return kDataError;
            // More output than the header promises: stop before writing it.
            if (produced + got > e.size) return kSizeMismatch;
            if (got) {
                crc = crc32(crc, out.data(), static_cast<uInt>(got));
                produced += got;
                if (!sink.Write(out.data(), got)) return kCancelled;
            }
            if (z == Z_STREAM_END) {
                streamEnded = true;
                break;
            }
            if (z == Z_BUF_ERROR || (got == 0 && d.zs.avail_in == 0)) break;
        }
    }
    if (d.inflating && !streamEnded) return left == 0 ? kDataError : kTruncated;
    if (produced != e.size) return kSizeMismatch;
    if (d.aes) {
        // Any compressed bytes left after the deflate end still count for the MAC.
        while (left > 0) {
            size_t n = static_cast<size_t>(left < kChunk ? left : kChunk);
            if (!ReadExact(file, readPos, in.data(), n)) return kTruncated;
            if (!d.aes->Decrypt(in.data(), n)) return kNoCrypto;
            readPos += n;
            left -= n;
        }
        uint8_t stored[kAesMacLength], computed[kAesMacLength];
        if (!ReadExact(file, readPos, stored, kAesMacLength)) return kTruncated;
        if (!d.aes->FinishMac(computed)) return kNoCrypto;
        if (memcmp(stored, computed, kAesMacLength) != 0) return kCrcError;
        if (e.aesVersion == 2) return kOk;  // AE-2 stores no CRC
    }
    return crc == e.crc ? kOk : kCrcError;
}

}  // namespace fyxzip
