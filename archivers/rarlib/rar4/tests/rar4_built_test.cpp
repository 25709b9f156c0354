// Archives built byte by byte for what the shared samples do not show:
// extended times, 64-bit sizes, old-style comments, volume answers.
#include <gtest/gtest.h>

#include <string.h>

#include <zlib.h>

#include "rar4_headers.h"
#include "rar4_test_builder.h"
#include "rar4_test_host.h"

using namespace fyxrar;
using namespace rar4test;

namespace {

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

// Starts a RAR 2.9 LZ block whose main table has just two symbols, `a` and
// `b` (a < b), of one bit each: `a` codes as 0, `b` as 1.
void TwoSymbolTables(BitWriter* w, unsigned a, unsigned b) {
    w->Put(0, 1);  // LZ block
    w->Put(0, 1);  // fresh tables
    // Pre-code: symbols 0, 1, 18 and 19, two bits each (codes 00, 01, 10, 11).
    for (unsigned i = 0; i < 20; ++i) w->Put(i == 0 || i == 1 || i >= 18 ? 2 : 0, 4);
    auto zeros = [w](unsigned n) {
        for (; n >= 11; n -= n < 138 ? n : 138) {
            w->Put(3, 2);
            w->Put((n < 138 ? n : 138) - 11, 7);
        }
        for (; n >= 3; n -= n < 10 ? n : 10) {
            w->Put(2, 2);
            w->Put((n < 10 ? n : 10) - 3, 3);
        }
        for (; n > 0; --n) w->Put(0, 2);
    };
    zeros(a);
    w->Put(1, 2);
    zeros(b - a - 1);
    w->Put(1, 2);
    zeros(404 - b - 1);
}

// Literals only, then the end of the file.
std::string LiteralStream(const std::string& text) {
    BitWriter w;
    TwoSymbolTables(&w, (uint8_t)text[0], 256);
    for (size_t i = 0; i < text.size(); ++i) w.Put(0, 1);
    w.Put(1, 1);  // symbol 256: end of block,
    w.Put(0, 2);  // and of the file
    return w.Bytes();
}

// The only symbol brings a filter program that is not a standard one.
std::string ForeignFilterStream() {
    BitWriter w;
    TwoSymbolTables(&w, 256, 257);
    w.Put(1, 1);  // symbol 257: a filter record
    w.Put(0x80 | 5, 8);  // new filter number given, 6 record bytes
    w.Put(0, 6);  // filter number 0 (reset)
    w.Put(0, 6);  // block start 0
    w.Put(3, 6);  // program of 3 bytes
    w.Put(0x01, 8);  // first byte = XOR of the others: passes the check,
    w.Put(0x01, 8);  // but the CRC is no standard one
    w.Put(0x00, 8);
    w.Put(0, 6);
    return w.Bytes();
}

TEST(Rar4Built, HandMadeLzStreamDecodes) {
    FileSpec f;
    f.name = "a.txt";
    f.data = "AAAAAAAAAAAAA";
    f.packed = LiteralStream(f.data);
    f.method = 0x33;
    MemoryHost host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(kOk, Open(&host, Archive(0, {}, {FileBlock(f)}), &reader, &info));
    EntryInfo e;
    ASSERT_EQ(kOk, reader->NextEntry(&e));
    rar4test::CrcSink sink;
    EXPECT_EQ(kOk, reader->Extract(&sink));
    EXPECT_EQ(f.data, sink.head);
}

TEST(Rar4Built, ForeignFilterProgramIsUnknownFormat) {
    FileSpec f;
    f.name = "vm.bin";
    f.data = "0123456789";
    f.packed = ForeignFilterStream();
    f.method = 0x33;
    MemoryHost host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(kOk, Open(&host, Archive(0, {}, {FileBlock(f)}), &reader, &info));
    EntryInfo e;
    ASSERT_EQ(kOk, reader->NextEntry(&e));
    rar4test::CrcSink sink;
    EXPECT_EQ(kUnknownFormat, reader->Extract(&sink));
    EXPECT_EQ(0u, sink.size);
}

TEST(Rar4Built, SolidEntryKeepsTheTablesOfTheOneBefore) {
    FileSpec first;
    first.name = "1.txt";
    first.data = "AAAA";
    first.packed = LiteralStream(first.data);  // ends with "no new tables"
    first.method = 0x33;
    FileSpec second;
    second.name = "2.txt";
    second.data = "AAAAAA";
    BitWriter w;
    for (size_t i = 0; i < second.data.size(); ++i) w.Put(0, 1);  // the old table's 'A'
    w.Put(1, 1);
    w.Put(0, 2);
    second.packed = w.Bytes();
    second.method = 0x33;
    second.extraFlags = fyxrar::rar4::kFileSolid;
    MemoryHost host;
    std::unique_ptr<Reader> reader;
    ArchiveInfo info;
    ASSERT_EQ(kOk, Open(&host, Archive(fyxrar::rar4::kMainSolid, {}, {FileBlock(first), FileBlock(second)}), &reader,
                        &info));
    EXPECT_TRUE(info.solid);
    EntryInfo e;
    ASSERT_EQ(kOk, reader->NextEntry(&e));
    EXPECT_EQ(kOk, reader->Skip());  // still decoded: the next entry needs its tables
    ASSERT_EQ(kOk, reader->NextEntry(&e));
    EXPECT_TRUE(e.solid);
    rar4test::CrcSink sink;
    EXPECT_EQ(kOk, reader->Extract(&sink));
    EXPECT_EQ(second.data, sink.head);
}

// A RAR 2.9 LZ block whose tables give the symbols in `lengths` (index into
// the 404 table entries, code length 1 or 2) and no others.
void SparseTables(BitWriter* w, const std::vector<std::pair<unsigned, unsigned>>& lengths) {
    w->Put(0, 1);  // LZ block
    w->Put(0, 1);  // fresh tables
    // Pre-code: 0, 1 and 19 of two bits (00, 01, 10), 2 and 18 of three (110, 111).
    for (unsigned i = 0; i < 20; ++i) w->Put(i == 0 || i == 1 || i == 19 ? 2 : i == 2 || i == 18 ? 3 : 0, 4);
    auto zeros = [w](unsigned n) {
        for (; n >= 11; n -= n < 138 ? n : 138) {
            w->Put(2, 2);
            w->Put((n < 138 ? n : 138) - 11, 7);
        }
        for (; n >= 3; n -= n < 10 ? n : 10) {
            w->Put(7, 3);
            w->Put((n < 10 ? n : 10) - 3, 3);
        }
        for (; n > 0; --n) w->Put(0, 2);
    };
    unsigned next = 0;
    for (const auto& l : lengths) {
        zeros(l.first - next);
        if (l.second == 1)
            w->Put(1, 2);
        else
            w->Put(6, 3);
        next = l.first + 1;
    }
    zeros(404 - next);
}

// 'X' codes as 0, end of block as 10, a match of length slot 0 as 11; the
// only distance slot is the last (18 extra bits), the only low distance 15.
void FarMatchTables(BitWriter* w) { SparseTables(w, {{'X', 1}, {256, 2}, {271, 2}, {299 + 59, 1}, {359 + 15, 1}}); }

void EndOfFile(BitWriter* w) {
    w->Put(2, 2);  // end of block,
    w->Put(0, 2);  // and of the file
}

TEST(Rar4Built, MatchBeforeTheFirstByteReadsZerosInEveryEntry) {
    // Six literals: the window's first bytes are 'X' afterwards.
    FileSpec filled;
    filled.name = "x.txt";
    filled.data = "XXXXXX";
    BitWriter a;
    FarMatchTables(&a);
    for (int i = 0; i < 6; ++i) a.Put(0, 1);
    EndOfFile(&a);
    filled.packed = a.Bytes();
    filled.method = 0x33;
    // A match 0x400000 back at the start of an entry: one whole window,
    // landing on the window's first byte, which this entry has not written.
    FileSpec far;
    far.name = "far.bin";
    far.data = std::string("\0\0\0\0\0X", 6);  // 3 + 2 for the long distance
    BitWriter b;
    FarMatchTables(&b);
    b.Put(3, 2);  // the match, no length bits
    b.Put(0, 1);  // distance slot 59
    b.Put(0x3FFF, 14);  // high bits; the low 4 from the low-distance table
    b.Put(0, 1);  // low distance 15
    b.Put(0, 1);  // 'X'
    EndOfFile(&b);
    far.packed = b.Bytes();
    far.method = 0x33;
    struct Case {
        const char* what;
        std::vector<FileSpec> files;
    } cases[] = {
        {"fresh window", {far}},
        {"window used by the entry before", {filled, far}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::vector<uint8_t>> blocks;
        for (const FileSpec& f : c.files) blocks.push_back(FileBlock(f));
        MemoryHost host;
        std::unique_ptr<Reader> reader;
        ArchiveInfo info;
        ASSERT_EQ(kOk, Open(&host, Archive(0, {}, blocks), &reader, &info));
        EntryInfo e;
        for (const FileSpec& f : c.files) {
            ASSERT_EQ(kOk, reader->NextEntry(&e));
            rar4test::CrcSink sink;
            EXPECT_EQ(kOk, reader->Extract(&sink));
            EXPECT_EQ(f.data, sink.head);
        }
    }
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
