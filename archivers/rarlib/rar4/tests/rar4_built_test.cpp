// Archives built byte by byte for what the shared samples do not show:
// extended times, 64-bit sizes, old-style comments, volume answers.
#include <gtest/gtest.h>

#include <string.h>

#include <zlib.h>

#include "rar4_headers.h"
#include "rar4_test_host.h"

using namespace fyxrar;

namespace {

void Put2(std::vector<uint8_t>* v, uint32_t x) {
    v->push_back((uint8_t)x);
    v->push_back((uint8_t)(x >> 8));
}
void Put4(std::vector<uint8_t>* v, uint32_t x) {
    Put2(v, x & 0xFFFF);
    Put2(v, x >> 16);
}

// A block: CRC, type, flags, size, then `body`; `crcBytes` limits the CRC (0 = all).
std::vector<uint8_t> MakeBlock(uint8_t type, uint16_t flags, const std::vector<uint8_t>& body, size_t crcBytes = 0) {
    std::vector<uint8_t> b = {0, 0, type};
    Put2(&b, flags);
    Put2(&b, (uint32_t)(7 + body.size()));
    b.insert(b.end(), body.begin(), body.end());
    size_t n = crcBytes ? crcBytes : b.size();
    uint32_t crc = (uint32_t)crc32(0L, b.data() + 2, (uInt)(n - 2));
    b[0] = (uint8_t)crc;
    b[1] = (uint8_t)(crc >> 8);
    return b;
}

const uint32_t kDos = ((2011u - 1980) << 25) | (3u << 21) | (4u << 16) | (5u << 11) | (6u << 5) | 7u;

struct FileSpec {
    std::string name;
    std::string data;
    uint16_t extraFlags = 0;
    std::vector<uint8_t> tail;  // after the name (salt, times)
    uint32_t highUnpacked = 0;
};

std::vector<uint8_t> FileBlock(const FileSpec& f) {
    std::vector<uint8_t> body;
    Put4(&body, (uint32_t)f.data.size());
    Put4(&body, (uint32_t)f.data.size());
    body.push_back(2);  // Win32 host
    Put4(&body, (uint32_t)crc32(0L, (const uint8_t*)f.data.data(), (uInt)f.data.size()));
    Put4(&body, kDos);
    body.push_back(29);
    body.push_back(0x30);
    Put2(&body, (uint32_t)f.name.size());
    Put4(&body, 0x20);
    if (f.extraFlags & rar4::kFileLarge) {
        Put4(&body, 0);
        Put4(&body, f.highUnpacked);
    }
    body.insert(body.end(), f.name.begin(), f.name.end());
    body.insert(body.end(), f.tail.begin(), f.tail.end());
    std::vector<uint8_t> b = MakeBlock(rar4::kBlockFile, (uint16_t)(0x8000 | f.extraFlags), body);
    b.insert(b.end(), f.data.begin(), f.data.end());
    return b;
}

std::vector<uint8_t> Archive(uint16_t mainFlags, const std::vector<uint8_t>& mainExtra,
                             const std::vector<std::vector<uint8_t>>& blocks, size_t mainCrcBytes = 0) {
    std::vector<uint8_t> a = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
    std::vector<uint8_t> main(6, 0);
    main.insert(main.end(), mainExtra.begin(), mainExtra.end());
    std::vector<uint8_t> m = MakeBlock(rar4::kBlockMain, mainFlags, main, mainCrcBytes);
    a.insert(a.end(), m.begin(), m.end());
    for (const auto& b : blocks) a.insert(a.end(), b.begin(), b.end());
    std::vector<uint8_t> end = MakeBlock(rar4::kBlockEnd, 0x4000, {});
    a.insert(a.end(), end.begin(), end.end());
    return a;
}

class MemoryHost : public rar4test::FileHost {
public:
    std::unique_ptr<Stream> OpenVolume(const std::string&) override { return nullptr; }
};

Result Open(Host* host, const std::vector<uint8_t>& bytes, std::unique_ptr<Reader>* reader, ArchiveInfo* info,
            OpenMode mode = kModeExtract) {
    std::unique_ptr<Stream> s(new MemoryStream(bytes));
    return OpenArchive(host, "built.rar", std::move(s), mode, reader, info);
}

TEST(Rar4Built, ExtendedTimesRefineTheDosTime) {
    FileSpec f;
    f.name = "t.txt";
    f.data = "times";
    f.extraFlags = rar4::kFileExtTime;
    // mtime: present, +1 s, 3 fraction bytes; ctime: present with its own DOS
    // time and 1 fraction byte; atime absent.
    Put2(&f.tail, (0xFu << 12) | (0x9u << 8));
    f.tail.insert(f.tail.end(), {0x56, 0x34, 0x12});
    uint32_t ctimeDos = kDos - 1;
    Put4(&f.tail, ctimeDos);
    f.tail.push_back(0x05);
    MemoryHost host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(kOk, Open(&host, Archive(0, {}, {FileBlock(f)}), &reader, &info));
    EntryInfo e;
    ASSERT_EQ(kOk, reader->NextEntry(&e));
    EXPECT_EQ(kDos, e.dosTime);
    EXPECT_EQ(rar4::DosTimeToFileTime(kDos, 1, 0x123456), e.modified);
    EXPECT_EQ(rar4::DosTimeToFileTime(ctimeDos, 0, 0x050000), e.created);
    EXPECT_EQ(0u, e.accessed);
    rar4test::CrcSink sink;
    EXPECT_EQ(kOk, reader->Extract(&sink));
    EXPECT_EQ("times", sink.head);
}

TEST(Rar4Built, SixtyFourBitSizesAreReported) {
    FileSpec f;
    f.name = "big";
    f.data = "x";
    f.extraFlags = rar4::kFileLarge;
    f.highUnpacked = 2;
    MemoryHost host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(kOk, Open(&host, Archive(0, {}, {FileBlock(f)}), &reader, &info));
    EntryInfo e;
    ASSERT_EQ(kOk, reader->NextEntry(&e));
    EXPECT_EQ((2ull << 32) | 1, e.unpackedSize);
    // One stored byte cannot be 8 GB: a CRC error, quickly.
    rar4test::CrcSink sink;
    EXPECT_EQ(kBadData, reader->Extract(&sink));
    EXPECT_EQ(1u, sink.size);
}

TEST(Rar4Built, OldStyleCommentInsideTheMainHeader) {
    std::string text = "old comment";
    std::vector<uint8_t> body;
    Put2(&body, (uint32_t)text.size());
    body.push_back(15);
    body.push_back(0x30);
    Put2(&body, (uint32_t)crc32(0L, (const uint8_t*)text.data(), (uInt)text.size()) & 0xFFFF);
    body.insert(body.end(), text.begin(), text.end());
    std::vector<uint8_t> comment = MakeBlock(rar4::kBlockOldComment, 0, body);
    FileSpec f;
    f.name = "a";
    f.data = "a";
    MemoryHost host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    // The main header's CRC covers only its fixed 13 bytes, as RAR 2.x wrote it.
    ASSERT_EQ(kOk, Open(&host, Archive(rar4::kMainComment, comment, {FileBlock(f)}, 13), &reader, &info));
    EXPECT_TRUE(info.hasComment);
    EXPECT_EQ(text, info.comment);
    EntryInfo e;
    ASSERT_EQ(kOk, reader->NextEntry(&e));
    EXPECT_EQ("a", e.name);
}

TEST(Rar4Built, UnreadEntriesAreSkippedByNextEntry) {
    FileSpec a, b;
    a.name = "a";
    a.data = "first";
    b.name = "b";
    b.data = "second";
    MemoryHost host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(kOk, Open(&host, Archive(0, {}, {FileBlock(a), FileBlock(b)}), &reader, &info));
    EntryInfo e;
    ASSERT_EQ(kOk, reader->NextEntry(&e));
    ASSERT_EQ(kOk, reader->NextEntry(&e));
    EXPECT_EQ("b", e.name);
    rar4test::CrcSink sink;
    EXPECT_EQ(kOk, reader->Extract(&sink));
    EXPECT_EQ("second", sink.head);
    EXPECT_EQ(kEndArchive, reader->NextEntry(&e));
}

// The expected third volume is missing; the answer names where it really is.
class RenamingHost : public rar4test::FileHost {
public:
    std::unique_ptr<Stream> OpenVolume(const std::string& path) override {
        if (path == "elsewhere.r01") return FileHost::OpenVolume(rar4test::TestDataDir() + "rarfile__rar3-old.r01");
        if (path.find("rar3-old.r01") != std::string::npos) return nullptr;
        return FileHost::OpenVolume(path);
    }
    bool AskVolume(std::string* path) override {
        asked.push_back(*path);
        *path = "elsewhere.r01";
        return true;
    }
};

TEST(Rar4Built, AnsweredVolumeQuestionIsTried) {
    RenamingHost host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(kOk, rar4test::OpenTestArchive(&host, "rarfile__rar3-old.rar", kModeExtract, &reader, &info));
    EntryInfo e;
    ASSERT_EQ(kOk, reader->NextEntry(&e));
    rar4test::CrcSink sink;
    EXPECT_EQ(kOk, reader->Extract(&sink));
    EXPECT_EQ(0x509AD74Cu, sink.crc);
    ASSERT_EQ(1u, host.asked.size());
    EXPECT_NE(std::string::npos, host.asked[0].find("rar3-old.r01"));
    ASSERT_EQ(2u, host.opened.size());
    EXPECT_EQ("elsewhere.r01", host.opened[1]);
    ASSERT_EQ(kOk, reader->NextEntry(&e));
    EXPECT_EQ("vols/smallfile.txt", e.name);
}

}  // namespace
