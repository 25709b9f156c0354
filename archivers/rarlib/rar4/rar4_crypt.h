// RAR 2.9-4.x encryption: AES-128 key and IV from the password and an 8-byte
// salt, and CBC decryption of packed data, through the platform's crypto.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

namespace fyxrar {
namespace rar4 {

struct Rar3Key {
    uint8_t key[16];
    uint8_t iv[16];
};

// Derives key and IV; false when the platform has no crypto.
bool DeriveRar3Key(const std::string& passwordUtf8, const uint8_t salt[8], Rar3Key* out);

// Keeps derived keys per salt (derivation is slow by design).
class KeyCache {
public:
    bool Get(const std::string& password, const uint8_t salt[8], Rar3Key* out);
    void Clear() { entries_.clear(); }

private:
    struct Entry {
        std::string password;
        uint8_t salt[8];
        Rar3Key key;
    };
    std::vector<Entry> entries_;
};

}  // namespace rar4
}  // namespace fyxrar
