// Truncated and bit-flipped copies of every RAR 1.5-4.x sample: the reader
// must end with a result code, never crash, hang or run away with memory.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rar4_test_host.h"

using namespace fyxrar;

namespace {

class NoVolumes : public rar4test::FileHost {
public:
    std::unique_ptr<Stream> OpenVolume(const std::string&) override { return nullptr; }
    // No password: key derivation would dominate the run time.
    bool GetPassword(std::string*) override { return false; }
};

class CountingSink : public DataSink {
public:
    bool Write(const uint8_t*, size_t n) override {
        total += n;
        return true;
    }
    uint64_t total = 0;
};

// Reads everything the damaged archive offers; returns the entries seen.
int Walk(const std::vector<uint8_t>& bytes, OpenMode mode) {
    NoVolumes host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    std::unique_ptr<Stream> s(new MemoryStream(bytes));
    if (OpenArchive(&host, "fuzz.rar", std::move(s), mode, &reader, &info) != kOk) return 0;
    int entries = 0;
    EntryInfo e;
    while (entries < 1000 && reader->NextEntry(&e) == kOk) {
        ++entries;
        CountingSink sink;
        reader->Extract(&sink);
        // Output never exceeds what the header announced.
        if (!e.unpackedSizeUnknown) {
            EXPECT_LE(sink.total, e.unpackedSize);
        }
    }
    return entries;
}

const char* kSamples[] = {
    "libarchive__test_read_format_rar.rar",
    "libarchive__test_read_format_rar_compress_normal.rar",
    "libarchive__test_read_format_rar_compress_best.rar",
    "libarchive__test_read_format_rar_filter.rar",
    "libarchive__test_read_format_rar_unicode.rar",
    "libarchive__test_read_format_rar_windows.rar",
    "libarchive__test_read_format_rar_encryption_data.rar",
    "libarchive__test_read_format_rar_encryption_header.rar",
    "libarchive__test_read_format_rar4_encrypted.rar",
    "libarchive__test_read_format_rar4_solid_encrypted.rar",
    "libarchive__test_read_format_rar_noeof.rar",
    "libarchive__test_read_format_rar_invalid1.rar",
    "libarchive__test_read_format_rar_multivolume.part0004.rar",
    "rarfile__rar3-comment-plain.rar",
    "rarfile__rar3-solid.rar",
    "rarfile__rar3-old.r01",
    "sharpcompress__Rar.rar",
    "sharpcompress__Rar2.rar",
};

TEST(Rar4Robustness, TruncatedCopies) {
    for (const char* name : kSamples) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(rar4test::ReadWholeFile(rar4test::TestDataDir() + name, &bytes)) << name;
        const int kCuts = 24;
        for (int i = 1; i <= kCuts; ++i) {
            std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + bytes.size() * i / (kCuts + 1));
            Walk(cut, kModeExtract);
        }
    }
}

TEST(Rar4Robustness, BitFlippedCopies) {
    uint32_t seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    for (const char* name : kSamples) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(rar4test::ReadWholeFile(rar4test::TestDataDir() + name, &bytes)) << name;
        // Flips in the headers and in the data; small files get every header byte.
        for (int i = 0; i < 48; ++i) {
            std::vector<uint8_t> copy = bytes;
            size_t at = i < 24 ? (size_t)(7 + next() % (copy.size() < 200 ? copy.size() - 7 : 193))
                               : (size_t)(next() % copy.size());
            copy[at] ^= (uint8_t)(1u << (next() % 8));
            Walk(copy, i % 2 ? kModeExtract : kModeList);
        }
    }
}

// Inputs that once broke the reader, kept for the sanitizers.
TEST(Rar4Robustness, FormerFuzzFindings) {
    std::string dir = RAR4_REGRESSIONS;
#ifdef _WIN32
    dir = "Z:" + dir;
    for (char& c : dir)
        if (c == '/') c = '\\';
    dir += "\\";
#else
    dir += "/";
#endif
    for (const char* name : {"empty-table.rar", "wrapping-match.rar"}) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(rar4test::ReadWholeFile(dir + name, &bytes)) << name;
        EXPECT_GT(Walk(bytes, kModeExtract), 0) << name;
    }
}

}  // namespace
