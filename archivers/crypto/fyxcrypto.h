// Hashes, HMAC, PBKDF2 and AES for the archive cores. On Windows they come
// from CNG (bcrypt); the native Linux build has none and every call reports
// failure, so encrypted entries are refused there.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace fyxcrypto {

// True when this build can hash and encrypt at all.
bool Available();

enum HashKind { kSha1 = 1, kSha256 = 2 };

size_t HashSize(HashKind kind);  // 20 or 32

// Incremental hash, or HMAC when a key is given to Begin.
class Hash {
public:
    Hash();
    ~Hash();
    Hash(const Hash&) = delete;
    Hash& operator=(const Hash&) = delete;
    bool Begin(HashKind kind, const uint8_t* hmacKey = nullptr, size_t hmacKeyLength = 0);
    bool Update(const void* data, size_t length);
    // Writes HashSize(kind) bytes; the object may be begun again afterwards.
    bool Finish(uint8_t* digest);

private:
    void Reset();
    void* algorithm_;
    void* hash_;
    HashKind kind_;
};

// PBKDF2 with HMAC of `kind`; writes `outLength` bytes.
bool Pbkdf2(HashKind kind, const uint8_t* password, size_t passwordLength, const uint8_t* salt,
            size_t saltLength, uint32_t iterations, uint8_t* out, size_t outLength);

// AES with a 16-, 24- or 32-byte key.
class Aes {
public:
    Aes();
    ~Aes();
    Aes(const Aes&) = delete;
    Aes& operator=(const Aes&) = delete;
    bool SetKey(const uint8_t* key, size_t keyLength);
    // Encrypts whole 16-byte blocks, each on its own (counter modes build on it).
    bool EncryptBlocks(const uint8_t* in, uint8_t* out, size_t blocks);
    // CBC decryption of `length` bytes (a multiple of 16); `iv` is updated so
    // a stream can be decrypted in pieces.
    bool DecryptCbc(uint8_t iv[16], const uint8_t* in, uint8_t* out, size_t length);

private:
    void Reset();
    void* ecb_;
    void* cbc_;
    void* ecbKey_;
    void* cbcKey_;
};

}  // namespace fyxcrypto
