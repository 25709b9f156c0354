// BLAKE2s and BLAKE2sp against published and independently computed values.
#include <gtest/gtest.h>
#include <stdio.h>

#include <string>
#include <vector>

#include "blake2sp.h"

namespace fyxrar {
namespace {

std::string Hex(const uint8_t* d, size_t n) {
    std::string s;
    char buf[3];
    for (size_t i = 0; i < n; ++i) {
        snprintf(buf, sizeof buf, "%02x", d[i]);
        s += buf;
    }
    return s;
}

std::vector<uint8_t> Pattern(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = (uint8_t)(i % 251);
    return v;
}

TEST(Blake2s, MatchesTheRfcExample) {
    Blake2s s;
    Blake2sInit(&s, Blake2sParams());
    Blake2sUpdate(&s, "abc", 3);
    uint8_t d[32];
    Blake2sFinish(&s, d);
    EXPECT_EQ(Hex(d, 32), "508c5e8c327c14e2e1a72ba34eeb452f37458b209ed63a294d999b4c86675982");
}

// Lengths around the 64-byte block and the 512-byte round of eight leaves.
struct SpCase {
    size_t length;
    const char* digest;
};
const SpCase kSpCases[] = {
    {0, "dd0e891776933f43c7d032b08a917e25741f8aa9a12c12e1cac8801500f2ca4f"},
    {1, "a6b9eecc25227ad788c99d3f236debc8da408849e9a5178978727a81457f7239"},
    {64, "52603b6cbfad4966cb044cb267568385cf35f21e6c45cf30aed19832cb51e9f5"},
    {65, "fff24d3cc729d395daf978b0157306cb495797e6c8dca1731d2f6f81b849baae"},
    {511, "8e1e8ee1ffa0a01028fff3bff0ae9df2565a82e55a04e9541bb78b9c4778336f"},
    {512, "8d9e357863298dd8364b7caf4234317f8a49f180d788b7abffb521925f1e1ff1"},
    {513, "8a4bc3330497e681f15daf24fc496044a1c32bf0a837a210399e1ae4af7e92be"},
    {1000, "611f1af6610cdaf674ec2c9178f6376ebe234ef50998a3be3f1fa698fb779274"},
    {4099, "646fed2f5fbb8165c3f08f2a27eb8a2a40752fabdb11b26ef9738a6db16025cb"},
};

TEST(Blake2sp, DigestsOfPatternData) {
    for (const SpCase& c : kSpCases) {
        std::vector<uint8_t> data = Pattern(c.length);
        Blake2sp s;
        Blake2spInit(&s);
        Blake2spUpdate(&s, data.data(), data.size());
        uint8_t d[32];
        Blake2spFinish(&s, d);
        EXPECT_EQ(Hex(d, 32), c.digest) << "length " << c.length;
    }
}

TEST(Blake2sp, PiecesGiveTheSameDigestAsOneCall) {
    std::vector<uint8_t> data = Pattern(4099);
    const size_t kPieces[] = {1, 7, 63, 64, 65, 511, 512, 513};
    for (size_t piece : kPieces) {
        Blake2sp s;
        Blake2spInit(&s);
        for (size_t at = 0; at < data.size(); at += piece) {
            size_t n = data.size() - at < piece ? data.size() - at : piece;
            Blake2spUpdate(&s, data.data() + at, n);
        }
        uint8_t d[32];
        Blake2spFinish(&s, d);
        EXPECT_EQ(Hex(d, 32), kSpCases[8].digest) << "pieces of " << piece;
    }
}

}  // namespace
}  // namespace fyxrar
