// RAR 5.0 encryption: keys from the password (PBKDF2-HMAC-SHA256), the
// password check value, checksums turned into MACs, and AES-256-CBC reading.
// The primitives come from fyxcrypto (CNG on Windows, absent natively).
#pragma once

#include <stdint.h>

#include <string>
#include <vector>

#include "rar5_format.h"

namespace fyxrar {

struct Keys5 {
    uint8_t key[32];
    uint8_t hashKey[32];
    uint8_t check[8];
};

// Derives the keys; false when the KDF count is out of range or crypto fails.
bool DeriveKeys5(const std::string& password, const uint8_t salt[16], uint8_t kdfCount, Keys5* keys);

// True when the stored check value says the password is wrong (a damaged
// check field, told by its own checksum, does not count as wrong).
bool PasswordRejected5(const Encryption5& crypt, const Keys5& keys);

// Checksums as stored for tweaked (MAC) entries.
bool CrcToMac5(const Keys5& keys, uint32_t crc, uint32_t* mac);
bool Blake2ToMac5(const Keys5& keys, const uint8_t digest[32], uint8_t mac[32]);

// Derived keys kept per (password, salt, count): derivation is slow on purpose.
class KeyCache5 {
public:
    const Keys5* Get(const std::string& password, const uint8_t salt[16], uint8_t kdfCount);

private:
    struct Entry {
        std::string password;
        uint8_t salt[16];
        uint8_t kdfCount;
        Keys5 keys;
    };
    std::vector<Entry> entries_;
};

// Passwords are used as UTF-8 of at most 127 characters.
std::string LimitPassword(const std::string& utf8);

}  // namespace fyxrar
