// Key derivation of RAR 2.9-4.x: 0x40000 rounds of SHA-1 over the UTF-16
// password, the salt and a round counter.
#include "rar4_crypt.h"

#include <string.h>

#include "fyxcrypto.h"

namespace fyxrar {
namespace rar4 {

namespace {

const uint32_t kRounds = 0x40000;

std::vector<uint8_t> PasswordUtf16(const std::string& utf8) {
    std::vector<uint8_t> out;
    size_t i = 0, chars = 0;
    while (i < utf8.size() && chars < 127) {
        uint32_t c = (uint8_t)utf8[i];
        size_t extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 0;
        if (extra) c &= 0x3F >> extra;
        ++i;
        for (size_t k = 0; k < extra && i < utf8.size(); ++k, ++i) c = (c << 6) | ((uint8_t)utf8[i] & 0x3F);
        if (c >= 0x10000) {
            if (chars + 2 > 127) break;
            c -= 0x10000;
            uint32_t hi = 0xD800 + (c >> 10), lo = 0xDC00 + (c & 0x3FF);
            out.push_back((uint8_t)hi);
            out.push_back((uint8_t)(hi >> 8));
            out.push_back((uint8_t)lo);
            out.push_back((uint8_t)(lo >> 8));
            chars += 2;
        } else {
            out.push_back((uint8_t)c);
            out.push_back((uint8_t)(c >> 8));
            ++chars;
        }
    }
    return out;
}

uint32_t Rol(uint32_t v, unsigned n) { return (v << n) | (v >> (32 - n)); }

// Produces the bytes the rounds feed to SHA-1. RAR's own SHA-1 leaves the
// expanded message words in every whole 64-byte block it reads straight from
// the seed, so long seeds change from round to round; that is reproduced here.
class RoundStream {
public:
    explicit RoundStream(const std::vector<uint8_t>& seed) : seed_(seed), count_(0), round_(0) {}
    // Appends the bytes of rounds [round_, round_ + n) to `out`.
    void Next(uint32_t n, std::vector<uint8_t>* out) {
        for (uint32_t r = 0; r < n; ++r, ++round_) {
            out->insert(out->end(), seed_.begin(), seed_.end());
            Scramble();
            count_ += seed_.size();
            uint8_t counter[3] = {(uint8_t)round_, (uint8_t)(round_ >> 8), (uint8_t)(round_ >> 16)};
            out->insert(out->end(), counter, counter + 3);
            count_ += 3;
        }
    }

private:
    void Scramble() {
        size_t len = seed_.size();
        size_t j = count_ & 63;
        if (j + len <= 63) return;
        for (size_t i = 64 - j; i + 63 < len; i += 64) {
            uint32_t w[16];
            uint8_t* block = seed_.data() + i;
            for (int k = 0; k < 16; ++k)
                w[k] = ((uint32_t)block[4 * k] << 24) | ((uint32_t)block[4 * k + 1] << 16) | ((uint32_t)block[4 * k + 2] << 8) | block[4 * k + 3];
            for (int t = 16; t < 80; ++t) w[t & 15] = Rol(w[(t + 13) & 15] ^ w[(t + 8) & 15] ^ w[(t + 2) & 15] ^ w[t & 15], 1);
            for (int k = 0; k < 16; ++k) {
                block[4 * k] = (uint8_t)w[k];
                block[4 * k + 1] = (uint8_t)(w[k] >> 8);
                block[4 * k + 2] = (uint8_t)(w[k] >> 16);
                block[4 * k + 3] = (uint8_t)(w[k] >> 24);
            }
        }
    }
    std::vector<uint8_t> seed_;
    uint64_t count_;
    uint32_t round_;
};

// SHA-1 of the bytes of the first `rounds` rounds.
bool HashRounds(const std::vector<uint8_t>& seed, uint32_t rounds, uint8_t digest[20]) {
    fyxcrypto::Hash h;
    if (!h.Begin(fyxcrypto::kSha1)) return false;
    RoundStream stream(seed);
    std::vector<uint8_t> chunk;
    const uint32_t kBatch = 0x1000;
    for (uint32_t done = 0; done < rounds;) {
        uint32_t n = rounds - done < kBatch ? rounds - done : kBatch;
        chunk.clear();
        stream.Next(n, &chunk);
        if (!h.Update(chunk.data(), chunk.size())) return false;
        done += n;
    }
    return h.Finish(digest);
}

}  // namespace

bool DeriveRar3Key(const std::string& passwordUtf8, const uint8_t salt[8], Rar3Key* out) {
    if (!fyxcrypto::Available()) return false;
    std::vector<uint8_t> seed = PasswordUtf16(passwordUtf8);
    seed.insert(seed.end(), salt, salt + 8);
    uint8_t digest[20];
    // IV byte k is the last digest byte after round k * 0x4000.
    for (uint32_t k = 0; k < 16; ++k) {
        if (!HashRounds(seed, k * (kRounds / 16) + 1, digest)) return false;
        out->iv[k] = digest[19];
    }
    if (!HashRounds(seed, kRounds, digest)) return false;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) out->key[i * 4 + j] = digest[i * 4 + 3 - j];
    return true;
}

bool KeyCache::Get(const std::string& password, const uint8_t salt[8], Rar3Key* out) {
    for (const Entry& e : entries_) {
        if (e.password == password && memcmp(e.salt, salt, 8) == 0) {
            *out = e.key;
            return true;
        }
    }
    Entry e;
    e.password = password;
    memcpy(e.salt, salt, 8);
    if (!DeriveRar3Key(password, salt, &e.key)) return false;
    if (entries_.size() >= 16) entries_.erase(entries_.begin());
    entries_.push_back(e);
    *out = e.key;
    return true;
}

}  // namespace rar4
}  // namespace fyxrar
