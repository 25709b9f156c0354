// A compressed stream made here, longer than the decoder's window: matches
// and output pieces that cross the window's end must keep the data intact.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "rar_reader.h"

namespace fyxrar {
namespace {

class BitWriter {
public:
    void Put(uint32_t value, int bits) {
        for (int i = bits - 1; i >= 0; --i) {
            if (used_ % 8 == 0) bytes_.push_back(0);
            if ((value >> i) & 1) bytes_.back() |= (uint8_t)(0x80 >> (used_ % 8));
            ++used_;
        }
    }
    const std::vector<uint8_t>& bytes() const { return bytes_; }
    size_t bits() const { return used_; }

private:
    std::vector<uint8_t> bytes_;
    size_t used_ = 0;
};

// Canonical codes: by length, then by symbol.
std::map<int, std::pair<uint32_t, int>> Codes(const std::vector<int>& lengths) {
    std::map<int, std::pair<uint32_t, int>> codes;
    uint32_t code = 0;
    for (int len = 1; len <= 15; ++len) {
        for (size_t s = 0; s < lengths.size(); ++s)
            if (lengths[s] == len) codes[(int)s] = std::make_pair(code++, len);
        code <<= 1;
    }
    return codes;
}

std::string Vint(uint64_t v) {
    std::string s;
    do {
        uint8_t b = (uint8_t)(v & 0x7F);
        v >>= 7;
        if (v) b |= 0x80;
        s += (char)b;
    } while (v);
    return s;
}

std::string Block(uint64_t type, const std::string& fields, const std::string& data) {
    std::string body = Vint(type) + Vint(data.empty() ? 0 : 2);
    if (!data.empty()) body += Vint(data.size());
    body += fields;
    std::string header = Vint(body.size()) + body;
    uint32_t crc = (uint32_t)crc32(0, (const Bytef*)header.data(), (uInt)header.size());
    std::string out;
    for (int i = 0; i < 4; ++i) out += (char)(crc >> (8 * i));
    return out + header + data;
}

const int kPeriod = 256;
const int kMatches = 300;
const uint32_t kMatchLength = 4097;  // length slot 43 with all nine extra bits set
const uint32_t kFilterLength = 200000;

// One period of the data: a near-absolute call target after E8 and a
// negative one after E9 that turns positive far enough into the file.
std::vector<uint8_t> Period() {
    std::vector<uint8_t> p = {0xE8, 0x05, 0x07, 0x08, 0x00, 0xE9, 0x01, 0x02, 0xFD, 0xFF};
    for (int v = 0; v < 256; ++v)
        if (std::find(p.begin(), p.end(), (uint8_t)v) == p.end()) p.push_back((uint8_t)v);
    return p;
}

// One period of literals, then matches at distance 256; the 7.0 algorithm
// differs here only by its 80 distance codes.
std::vector<uint8_t> PackedStream(bool version7, bool e8e9) {
    const int distCount = version7 ? 80 : 64;
    std::vector<int> lengths(306 + distCount + 16 + 44, 0);
    for (int s = 0; s < 256; ++s) lengths[s] = s < 254 ? 8 : 9;
    lengths[256] = 9;                   // filter
    lengths[305] = 9;                   // length slot 43
    lengths[306 + 15] = 1;              // distance slot 15: 193 + (2 raw bits << 4) + low
    lengths[306 + distCount + 15] = 1;  // low distance 15
    BitWriter w;
    // Pre-code: symbols 0, 1, 8, 9 and 19 (long zero run).
    std::vector<int> pre(20, 0);
    pre[0] = pre[1] = pre[8] = pre[19] = 2;
    pre[9] = 3;
    pre[8] = 3;
    for (int s = 0; s < 20; ++s) w.Put((uint32_t)pre[s], 4);
    auto preCodes = Codes(pre);
    for (size_t i = 0; i < lengths.size();) {
        size_t run = 0;
        while (i + run < lengths.size() && lengths[i + run] == 0 && run < 138) ++run;
        if (run >= 11) {
            w.Put(preCodes[19].first, preCodes[19].second);
            w.Put((uint32_t)(run - 11), 7);
            i += run;
            continue;
        }
        w.Put(preCodes[lengths[i]].first, preCodes[lengths[i]].second);
        ++i;
    }
    auto main = Codes(std::vector<int>(lengths.begin(), lengths.begin() + 306));
    if (e8e9) {
        // E8E9 over the first bytes: start 0 in one byte, length in three.
        w.Put(main[256].first, main[256].second);
        w.Put(0, 2);
        w.Put(0, 8);
        w.Put(2, 2);
        for (int i = 0; i < 3; ++i) w.Put((kFilterLength >> (8 * i)) & 0xFF, 8);
        w.Put(2, 3);
    }
    for (uint8_t b : Period()) w.Put(main[b].first, main[b].second);
    for (int m = 0; m < kMatches; ++m) {
        w.Put(main[305].first, main[305].second);
        w.Put(511, 9);  // length extra bits
        w.Put(0, 1);    // distance slot 15 (the only code)
        w.Put(3, 2);    // raw distance bits
        w.Put(0, 1);    // low distance 15 (the only code)
    }
    std::vector<uint8_t> data = w.bytes();
    uint8_t validBits = (uint8_t)(w.bits() % 8 == 0 ? 8 : w.bits() % 8);
    uint32_t size = (uint32_t)data.size();
    uint8_t flags = 0x80 | 0x40 | (1 << 3) | (uint8_t)(validBits - 1);  // tables, last, 2 size bytes
    std::vector<uint8_t> out = {flags, 0, (uint8_t)size, (uint8_t)(size >> 8)};
    out[1] = (uint8_t)(0x5A ^ flags ^ out[2] ^ out[3]);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

// The x86 call filter as the format describes it: after each E8 or E9 byte
// (not among the last four), an absolute 32-bit target becomes relative.
void UndoE8E9(uint8_t* data, uint32_t size) {
    const int64_t kSpan = 0x1000000;
    for (uint32_t pos = 0; pos + 4 < size; ++pos) {
        if (data[pos] != 0xE8 && data[pos] != 0xE9) continue;
        int64_t offset = pos + 1;
        int32_t a = (int32_t)(data[pos + 1] | (data[pos + 2] << 8) | (data[pos + 3] << 16) | ((uint32_t)data[pos + 4] << 24));
        int64_t v = a;
        if (a < 0 && a + offset >= 0)
            v = a + kSpan;
        else if (a >= 0 && a < kSpan)
            v = a - offset;
        for (int i = 0; i < 4; ++i) data[pos + 1 + i] = (uint8_t)((uint64_t)v >> (8 * i));
        pos += 4;
    }
}

void CheckLongStream(bool version7, bool e8e9) {
    SCOPED_TRACE(version7 ? "7.0 algorithm" : "5.0 algorithm");
    SCOPED_TRACE(e8e9 ? "E8E9 filter" : "no filter");
    std::vector<uint8_t> packed = PackedStream(version7, e8e9);
    const uint64_t size = kPeriod + (uint64_t)kMatches * kMatchLength;
    std::vector<uint8_t> expected(size);
    std::vector<uint8_t> period = Period();
    for (uint64_t i = 0; i < size; ++i) expected[i] = period[i % kPeriod];
    if (e8e9) {
        std::vector<uint8_t> plain = expected;
        UndoE8E9(expected.data(), kFilterLength);
        // Both kinds of target change somewhere, so the filter is seen at work.
        EXPECT_NE(expected[1], plain[1]);
        size_t last = (kFilterLength - 10) / kPeriod * kPeriod;  // the last whole period
        EXPECT_NE(expected[last + 9], plain[last + 9]);
    }
    uint32_t crc = (uint32_t)crc32(0, expected.data(), (uInt)size);
    // Method 3, 128 KB dictionary: the window is far smaller than the file.
    std::string fields = Vint(0x0004) + Vint(size) + Vint(0x20);
    for (int i = 0; i < 4; ++i) fields += (char)(crc >> (8 * i));
    fields += Vint((3 << 7) | (version7 ? 1 : 0)) + Vint(0) + Vint(8) + "long.bin";
    std::string archive("Rar!\x1A\x07\x01\x00", 8);
    archive += Block(1, Vint(0), "");
    archive += Block(2, fields, std::string(packed.begin(), packed.end()));
    archive += Block(5, Vint(0), "");

    struct Sink : DataSink {
        std::vector<uint8_t> got;
        bool Write(const uint8_t* d, size_t n) override {
            got.insert(got.end(), d, d + n);
            return true;
        }
    } sink;
    struct NoVolumes : Host {
        std::unique_ptr<Stream> OpenVolume(const std::string&) override { return nullptr; }
    } host;
    std::unique_ptr<Stream> s(new MemoryStream(std::vector<uint8_t>(archive.begin(), archive.end())));
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(OpenArchive(&host, "long.rar", std::move(s), kModeExtract, &reader, &info), kOk);
    EntryInfo e;
    ASSERT_EQ(reader->NextEntry(&e), kOk);
    EXPECT_EQ(e.dictionarySize, 128u * 1024);
    EXPECT_EQ(e.unpackVersion, version7 ? 70u : 50u);
    EXPECT_EQ(reader->Extract(&sink), kOk);
    ASSERT_EQ(sink.got.size(), expected.size());
    EXPECT_TRUE(sink.got == expected);
}

TEST(Rar5Window, DataLongerThanTheWindowStaysIntact) {
    CheckLongStream(false, false);
    CheckLongStream(true, false);
    CheckLongStream(false, true);
}

}  // namespace
}  // namespace fyxrar
