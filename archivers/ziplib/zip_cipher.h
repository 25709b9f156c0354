// The two ZIP encryptions: the traditional PKWARE stream cipher and WinZip
// AES (CTR mode with a little-endian counter, HMAC-SHA1, PBKDF2 key).
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>

#include "fyxcrypto.h"

namespace fyxzip {

class TraditionalCipher {
public:
    explicit TraditionalCipher(const std::string& password);
    void Decrypt(uint8_t* data, size_t size);
    void Encrypt(uint8_t* data, size_t size);

private:
    uint8_t NextByte() const;
    void Update(uint8_t plain);
    uint32_t keys_[3];
};

// Salt length for an AES strength of 1, 2 or 3; 0 for others.
size_t AesSaltLength(int strength);
const size_t kAesVerifierLength = 2;
const size_t kAesMacLength = 10;

class AesCipher {
public:
    // Derives the keys; false when the crypto is missing. *verifier gets the
    // two password check bytes to compare with the stored ones.
    bool Begin(int strength, const std::string& password, const uint8_t* salt, uint8_t verifier[2]);
    // CTR is its own inverse; the MAC is always over the encrypted bytes.
    bool Decrypt(uint8_t* data, size_t size);
    bool Encrypt(uint8_t* data, size_t size);
    bool FinishMac(uint8_t mac[kAesMacLength]);

private:
    bool Crypt(uint8_t* data, size_t size);
    fyxcrypto::Aes aes_;
    fyxcrypto::Hash mac_;
    uint8_t counter_[16];
    uint8_t stream_[16 * 64];
    size_t streamUsed_ = sizeof(stream_);
};

}  // namespace fyxzip
