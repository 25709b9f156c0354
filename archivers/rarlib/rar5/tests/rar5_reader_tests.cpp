// The RAR 5.0 reader against the shared test archives: listing, content
// checksums, volumes, cancels, damage and encryption without a crypto library.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "file_host.h"
#include "fyxcrypto.h"
#include "rar_reader.h"

namespace fyxrar {
namespace {

std::string DataPath(const std::string& file) {
    const char* dir = getenv("FYX_TESTDATA_DIR");
    return std::string(dir ? dir : ".") + "/rar/" + file;
}

struct CrcSink : DataSink {
    uLong crc = crc32(0, Z_NULL, 0);
    uint64_t size = 0;
    bool Write(const uint8_t* data, size_t n) override {
        crc = crc32(crc, data, (uInt)n);
        size += n;
        return true;
    }
};

struct ExpectedEntry {
    const char* name;
    bool directory;
    uint64_t size;
    uint32_t crc;
    bool encrypted;
    bool link = false;  // a link: no content of its own
};

struct ArchiveCase {
    const char* file;
    bool solid;
    bool volume;
    std::vector<ExpectedEntry> entries;
};

const std::vector<ArchiveCase>& Cases() {
    static const std::vector<ArchiveCase> cases = {
        {"libarchive__test_read_format_rar5_stored.rar", false, false,
         {{"helloworld.txt", false, 29, 0x95A043B4, false}}},
        {"libarchive__test_read_format_rar5_compressed.rar", false, false,
         {{"test.bin", false, 1200, 0x7CCA70CD, false}}},
        {"libarchive__test_read_format_rar5_solid.rar", true, false,
         {{"test.bin", false, 1200, 0x7CCA70CD, false},
          {"test1.bin", false, 4096, 0x7E13B2C6, false},
          {"test2.bin", false, 4096, 0xF166AFCB, false},
          {"test3.bin", false, 4096, 0x9FB123D9, false},
          {"test4.bin", false, 4096, 0x10C43ED4, false},
          {"test5.bin", false, 4096, 0xB9D155F2, false},
          {"test6.bin", false, 4096, 0x36A448FF, false}}},
        {"libarchive__test_read_format_rar5_win32.rar", false, false,
         {{"testdir", true, 0, 0, false},
          {"test.bin", false, 1200, 0x7CCA70CD, false},
          {"test1.bin", false, 4096, 0x7E13B2C6, false},
          {"test2.bin", false, 4096, 0xF166AFCB, false},
          {"test3.bin", false, 4096, 0x9FB123D9, false},
          {"test4.bin", false, 4096, 0x10C43ED4, false},
          {"test5.bin", false, 4096, 0xB9D155F2, false},
          {"test6.bin", false, 4096, 0x36A448FF, false}}},
        {"libarchive__test_read_format_rar5_arm.rar", false, false,
         {{"elf-Linux-ARMv7-ls", false, 90808, 0x886F91EB, false}}},
        {"libarchive__test_read_format_rar5_blake2.rar", false, false,
         {{"cebula.txt", false, 814, 0x7E5EC49E, false}}},
        {"sharpcompress__Rar5.rar", false, false,
         {{"exe/test.exe", false, 45056, 0xCFB109C8, false},
          {"jpg/test.jpg", false, 40372, 0x088814E3, false},
          {"\xD1\x82\xD0\xB5\xD1\x81\xD1\x82.txt", false, 15498, 0x9BD160FA, false},
          {"Empty", true, 0, 0, false},
          {"exe", true, 0, 0, false},
          {"jpg", true, 0, 0, false}}},
        {"libarchive__test_read_format_rar5_unicode.rar", false, false,
         {{"\xF0\x9F\x91\x8B\xF0\x9F\x8C\x8E.txt", false, 13, 0xEBE6C6E6, false},
          {"\xE2\x92\xBD\xE2\x93\x90\xE2\x93\xA1\xE2\x93\x93 \xE2\x93\x81\xE2\x93\x98\xE2\x93\x9D\xE2\x93\x9A.txt", false, 13, 0, false, true},
          {"\xF0\x9D\x92\xAE\xF0\x9D\x93\x8E\xF0\x9D\x93\x82\xF0\x9D\x92\xB7\xF0\x9D\x91\x9C\xF0\x9D\x93\x81\xF0\x9D\x92\xBE\xF0\x9D\x92\xB8 \xF0\x9D\x90\xBF\xF0\x9D\x92\xBE\xF0\x9D\x93\x83\xF0\x9D\x93\x80.txt", false, 0, 0, false, true}}},
        {"libarchive__test_read_format_rar5_multiarchive_solid.part01.rar", true, true,
         {{"cebula.txt", false, 814, 0x7E5EC49E, false},
          {"test.bin", false, 1200, 0x7CCA70CD, false},
          {"test1.bin", false, 4096, 0x7E13B2C6, false},
          {"test2.bin", false, 4096, 0xF166AFCB, false},
          {"test3.bin", false, 4096, 0x9FB123D9, false},
          {"test4.bin", false, 4096, 0x10C43ED4, false},
          {"test5.bin", false, 4096, 0xB9D155F2, false},
          {"test6.bin", false, 4096, 0x36A448FF, false},
          {"elf-Linux-ARMv7-ls", false, 90808, 0x886F91EB, false}}},
        {"libarchive__test_read_format_rar5_encrypted.rar", false, false,
         {{"a.txt", false, 18, 0xEE5A6E55, false},
          {"b.txt", false, 18, 0xA9FA1485, true},
          {"c.txt", false, 18, 0x949A3D35, false},
          {"d.txt", false, 18, 0x26BAE125, true}}},
    };
    return cases;
}

// Every listed entry extracts with the stated content, in both open modes.
TEST(Rar5Reader, ArchivesGiveTheirStatedContent) {
    for (const ArchiveCase& c : Cases()) {
        SCOPED_TRACE(c.file);
        FileHost host;
        std::unique_ptr<Reader> reader;
        ArchiveInfo info;
        ASSERT_EQ(OpenArchiveFile(&host, DataPath(c.file), kModeExtract, &reader, &info), kOk);
        EXPECT_EQ(info.generation, 5);
        EXPECT_EQ(info.solid, c.solid);
        EXPECT_EQ(info.volume, c.volume);
        size_t i = 0;
        EntryInfo e;
        Result r;
        while ((r = reader->NextEntry(&e)) == kOk) {
            ASSERT_LT(i, c.entries.size());
            const ExpectedEntry& x = c.entries[i++];
            SCOPED_TRACE(x.name);
            EXPECT_EQ(e.name, x.name);
            EXPECT_EQ(e.directory, x.directory);
            EXPECT_EQ(e.unpackedSize, x.size);
            EXPECT_EQ(e.encrypted, x.encrypted);
            CrcSink sink;
            Result got = reader->Extract(&sink);
            if (x.encrypted && !fyxcrypto::Available()) {
                EXPECT_EQ(got, kUnknownFormat);
                continue;
            }
            EXPECT_EQ(got, kOk);
            EXPECT_EQ(sink.size, x.link ? 0 : x.size);
            if (!x.directory) EXPECT_EQ((uint32_t)sink.crc, x.crc);
        }
        EXPECT_EQ(r, kEndArchive);
        EXPECT_EQ(i, c.entries.size());
    }
}

TEST(Rar5Reader, ListingSkipsWithoutUnpacking) {
    for (const ArchiveCase& c : Cases()) {
        SCOPED_TRACE(c.file);
        FileHost host;
        std::unique_ptr<Reader> reader;
        ArchiveInfo info;
        ASSERT_EQ(OpenArchiveFile(&host, DataPath(c.file), kModeList, &reader, &info), kOk);
        size_t n = 0;
        EntryInfo e;
        while (reader->NextEntry(&e) == kOk) {
            ASSERT_LT(n, c.entries.size());
            EXPECT_EQ(e.name, c.entries[n].name);
            ++n;
            EXPECT_EQ(reader->Skip(), kOk);
        }
        EXPECT_EQ(n, c.entries.size());
        EXPECT_EQ(host.processed, 0u);
    }
}

TEST(Rar5Reader, SplitPartsAreListedOneByOneOnRequest) {
    FileHost host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(OpenArchiveFile(&host, DataPath("libarchive__test_read_format_rar5_multiarchive_solid.part01.rar"),
                              kModeListIncSplit, &reader, &info),
              kOk);
    EXPECT_TRUE(info.firstVolume);
    EXPECT_TRUE(info.newNumbering);
    int parts = 0;
    EntryInfo e;
    while (reader->NextEntry(&e) == kOk) {
        if (e.name == "elf-Linux-ARMv7-ls") ++parts;
        EXPECT_EQ(reader->Skip(), kOk);
    }
    EXPECT_EQ(parts, 4);
    EXPECT_EQ(host.opened, 3);
}

TEST(Rar5Reader, BlakeHashIsReported) {
    FileHost host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(OpenArchiveFile(&host, DataPath("libarchive__test_read_format_rar5_blake2.rar"), kModeList,
                              &reader, &info),
              kOk);
    EntryInfo e;
    ASSERT_EQ(reader->NextEntry(&e), kOk);
    EXPECT_EQ(e.hashKind, kHashBlake2);
    EXPECT_EQ(e.hostOs, kHostUnix);
    EXPECT_EQ(e.attributes, 0x81A4u);
    EXPECT_EQ(e.method, 0x35u);
    EXPECT_EQ(e.unpackVersion, 50u);
}

TEST(Rar5Reader, LinksCarryTheirTargets) {
    FileHost host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(OpenArchiveFile(&host, DataPath("libarchive__test_read_format_rar5_unicode.rar"), kModeExtract,
                              &reader, &info),
              kOk);
    std::vector<EntryInfo> all;
    EntryInfo e;
    while (reader->NextEntry(&e) == kOk) {
        all.push_back(e);
        reader->Skip();
    }
    ASSERT_EQ(all.size(), 3u);
    EXPECT_TRUE(all[1].hardlink);
    EXPECT_EQ(all[1].linkTarget, all[0].name);
    EXPECT_TRUE(all[2].symlink);
    EXPECT_EQ(all[2].linkTarget, all[0].name);
    EXPECT_EQ(all[2].attributes, 0x420u);
}

TEST(Rar5Reader, DamagedHeaderGivesBadData) {
    FileHost host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(OpenArchiveFile(&host, DataPath("libarchive__test_read_format_rar5_truncated_huff.rar"), kModeExtract,
                              &reader, &info),
              kOk);
    EntryInfo e;
    EXPECT_EQ(reader->NextEntry(&e), kBadData);
}

TEST(Rar5Reader, EncryptedHeadersNeedCrypto) {
    const char* files[] = {"libarchive__test_read_format_rar5_encrypted_filenames.rar", "rarfile__rar5-hpsw.rar"};
    for (const char* f : files) {
        FileHost host;
        std::unique_ptr<Reader> reader;
        ArchiveInfo info;
        Result r = OpenArchiveFile(&host, DataPath(f), kModeExtract, &reader, &info);
        EXPECT_EQ(r, fyxcrypto::Available() ? kMissingPassword : kUnknownFormat) << f;
    }
}

TEST(Rar5Reader, MissingVolumeIsAskedForThenRefused) {
    FileHost host;
    std::string first = DataPath("libarchive__test_read_format_rar5_multiarchive_solid.part01.rar");
    host.missing.insert(DataPath("libarchive__test_read_format_rar5_multiarchive_solid.part03.rar"));
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(OpenArchiveFile(&host, first, kModeExtract, &reader, &info), kOk);
    EntryInfo e;
    Result r;
    while ((r = reader->NextEntry(&e)) == kOk) {
        r = reader->Extract(nullptr);
        if (r != kOk) break;
    }
    EXPECT_EQ(r, kOpenError);
    EXPECT_EQ(e.name, "elf-Linux-ARMv7-ls");
    EXPECT_EQ(host.asked, 1);
}

TEST(Rar5Reader, CancelInProcessedDataStops) {
    FileHost host;
    host.cancelAfter = 1000;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(OpenArchiveFile(&host, DataPath("sharpcompress__Rar5.rar"), kModeExtract, &reader, &info), kOk);
    EntryInfo e;
    ASSERT_EQ(reader->NextEntry(&e), kOk);
    CrcSink sink;
    EXPECT_EQ(reader->Extract(&sink), kUnknown);
    EXPECT_LT(sink.size, e.unpackedSize);
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::unique_ptr<Stream> s = OpenFileStream(path);
    std::vector<uint8_t> bytes((size_t)s->Size());
    size_t got = 0;
    s->Read(bytes.data(), bytes.size(), &got);
    bytes.resize(got);
    return bytes;
}

// Extracts every entry of an archive held in memory; the first failure.
Result ExtractAll(std::vector<uint8_t> bytes) {
    FileHost host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    std::unique_ptr<Stream> s(new MemoryStream(std::move(bytes)));
    Result r = OpenArchive(&host, "x.rar", std::move(s), kModeExtract, &reader, &info);
    if (r != kOk) return r;
    EntryInfo e;
    while ((r = reader->NextEntry(&e)) == kOk) {
        r = reader->Extract(nullptr);
        if (r != kOk) return r;
    }
    return r == kEndArchive ? kOk : r;
}

TEST(Rar5Reader, ChangedDataIsCaughtByTheChecksum) {
    // Offsets inside the packed data of the first file (stored, LZ, BLAKE2sp).
    struct Flip {
        const char* file;
        size_t offset;
    } flips[] = {
        {"libarchive__test_read_format_rar5_stored.rar", 80},
        {"libarchive__test_read_format_rar5_compressed.rar", 300},
        {"libarchive__test_read_format_rar5_blake2.rar", 400},
    };
    for (const Flip& f : flips) {
        std::vector<uint8_t> bytes = ReadAll(DataPath(f.file));
        ASSERT_EQ(ExtractAll(bytes), kOk) << f.file;
        bytes[f.offset] ^= 0x10;
        EXPECT_NE(ExtractAll(bytes), kOk) << f.file;
    }
}

TEST(Rar5Reader, TruncatedArchivesFailCleanly) {
    std::vector<uint8_t> bytes = ReadAll(DataPath("sharpcompress__Rar5.rar"));
    for (size_t cut = 0; cut < bytes.size(); cut += 997) {
        std::vector<uint8_t> part(bytes.begin(), bytes.begin() + cut);
        EXPECT_NE(ExtractAll(part), kOk) << "cut at " << cut;
    }
}

}  // namespace
}  // namespace fyxrar

namespace fyxrar {
namespace {

// A changed BLAKE2sp digest in an otherwise valid header fails extraction.
TEST(Rar5Reader, Blake2DigestIsVerified) {
    std::vector<uint8_t> bytes = ReadAll(DataPath("libarchive__test_read_format_rar5_blake2.rar"));
    ASSERT_EQ(bytes.size(), 642u);
    const size_t kHeaderCrc = 24, kHeaderBody = 28, kHeaderEnd = 100, kDigest = 57;
    bytes[kDigest + 5] ^= 0x01;
    uint32_t crc = (uint32_t)crc32(0, bytes.data() + kHeaderBody, (uInt)(kHeaderEnd - kHeaderBody));
    for (int i = 0; i < 4; ++i) bytes[kHeaderCrc + i] = (uint8_t)(crc >> (8 * i));
    EXPECT_EQ(ExtractAll(bytes), kBadData);
}

}  // namespace
}  // namespace fyxrar
