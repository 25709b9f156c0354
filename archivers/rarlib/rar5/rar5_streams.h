// Byte streams around the decoder: packed data decrypted with AES-256-CBC,
// and unpacked data checksummed on its way to the caller.
#pragma once

#include <string.h>
#include <zlib.h>

#include "blake2sp.h"
#include "fyxcrypto.h"
#include "rar5_crypt.h"
#include "rar5_unpack.h"
#include "rar_reader.h"

namespace fyxrar {

// Packed bytes that may also be read as they come.
class RawSource : public PackedSource {
public:
    // Reads what is there, up to `size` (0 at the end); false on failure.
    virtual bool ReadSome(uint8_t* buffer, size_t size, size_t* got, Result* error) = 0;
};

// AES-256-CBC decryption over a packed source.
class CbcSource : public PackedSource {
public:
    CbcSource(RawSource* raw, const Keys5& keys, const uint8_t iv[16]) : raw_(raw), have_(0), used_(0) {
        memcpy(iv_, iv, 16);
        ready_ = aes_.SetKey(keys.key, 32);
    }
    bool ReadExact(uint8_t* buffer, size_t size, Result* error) override {
        while (size > 0) {
            if (used_ == have_ && !Refill(error)) return false;
            size_t n = have_ - used_;
            if (n > size) n = size;
            memcpy(buffer, plain_ + used_, n);
            used_ += n;
            buffer += n;
            size -= n;
        }
        return true;
    }

private:
    bool Refill(Result* error) {
        if (!ready_) {
            *error = kUnknownFormat;
            return false;
        }
        size_t got = 0;
        // Whole AES blocks only; a part boundary may split one.
        while (got < sizeof(cipher_)) {
            size_t n = 0;
            if (!raw_->ReadSome(cipher_ + got, sizeof(cipher_) - got, &n, error)) return false;
            if (n == 0) break;
            got += n;
        }
        got -= got % 16;
        if (got == 0) {
            *error = kBadData;
            return false;
        }
        if (!aes_.DecryptCbc(iv_, cipher_, plain_, got)) {
            *error = kUnknownFormat;
            return false;
        }
        have_ = got;
        used_ = 0;
        return true;
    }

    RawSource* raw_;
    fyxcrypto::Aes aes_;
    bool ready_;
    uint8_t iv_[16];
    uint8_t cipher_[65536];
    uint8_t plain_[65536];
    size_t have_, used_;
};

// Checksums the unpacked bytes and hands them to the caller.
class OutputSink : public UnpackedSink {
public:
    OutputSink(DataSink* sink, Host* host, bool blake2) : sink_(sink), host_(host), blake2_(blake2) {
        crc_ = crc32(0, Z_NULL, 0);
        if (blake2_) Blake2spInit(&b2_);
    }
    bool Put(const uint8_t* data, size_t size) override {
        count_ += size;
        for (size_t done = 0; done < size;) {
            uInt n = (uInt)(size - done > 0x40000000 ? 0x40000000 : size - done);
            crc_ = crc32(crc_, data + done, n);
            done += n;
        }
        if (blake2_) Blake2spUpdate(&b2_, data, size);
        if (host_ && !host_->ProcessedData(data, size)) {
            error_ = kUnknown;
            return false;
        }
        if (sink_ && !sink_->Write(data, size)) {
            error_ = kWriteError;
            return false;
        }
        return true;
    }
    uint32_t Crc() const { return (uint32_t)crc_; }
    void Blake2(uint8_t out[32]) { Blake2spFinish(&b2_, out); }
    uint64_t count_ = 0;
    Result error_ = kOk;

private:
    DataSink* sink_;
    Host* host_;
    bool blake2_;
    uLong crc_;
    Blake2sp b2_;
};

}  // namespace fyxrar
