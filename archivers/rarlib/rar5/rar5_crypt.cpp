// Key derivation and checks of RAR 5.0 encryption over fyxcrypto.
#include "rar5_crypt.h"

#include <string.h>

#include "fyxcrypto.h"

namespace fyxrar {

namespace {
const uint8_t kMaxKdfCount = 24;
}

bool DeriveKeys5(const std::string& password, const uint8_t salt[16], uint8_t kdfCount, Keys5* keys) {
    if (kdfCount > kMaxKdfCount || !fyxcrypto::Available()) return false;
    const uint8_t* pw = (const uint8_t*)password.data();
    uint32_t rounds = 1u << kdfCount;
    // The key, the hash key and the check value are three points of one
    // PBKDF2 chain: after 2^n, 2^n + 16 and 2^n + 32 iterations.
    uint8_t checkValue[32];
    if (!fyxcrypto::Pbkdf2(fyxcrypto::kSha256, pw, password.size(), salt, 16, rounds, keys->key, 32) ||
        !fyxcrypto::Pbkdf2(fyxcrypto::kSha256, pw, password.size(), salt, 16, rounds + 16, keys->hashKey, 32) ||
        !fyxcrypto::Pbkdf2(fyxcrypto::kSha256, pw, password.size(), salt, 16, rounds + 32, checkValue, 32))
        return false;
    memset(keys->check, 0, 8);
    for (int i = 0; i < 32; ++i) keys->check[i % 8] ^= checkValue[i];
    return true;
}

bool PasswordRejected5(const Encryption5& crypt, const Keys5& keys) {
    if (!crypt.hasCheck) return false;
    uint8_t sum[32];
    fyxcrypto::Hash sha;
    if (!sha.Begin(fyxcrypto::kSha256) || !sha.Update(crypt.check, 8) || !sha.Finish(sum)) return false;
    if (memcmp(sum, crypt.check + 8, 4) != 0) return false;
    return memcmp(keys.check, crypt.check, 8) != 0;
}

bool CrcToMac5(const Keys5& keys, uint32_t crc, uint32_t* mac) {
    uint8_t raw[4] = {(uint8_t)crc, (uint8_t)(crc >> 8), (uint8_t)(crc >> 16), (uint8_t)(crc >> 24)};
    uint8_t digest[32];
    fyxcrypto::Hash hmac;
    if (!hmac.Begin(fyxcrypto::kSha256, keys.hashKey, 32) || !hmac.Update(raw, 4) || !hmac.Finish(digest))
        return false;
    uint32_t folded = 0;
    for (int i = 0; i < 32; ++i) folded ^= (uint32_t)digest[i] << (8 * (i & 3));
    *mac = folded;
    return true;
}

bool Blake2ToMac5(const Keys5& keys, const uint8_t digest[32], uint8_t mac[32]) {
    fyxcrypto::Hash hmac;
    return hmac.Begin(fyxcrypto::kSha256, keys.hashKey, 32) && hmac.Update(digest, 32) && hmac.Finish(mac);
}

const Keys5* KeyCache5::Get(const std::string& password, const uint8_t salt[16], uint8_t kdfCount) {
    for (const Entry& e : entries_)
        if (e.kdfCount == kdfCount && e.password == password && memcmp(e.salt, salt, 16) == 0) return &e.keys;
    Entry e;
    e.password = password;
    memcpy(e.salt, salt, 16);
    e.kdfCount = kdfCount;
    if (!DeriveKeys5(password, salt, kdfCount, &e.keys)) return nullptr;
    if (entries_.size() >= 16) entries_.erase(entries_.begin());
    entries_.push_back(e);
    return &entries_.back().keys;
}

std::string LimitPassword(const std::string& utf8) {
    size_t chars = 0, i = 0;
    while (i < utf8.size()) {
        if (chars == 127) return utf8.substr(0, i);
        ++chars;
        ++i;
        while (i < utf8.size() && ((uint8_t)utf8[i] & 0xC0) == 0x80) ++i;
    }
    return utf8;
}

}  // namespace fyxrar
