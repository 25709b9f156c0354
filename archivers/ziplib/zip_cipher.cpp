// Traditional PKWARE cipher and WinZip AES over the CNG primitives.
#include "zip_cipher.h"

#include <string.h>

extern "C" {
#include <zlib.h>
}

namespace fyxzip {
namespace {

inline uint32_t CrcByte(uint32_t crc, uint8_t b) {
    static const z_crc_t* table = get_crc_table();
    return table[(crc ^ b) & 0xFF] ^ (crc >> 8);
}

}  // namespace

TraditionalCipher::TraditionalCipher(const std::string& password) {
    keys_[0] = 0x12345678;
    keys_[1] = 0x23456789;
    keys_[2] = 0x34567890;
    for (char c : password) Update(static_cast<uint8_t>(c));
}

uint8_t TraditionalCipher::NextByte() const {
    uint32_t t = (keys_[2] | 2) & 0xFFFF;
    return static_cast<uint8_t>((t * (t ^ 1)) >> 8);
}

void TraditionalCipher::Update(uint8_t plain) {
    keys_[0] = CrcByte(keys_[0], plain);
    keys_[1] = (keys_[1] + (keys_[0] & 0xFF)) * 134775813u + 1;
    keys_[2] = CrcByte(keys_[2], static_cast<uint8_t>(keys_[1] >> 24));
}

void TraditionalCipher::Decrypt(uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        data[i] ^= NextByte();
        Update(data[i]);
    }
}

void TraditionalCipher::Encrypt(uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        uint8_t plain = data[i];
        data[i] ^= NextByte();
        Update(plain);
    }
}

size_t AesSaltLength(int strength) {
    return strength == 1 ? 8 : strength == 2 ? 12 : strength == 3 ? 16 : 0;
}

bool AesCipher::Begin(int strength, const std::string& password, const uint8_t* salt,
                      uint8_t verifier[2]) {
    size_t saltLength = AesSaltLength(strength);
    if (saltLength == 0) return false;
    size_t keyLength = saltLength * 2;
    uint8_t derived[66];
    if (!fyxcrypto::Pbkdf2(fyxcrypto::kSha1, reinterpret_cast<const uint8_t*>(password.data()),
                           password.size(), salt, saltLength, 1000, derived, 2 * keyLength + 2))
        return false;
    memcpy(verifier, derived + 2 * keyLength, 2);
    memset(counter_, 0, sizeof counter_);
    streamUsed_ = sizeof(stream_);
    return aes_.SetKey(derived, keyLength) && mac_.Begin(fyxcrypto::kSha1, derived + keyLength, keyLength);
}

bool AesCipher::Crypt(uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        if (streamUsed_ == sizeof(stream_)) {
            // Counter blocks for the next 64 blocks, encrypted in one call.
            for (size_t b = 0; b < sizeof(stream_); b += 16) {
                for (int k = 0; k < 16 && ++counter_[k] == 0; ++k) {
                }
                memcpy(stream_ + b, counter_, 16);
            }
            if (!aes_.EncryptBlocks(stream_, stream_, sizeof(stream_) / 16)) return false;
            streamUsed_ = 0;
        }
        data[i] ^= stream_[streamUsed_++];
    }
    return true;
}

bool AesCipher::Decrypt(uint8_t* data, size_t size) { return mac_.Update(data, size) && Crypt(data, size); }

bool AesCipher::Encrypt(uint8_t* data, size_t size) { return Crypt(data, size) && mac_.Update(data, size); }

bool AesCipher::FinishMac(uint8_t mac[kAesMacLength]) {
    uint8_t full[20];
    if (!mac_.Finish(full)) return false;
    memcpy(mac, full, kAesMacLength);
    return true;
}

}  // namespace fyxzip
