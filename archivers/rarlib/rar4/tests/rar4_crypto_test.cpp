// Encrypted RAR 2.9-4.x archives decrypted through the platform's crypto:
// right passwords give the content, wrong ones the documented errors.
#include <gtest/gtest.h>

#include <string.h>

#include <zlib.h>

#include "fyxcrypto.h"
#include "rar4_crypt.h"
#include "rar4_test_builder.h"
#include "rar4_test_host.h"

using namespace fyxrar;
using rar4test::CrcSink;
using rar4test::FileHost;
using rar4test::OpenTestArchive;

namespace {

struct Expect {
    const char* name;
    Result result;
    uint32_t crc;
};

struct Case {
    const char* file;
    const char* password;
    std::vector<Expect> entries;
};

std::vector<Case> Cases() {
    const char* data = "libarchive__test_read_format_rar_encryption_data.rar";
    const char* header = "libarchive__test_read_format_rar_encryption_header.rar";
    const char* mixed = "libarchive__test_read_format_rar4_encrypted.rar";
    const char* solid = "libarchive__test_read_format_rar4_solid_encrypted.rar";
    return {
        {data, "12345678", {{"foo.txt", kOk, 0xA6AD865C}, {"bar.txt", kOk, 0xCD90E2BE}}},
        {data, "wrong", {{"foo.txt", kBadData, 0}, {"bar.txt", kBadData, 0}}},
        {header, "12345678", {{"foo.txt", kOk, 0xA6AD865C}, {"bar.txt", kOk, 0xCD90E2BE}}},
        {mixed, "password",
         {{"a.txt", kOk, 0xEE5A6E55}, {"b.txt", kOk, 0xA9FA1485}, {"c.txt", kOk, 0x949A3D35}, {"d.txt", kBadData, 0}}},
        {mixed, "password2",
         {{"a.txt", kOk, 0xEE5A6E55}, {"b.txt", kBadData, 0}, {"c.txt", kOk, 0x949A3D35}, {"d.txt", kOk, 0x26BAE125}}},
        {solid, "password",
         {{"a.txt", kOk, 0xEE5A6E55}, {"b.txt", kOk, 0xA9FA1485}, {"c.txt", kOk, 0x949A3D35}, {"d.txt", kOk, 0x26BAE125}}},
    };
}

TEST(Rar4Crypto, PasswordsGiveContentOrTheDocumentedError) {
    if (!fyxcrypto::Available()) GTEST_SKIP() << "no crypto in this build";
    for (const Case& c : Cases()) {
        SCOPED_TRACE(std::string(c.file) + " / " + c.password);
        FileHost host;
        host.password = c.password;
        std::unique_ptr<Reader> reader;
        ArchiveInfo info;
        ASSERT_EQ(kOk, OpenTestArchive(&host, c.file, kModeExtract, &reader, &info));
        for (const Expect& x : c.entries) {
            EntryInfo e;
            ASSERT_EQ(kOk, reader->NextEntry(&e));
            EXPECT_EQ(x.name, e.name);
            CrcSink sink;
            EXPECT_EQ(x.result, reader->Extract(&sink)) << x.name;
            if (x.result == kOk) {
                EXPECT_EQ(x.crc, sink.crc) << x.name;
            }
        }
        EntryInfo e;
        EXPECT_EQ(kEndArchive, reader->NextEntry(&e));
        // The password is asked once and kept for the whole archive.
        EXPECT_EQ(1, host.passwordAsks);
    }
}

TEST(Rar4Crypto, EncryptedHeadersNeedTheRightPassword) {
    if (!fyxcrypto::Available()) GTEST_SKIP() << "no crypto in this build";
    const char* file = "libarchive__test_read_format_rar_encryption_header.rar";
    struct Row {
        const char* password;
        Result open;
    } rows[] = {{"", kMissingPassword}, {"1234567", kBadPassword}};
    for (const Row& row : rows) {
        FileHost host;
        host.password = row.password;
        std::unique_ptr<Reader> reader;
        ArchiveInfo info;
        EXPECT_EQ(row.open, OpenTestArchive(&host, file, kModeList, &reader, &info)) << row.password;
    }
    FileHost host;
    host.password = "12345678";
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(kOk, OpenTestArchive(&host, file, kModeList, &reader, &info));
    EXPECT_TRUE(info.encryptedHeaders);
    EntryInfo e;
    ASSERT_EQ(kOk, reader->NextEntry(&e));
    EXPECT_EQ("foo.txt", e.name);
    EXPECT_EQ(16u, e.unpackedSize);
}

TEST(Rar4Crypto, MissingPasswordIsReportedPerEntry) {
    if (!fyxcrypto::Available()) GTEST_SKIP() << "no crypto in this build";
    FileHost host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(kOk, OpenTestArchive(&host, "libarchive__test_read_format_rar4_encrypted.rar", kModeExtract, &reader, &info));
    Result expected[] = {kOk, kMissingPassword, kOk, kMissingPassword};
    for (Result x : expected) {
        EntryInfo e;
        ASSERT_EQ(kOk, reader->NextEntry(&e));
        CrcSink sink;
        EXPECT_EQ(x, reader->Extract(&sink)) << e.name;
    }
    EXPECT_EQ(2, host.passwordAsks);
}

class MemoryHost : public FileHost {
public:
    std::unique_ptr<Stream> OpenVolume(const std::string&) override { return nullptr; }
};

// CBC encryption from the block cipher, for building an encrypted entry.
std::string EncryptCbc(const rar4::Rar3Key& key, std::string data) {
    data.resize((data.size() + 15) & ~(size_t)15, '\0');
    fyxcrypto::Aes aes;
    EXPECT_TRUE(aes.SetKey(key.key, 16));
    uint8_t chain[16];
    memcpy(chain, key.iv, 16);
    for (size_t i = 0; i < data.size(); i += 16) {
        uint8_t block[16];
        for (int k = 0; k < 16; ++k) block[k] = (uint8_t)data[i + k] ^ chain[k];
        EXPECT_TRUE(aes.EncryptBlocks(block, chain, 1));
        memcpy(&data[i], chain, 16);
    }
    return data;
}

TEST(Rar4Crypto, LargeEncryptedEntryDecryptsInPieces) {
    if (!fyxcrypto::Available()) GTEST_SKIP() << "no crypto in this build";
    const uint8_t salt[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    rar4::Rar3Key key;
    ASSERT_TRUE(rar4::DeriveRar3Key("secret", salt, &key));
    rar4test::FileSpec f;
    f.name = "big.bin";
    // Not a multiple of 16 and larger than one read piece.
    for (int i = 0; f.data.size() < 200003; ++i) f.data += std::to_string(i * 7919) + ",";
    f.data.resize(200003);
    f.packed = EncryptCbc(key, f.data);
    f.extraFlags = rar4::kFileEncrypted | rar4::kFileSalt;
    f.tail.assign(salt, salt + 8);
    std::vector<uint8_t> bytes = rar4test::Archive(0, {}, {rar4test::FileBlock(f)});
    MemoryHost host;
    host.password = "secret";
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    std::unique_ptr<Stream> s(new MemoryStream(bytes));
    ASSERT_EQ(kOk, OpenArchive(&host, "built.rar", std::move(s), kModeExtract, &reader, &info));
    EntryInfo e;
    ASSERT_EQ(kOk, reader->NextEntry(&e));
    EXPECT_TRUE(e.encrypted);
    CrcSink sink;
    EXPECT_EQ(kOk, reader->Extract(&sink));
    EXPECT_EQ(f.data.size(), sink.size);
    EXPECT_EQ((uint32_t)crc32(0L, (const uint8_t*)f.data.data(), (uInt)f.data.size()), sink.crc);
}

}  // namespace
