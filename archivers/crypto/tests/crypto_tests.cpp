// Published test vectors for the CNG hashes, HMAC, PBKDF2 and AES.
#include "fyxcrypto.h"

#include <gtest/gtest.h>

#include <string>

using namespace fyxcrypto;

namespace {

std::string Hex(const uint8_t* p, size_t n) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += digits[p[i] >> 4];
        s += digits[p[i] & 15];
    }
    return s;
}

std::string Unhex(const std::string& hex) {
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) out += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

std::string Digest(HashKind kind, const std::string& message, const std::string* key) {
    Hash h;
    EXPECT_TRUE(key ? h.Begin(kind, Bytes(*key), key->size()) : h.Begin(kind));
    EXPECT_TRUE(h.Update(message.data(), message.size()));
    uint8_t d[32];
    EXPECT_TRUE(h.Finish(d));
    return Hex(d, HashSize(kind));
}

}  // namespace

TEST(Crypto, IsAvailableOnThisSystem) { EXPECT_TRUE(Available()); }

// FIPS 180 examples.
TEST(Crypto, ShaVectors) {
    struct Case { HashKind kind; const char* message; const char* digest; } cases[] = {
        {kSha1, "abc", "a9993e364706816aba3e25717850c26c9cd0d89d"},
        {kSha1, "", "da39a3ee5e6b4b0d3255bfef95601890afd80709"},
        {kSha1, "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "84983e441c3bd26ebaae4aa1f95129e5e54670f1"},
        {kSha256, "abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {kSha256, "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.digest, Digest(c.kind, c.message, nullptr)) << c.message;
}

TEST(Crypto, IncrementalHashEqualsOneShotAndCanBeginAgain) {
    std::string million(1000000, 'a');
    Hash h;
    ASSERT_TRUE(h.Begin(kSha1));
    for (size_t i = 0; i < million.size(); i += 77777)
        ASSERT_TRUE(h.Update(million.data() + i, std::min<size_t>(77777, million.size() - i)));
    uint8_t d[20];
    ASSERT_TRUE(h.Finish(d));
    EXPECT_EQ("34aa973cd4c4daa4f61eeb2bdbad27316534016f", Hex(d, 20));  // FIPS 180 "a" x 10^6
    ASSERT_TRUE(h.Begin(kSha1));
    ASSERT_TRUE(h.Update("abc", 3));
    ASSERT_TRUE(h.Finish(d));
    EXPECT_EQ("a9993e364706816aba3e25717850c26c9cd0d89d", Hex(d, 20));
    EXPECT_FALSE(h.Update("x", 1)) << "a finished hash takes no more data";
}

// RFC 2202 and RFC 4231.
TEST(Crypto, HmacVectors) {
    std::string jefe = "Jefe", what = "what do ya want for nothing?";
    std::string key20(20, '\x0b'), key131(131, '\xaa');
    EXPECT_EQ("effcdf6ae5eb2fa2d27416d5f184df9c259a7c79", Digest(kSha1, what, &jefe));
    EXPECT_EQ("b617318655057264e28bc0b6fb378c8ef146be00", Digest(kSha1, "Hi There", &key20));
    EXPECT_EQ("5bdcc146bf60754e6a042426089575c75a003f089d2739839dec58b964ec3843",
              Digest(kSha256, what, &jefe));
    EXPECT_EQ("60e431591ee0b67f0d8a26aacbf5b77f8e0bc6213728c5140546040f0ee37f54",
              Digest(kSha256, "Test Using Larger Than Block-Size Key - Hash Key First", &key131));
}

// RFC 6070 for SHA-1; the SHA-256 values are the widely published companions.
TEST(Crypto, Pbkdf2Vectors) {
    struct Case { HashKind kind; std::string password, salt; uint32_t iterations; size_t length; const char* key; } cases[] = {
        {kSha1, "password", "salt", 1, 20, "0c60c80f961f0e71f3a9b524af6012062fe037a6"},
        {kSha1, "password", "salt", 2, 20, "ea6c014dc72d6f8ccd1ed92ace1d41f0d8de8957"},
        {kSha1, "password", "salt", 4096, 20, "4b007901b765489abead49d926f721d065a429c1"},
        {kSha1, "passwordPASSWORDpassword", "saltSALTsaltSALTsaltSALTsaltSALTsalt", 4096, 25,
         "3d2eec4fe41c849b80c8d83662c0e44a8b291a964cf2f07038"},
        {kSha1, std::string("pass\0word", 9), std::string("sa\0lt", 5), 4096, 16,
         "56fa6aa75548099dcc37d7f03425e0c3"},
        {kSha256, "password", "salt", 1, 32, "120fb6cffcf8b32c43e7225256c4f837a86548c92ccc35480805987cb70be17b"},
        {kSha256, "password", "salt", 4096, 32, "c5e478d59288c841aa530db6845c4c8d962893a001ce4e11a4963873aa98134a"},
    };
    for (const Case& c : cases) {
        uint8_t out[64];
        ASSERT_TRUE(Pbkdf2(c.kind, Bytes(c.password), c.password.size(), Bytes(c.salt), c.salt.size(),
                           c.iterations, out, c.length));
        EXPECT_EQ(c.key, Hex(out, c.length)) << c.password << " " << c.iterations;
    }
}

// FIPS 197 appendix C.
TEST(Crypto, AesBlockVectors) {
    struct Case { const char* key; const char* cipher; } cases[] = {
        {"000102030405060708090a0b0c0d0e0f", "69c4e0d86a7b0430d8cdb78070b4c55a"},
        {"000102030405060708090a0b0c0d0e0f1011121314151617", "dda97ca4864cdfe06eaf70a0ec0d7191"},
        {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f",
         "8ea2b7ca516745bfeafc49904b496089"},
    };
    std::string plain = Unhex("00112233445566778899aabbccddeeff");
    for (const Case& c : cases) {
        std::string key = Unhex(c.key);
        Aes aes;
        ASSERT_TRUE(aes.SetKey(Bytes(key), key.size()));
        std::string two = plain + plain;
        uint8_t out[32];
        ASSERT_TRUE(aes.EncryptBlocks(Bytes(two), out, 2));
        EXPECT_EQ(std::string(c.cipher) + c.cipher, Hex(out, 32)) << "blocks are independent";
    }
    Aes bad;
    uint8_t key[20] = {0};
    EXPECT_FALSE(bad.SetKey(key, 20));
}

// SP 800-38A F.2.2, decrypted whole and in two pieces (the IV must carry over).
TEST(Crypto, AesCbcDecryptCarriesIv) {
    std::string key = Unhex("2b7e151628aed2a6abf7158809cf4f3c");
    std::string cipher = Unhex("7649abac8119b246cee98e9b12e9197d5086cb9b507219ee95db113a917678b2");
    const char* plain = "6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51";
    Aes aes;
    ASSERT_TRUE(aes.SetKey(Bytes(key), 16));
    std::string ivText = Unhex("000102030405060708090a0b0c0d0e0f");
    uint8_t iv[16], out[32];
    memcpy(iv, ivText.data(), 16);
    ASSERT_TRUE(aes.DecryptCbc(iv, Bytes(cipher), out, 32));
    EXPECT_EQ(plain, Hex(out, 32));
    memcpy(iv, ivText.data(), 16);
    uint8_t inPlace[32];
    memcpy(inPlace, cipher.data(), 32);
    ASSERT_TRUE(aes.DecryptCbc(iv, inPlace, inPlace, 16));
    ASSERT_TRUE(aes.DecryptCbc(iv, inPlace + 16, inPlace + 16, 16));
    EXPECT_EQ(plain, Hex(inPlace, 32));
    EXPECT_FALSE(aes.DecryptCbc(iv, out, out, 15));
}

int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
