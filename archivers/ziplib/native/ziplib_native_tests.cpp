// The portable core on Linux: the shared archives, safe names, writing and
// reading back, and Debian's unzip and bsdtar as judges of what we write.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <random>

#include "../tests/zip_cases.h"
#include "fyxcrypto.h"
#include "stdio_files.h"
#include "zip_extract.h"
#include "zip_names.h"
#include "zip_reader.h"
#include "zip_writer.h"

extern "C" {
#include <zlib.h>
}

using namespace fyxzip;

namespace {

std::string TestData(const std::string& name) { return std::string(FYX_TESTDATA_DIR) + "/zip/" + name; }

struct CollectSink : Sink {
    std::string bytes;
    bool Write(const uint8_t* data, size_t size) override {
        bytes.append(reinterpret_cast<const char*>(data), size);
        return true;
    }
};

struct CountSink : Sink {
    uint64_t bytes = 0;
    bool Write(const uint8_t*, size_t size) override {
        bytes += size;
        return true;
    }
};

uint32_t Crc(const std::string& s) {
    return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(s.data()), static_cast<uInt>(s.size())));
}

const Entry* FindEntry(const Archive& a, const std::string& name) {
    for (const Entry& e : a.entries())
        if (e.name == name) return &e;
    return nullptr;
}

// Memory sources for the writer, by path.
struct MemoryOpener : SourceOpener {
    std::map<std::string, std::string> files;
    std::unique_ptr<InputFile> Open(const std::string& path) override {
        auto it = files.find(path);
        if (it == files.end()) return nullptr;
        return std::unique_ptr<InputFile>(
            new MemoryInput(reinterpret_cast<const uint8_t*>(it->second.data()), it->second.size()));
    }
};

NewItem FileItem(MemoryOpener& opener, const std::string& name, const std::string& content, uint32_t dosTime = 0x5A210000) {
    opener.files[name] = content;
    NewItem item;
    item.name = name;
    item.sourcePath = name;
    item.size = content.size();
    item.dosTime = dosTime;
    item.attributes = 0x20;
    item.fileTime = 133000000000000000ull;
    return item;
}

NewItem FolderItem(const std::string& name) {
    NewItem item;
    item.name = name;
    item.dosTime = 0x5A210000;
    item.attributes = 0x10;
    return item;
}

struct CountingProgress : WriteProgress {
    std::vector<std::string> started;
    uint64_t bytes = 0;
    int cancelAfter = -1;
    bool ItemStarted(const NewItem& item, bool replacing) override {
        started.push_back((replacing ? "updating:" : "adding:") + item.name);
        return cancelAfter < 0 || static_cast<int>(started.size()) <= cancelAfter;
    }
    bool BytesDone(uint64_t n) override {
        bytes += n;
        return true;
    }
};

std::string RandomBytes(size_t n, unsigned seed) {
    std::mt19937 g(seed);
    std::string s(n, '\0');
    for (char& c : s) c = char(g());
    return s;
}

std::string Text(size_t n) {
    std::string s;
    while (s.size() < n) s += "The quick brown fox jumps over the lazy dog " + std::to_string(s.size() % 977) + "\n";
    s.resize(n);
    return s;
}

Result WriteToMemory(const std::vector<NewItem>& items, MemoryOpener& opener, const WriteOptions& options,
                     MemoryOutput* out, const Archive* old = nullptr, UpdateMode mode = kAddAndReplace) {
    CountingProgress progress;
    return WriteArchive(*out, old, BuildPlan(old, items, mode), items, opener, options, progress);
}

std::string Slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::string RunCommand(const std::string& command, int* status) {
    std::string out;
    FILE* p = popen((command + " 2>&1").c_str(), "r");
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, p)) > 0) out.append(buffer, n);
    *status = pclose(p);
    return out;
}

}  // namespace

TEST(ZipCore, SharedArchivesListAndUnpackAsTheirManifestSays) {
    for (const fyxziptest::ArchiveCase& c : fyxziptest::ArchiveCases()) {
        SCOPED_TRACE(c.file);
        std::unique_ptr<StdioInput> file = StdioInput::Open(TestData(c.file));
        ASSERT_TRUE(file);
        Archive archive;
        Result opened = archive.Open(file.get());
        ASSERT_EQ(c.opened, opened) << ResultText(opened);
        if (opened != kOk) continue;
        if (c.entryCount >= 0) EXPECT_EQ(static_cast<size_t>(c.entryCount), archive.entries().size());
        for (const fyxziptest::ExpectedEntry& x : c.entries) {
            SCOPED_TRACE(x.name);
            const Entry* e = FindEntry(archive, x.name);
            ASSERT_NE(nullptr, e);
            EXPECT_EQ(static_cast<uint64_t>(x.size), e->size);
            std::string safe;
            if (MakeSafeRelativePath(e->name, &safe) == kNameRefused) {
                EXPECT_EQ(kUnsafeName, x.unpacked);
                continue;
            }
            CollectSink sink;
            Result r = ExtractEntry(archive, *e, c.password, sink);
            bool aes = e->storedMethod == kMethodAes;
            if (aes && !fyxcrypto::Available()) {
                EXPECT_EQ(kNoCrypto, r);
                continue;
            }
            EXPECT_EQ(x.unpacked, r) << ResultText(r);
            if (x.unpacked == kOk) EXPECT_EQ(x.crc, Crc(sink.bytes));
        }
    }
}

TEST(ZipCore, WrongOrMissingPasswordIsRefusedBeforeAnyOutput) {
    struct Case { const char* file; const char* entry; const char* password; Result expected; } cases[] = {
        {"libzip__encrypt-1234.zip", "sample.txt", "sample", kBadPassword},
        {"libzip__encrypt-1234.zip", "sample.txt", "", kNeedPassword},
        {"libzip__broken.zip", "cryptok", "wrong", kBadPassword},
        {"libzip__encrypt-aes128.zip", "encrypted", "notfoonotfoo", kBadPassword},
    };
    for (const Case& c : cases) {
        std::unique_ptr<StdioInput> file = StdioInput::Open(TestData(c.file));
        Archive archive;
        ASSERT_EQ(kOk, archive.Open(file.get()));
        const Entry* e = FindEntry(archive, c.entry);
        ASSERT_NE(nullptr, e);
        CollectSink sink;
        Result r = ExtractEntry(archive, *e, c.password, sink);
        if (e->storedMethod == kMethodAes && !fyxcrypto::Available() && *c.password) {
            EXPECT_EQ(kNoCrypto, r);
            continue;
        }
        EXPECT_EQ(c.expected, r) << c.file << " " << c.password;
        EXPECT_TRUE(sink.bytes.empty());
    }
}

TEST(ZipCore, CodePage437NamesUseGraphicCharacters) {
    std::unique_ptr<StdioInput> file = StdioInput::Open(TestData("libzip__test-cp437.zip"));
    Archive archive;
    ASSERT_EQ(kOk, archive.Open(file.get()));
    ASSERT_EQ(16u, archive.entries().size());
    EXPECT_EQ("\xe2\x98\xba\xe2\x98\xbb\xe2\x99\xa5\xe2\x99\xa6\xe2\x99\xa3\xe2\x99\xa0\xe2\x80\xa2\xe2\x97\x98"
              "\xe2\x97\x8b\xe2\x97\x99\xe2\x99\x82\xe2\x99\x80\xe2\x99\xaa\xe2\x99\xab\xe2\x98\xbc\xe2\x96\xba",
              archive.entries()[0].name);
    EXPECT_EQ("\xc3\xbc\xc3\xa9\xc3\xa2\xc3\xa4\xc3\xa0\xc3\xa5\xc3\xa7\xc3\xaa\xc3\xab\xc3\xa8\xc3\xaf\xc3\xae"
              "\xc3\xac\xc3\x84\xc3\x85\xc3\x89",
              archive.entries()[8].name);
    // Every byte maps to one character and back.
    std::string all;
    for (int b = 1; b < 256; ++b) all += char(b);
    std::string back;
    ASSERT_TRUE(Utf8ToCp437(Cp437ToUtf8(all), &back));
    EXPECT_EQ(all, back);
}

TEST(ZipCore, BigZeroInnerArchiveIsZip64WithA4GiBEntry) {
    std::unique_ptr<StdioInput> file = StdioInput::Open(TestData("libzip__bigzero-zip.zip"));
    Archive outer;
    ASSERT_EQ(kOk, outer.Open(file.get()));
    CollectSink inner;
    ASSERT_EQ(kOk, ExtractEntry(outer, outer.entries()[0], "", inner));
    MemoryInput innerFile(reinterpret_cast<const uint8_t*>(inner.bytes.data()), inner.bytes.size());
    Archive archive;
    ASSERT_EQ(kOk, archive.Open(&innerFile));
    ASSERT_EQ(1u, archive.entries().size());
    const Entry& e = archive.entries()[0];
    EXPECT_EQ("bigzero", e.name);
    EXPECT_EQ(4294967296ull, e.size);
    EXPECT_EQ(4168157ull, e.compressedSize);
    EXPECT_EQ(0xd202ef8du, e.crc);
    if (getenv("FYX_SLOW_TESTS")) {  // inflating 4 GiB takes a while under the sanitizers
        CountSink sink;
        EXPECT_EQ(kOk, ExtractEntry(archive, e, "", sink));
        EXPECT_EQ(4294967296ull, sink.bytes);
    }
}

TEST(ZipCore, SafeRelativePaths) {
    struct Case { const char* name; NameSafety safety; const char* path; } cases[] = {
        {"a/b.txt", kNameSafe, "a/b.txt"},
        {"a\\b.txt", kNameSafe, "a/b.txt"},
        {"dir/", kNameSafe, "dir"},
        {"./a//b", kNameSafe, "a/b"},
        {"../x", kNameRefused, ""},
        {"a/../../x", kNameRefused, ""},
        {"..\\..\\x", kNameRefused, ""},
        {"/etc/x", kNameChanged, "etc/x"},
        {"\\\\server\\share\\x", kNameChanged, "server/share/x"},
        {"C:\\x", kNameChanged, "x"},
        {"C:/xt", kNameChanged, "xt"},
        {"c:x", kNameChanged, "x"},
        {"x:stream", kNameChanged, "stream"},  // drive-relative
        {"dir/x:stream", kNameChanged, "dir/x_stream"},
        {"a/file.txt:ads", kNameChanged, "a/file.txt_ads"},
        {"CON", kNameChanged, "_CON"},
        {"dir/nul.txt", kNameChanged, "dir/_nul.txt"},
        {"lpt1", kNameChanged, "_lpt1"},
        {"console", kNameSafe, "console"},
        {"name. ", kNameChanged, "name__"},
        {"a?b*c|d\"e<f>g", kNameChanged, "a_b_c_d_e_f_g"},
        {"tab\tname", kNameChanged, "tab_name"},
        {"", kNameRefused, ""},
        {"/", kNameRefused, ""},
        {"...", kNameChanged, "___"},
    };
    for (const Case& c : cases) {
        std::string path;
        EXPECT_EQ(c.safety, MakeSafeRelativePath(c.name, &path)) << c.name;
        if (c.safety != kNameRefused) EXPECT_EQ(c.path, path) << c.name;
    }
}

TEST(ZipCore, WrittenArchiveReadsBackWithNamesTimesAndAttributes) {
    MemoryOpener opener;
    std::vector<NewItem> items = {
        FolderItem("docs/"),
        FileItem(opener, "docs/readme.txt", Text(100000)),
        FileItem(opener, "random.bin", RandomBytes(3 << 20, 7)),
        FileItem(opener, "empty", ""),
        FileItem(opener, "\xc3\xa4pfel/\xe2\x98\x83.txt", "snow"),
    };
    items[1].attributes = 0x21;
    for (int level : {0, 1, 6, 9}) {
        SCOPED_TRACE(level);
        WriteOptions options;
        options.level = level;
        MemoryOutput out;
        ASSERT_EQ(kOk, WriteToMemory(items, opener, options, &out));
        MemoryInput in(out.bytes.data(), out.bytes.size());
        Archive archive;
        ASSERT_EQ(kOk, archive.Open(&in));
        ASSERT_EQ(items.size(), archive.entries().size());
        for (size_t i = 0; i < items.size(); ++i) {
            const Entry& e = archive.entries()[i];
            EXPECT_EQ(items[i].name, e.name);
            EXPECT_EQ(items[i].dosTime, e.dosTime);
            EXPECT_EQ(items[i].name.back() == '/', e.isFolder);
            if (e.isFolder) continue;
            EXPECT_EQ(items[i].fileTime, e.fileTime);
            EXPECT_EQ(items[i].attributes, e.Attributes());
            EXPECT_EQ(!IsAscii(e.name), (e.flags & kFlagUtf8) != 0);
            CollectSink sink;
            ASSERT_EQ(kOk, ExtractEntry(archive, e, "", sink));
            EXPECT_EQ(opener.files[items[i].name], sink.bytes);
        }
        const Entry* random = FindEntry(archive, "random.bin");
        EXPECT_EQ(kMethodStored, random->method) << "deflate does not help random data";
        const Entry* text = FindEntry(archive, "docs/readme.txt");
        EXPECT_EQ(level == 0 ? kMethodStored : kMethodDeflated, text->method);
    }
}

TEST(ZipCore, UpdateReplacesKeepsAndDeletesEntries) {
    MemoryOpener opener;
    std::vector<NewItem> first = {FileItem(opener, "a.txt", "old a", 0x50000000), FileItem(opener, "b.txt", "old b", 0x50000000),
                                  FileItem(opener, "c.txt", "old c", 0x50000000)};
    MemoryOutput v1;
    ASSERT_EQ(kOk, WriteToMemory(first, opener, WriteOptions(), &v1));
    MemoryInput in1(v1.bytes.data(), v1.bytes.size());
    Archive old;
    ASSERT_EQ(kOk, old.Open(&in1));

    struct Case { UpdateMode mode; std::vector<std::string> names; std::vector<std::string> contents; } cases[] = {
        {kAddAndReplace, {"a.txt", "b.txt", "c.txt", "d.txt"}, {"old a", "new b", "old c", "new d"}},
        {kUpdateNewer, {"a.txt", "b.txt", "c.txt", "d.txt"}, {"old a", "new b", "old c", "new d"}},
        {kFreshenExisting, {"a.txt", "b.txt", "c.txt"}, {"old a", "new b", "old c"}},
        {kDeleteNamed, {"a.txt", "c.txt"}, {"old a", "old c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        // "B.TXT" is newer and replaces b.txt whatever its case; "c.txt" is older.
        std::vector<NewItem> items = {FileItem(opener, "B.TXT", "new b", 0x51000000),
                                      FileItem(opener, "c.txt", "stale", 0x40000000),
                                      FileItem(opener, "d.txt", "new d", 0x51000000)};
        if (c.mode == kAddAndReplace) items.erase(items.begin() + 1);
        if (c.mode == kDeleteNamed) items = {FileItem(opener, "b.txt", "", 0)};
        MemoryOutput v2;
        CountingProgress progress;
        ASSERT_EQ(kOk, WriteArchive(v2, &old, BuildPlan(&old, items, c.mode), items, opener, WriteOptions(), progress));
        MemoryInput in2(v2.bytes.data(), v2.bytes.size());
        Archive updated;
        ASSERT_EQ(kOk, updated.Open(&in2));
        ASSERT_EQ(c.names.size(), updated.entries().size());
        for (size_t i = 0; i < c.names.size(); ++i) {
            EXPECT_TRUE(SameEntryName(c.names[i], updated.entries()[i].name)) << updated.entries()[i].name;
            CollectSink sink;
            ASSERT_EQ(kOk, ExtractEntry(updated, updated.entries()[i], "", sink));
            EXPECT_EQ(c.contents[i], sink.bytes);
        }
    }
}

TEST(ZipCore, CancelStopsTheWriteWithCancelled) {
    MemoryOpener opener;
    std::vector<NewItem> items;
    for (int i = 0; i < 20; ++i) items.push_back(FileItem(opener, "f" + std::to_string(i), Text(50000 + i)));
    MemoryOutput out;
    CountingProgress progress;
    progress.cancelAfter = 5;
    EXPECT_EQ(kCancelled, WriteArchive(out, nullptr, BuildPlan(nullptr, items, kAddAndReplace), items, opener,
                                       WriteOptions(), progress));
    EXPECT_EQ(6u, progress.started.size());
}

TEST(ZipCore, MissingSourceIsLeftOutAndReported) {
    MemoryOpener opener;
    std::vector<NewItem> items = {FileItem(opener, "here", "x")};
    NewItem gone = items[0];
    gone.name = gone.sourcePath = "gone";
    items.push_back(gone);
    MemoryOutput out;
    EXPECT_EQ(kOpenError, WriteToMemory(items, opener, WriteOptions(), &out));
    MemoryInput in(out.bytes.data(), out.bytes.size());
    Archive archive;
    ASSERT_EQ(kOk, archive.Open(&in));
    ASSERT_EQ(1u, archive.entries().size());
}

TEST(ZipCore, TraditionalEncryptionRoundTrip) {
    MemoryOpener opener;
    std::vector<NewItem> items = {FileItem(opener, "secret.txt", Text(5000))};
    WriteOptions options;
    options.password = "pa55";
    MemoryOutput out;
    ASSERT_EQ(kOk, WriteToMemory(items, opener, options, &out));
    MemoryInput in(out.bytes.data(), out.bytes.size());
    Archive archive;
    ASSERT_EQ(kOk, archive.Open(&in));
    CollectSink sink;
    ASSERT_EQ(kOk, ExtractEntry(archive, archive.entries()[0], "pa55", sink));
    EXPECT_EQ(opener.files["secret.txt"], sink.bytes);
    CollectSink wrong;
    Result r = ExtractEntry(archive, archive.entries()[0], "nope", wrong);
    EXPECT_NE(kOk, r);
}

TEST(ZipCore, ManyEntriesUseZip64EndRecords) {
    MemoryOpener opener;
    std::vector<NewItem> items;
    for (int i = 0; i < 70000; ++i) items.push_back(FolderItem("d" + std::to_string(i) + "/"));
    MemoryOutput out;
    ASSERT_EQ(kOk, WriteToMemory(items, opener, WriteOptions(), &out));
    MemoryInput in(out.bytes.data(), out.bytes.size());
    Archive archive;
    ASSERT_EQ(kOk, archive.Open(&in));
    EXPECT_EQ(70000u, archive.entries().size());
}

// Hostile bytes: every cut of a valid archive and flipped bytes open or fail
// cleanly and never unpack more than the header promises.
TEST(ZipCore, TruncatedAndCorruptedArchivesFailCleanly) {
    MemoryOpener opener;
    std::vector<NewItem> items = {FileItem(opener, "a.txt", Text(3000)), FileItem(opener, "b.bin", RandomBytes(500, 3))};
    MemoryOutput out;
    ASSERT_EQ(kOk, WriteToMemory(items, opener, WriteOptions(), &out));
    for (size_t cut = 0; cut < out.bytes.size(); ++cut) {
        MemoryInput in(out.bytes.data(), cut);
        Archive archive;
        if (archive.Open(&in) != kOk) continue;
        for (const Entry& e : archive.entries()) {
            CollectSink sink;
            if (ExtractEntry(archive, e, "", sink) == kOk) EXPECT_EQ(e.size, sink.bytes.size());
        }
    }
    std::mt19937 g(11);
    for (int round = 0; round < 2000; ++round) {
        std::vector<uint8_t> bad = out.bytes;
        for (int k = 0; k < 3; ++k) bad[g() % bad.size()] ^= uint8_t(1 + g() % 255);
        MemoryInput in(bad.data(), bad.size());
        Archive archive;
        if (archive.Open(&in) != kOk) continue;
        for (const Entry& e : archive.entries()) {
            CollectSink sink;
            Result r = ExtractEntry(archive, e, "", sink);
            EXPECT_LE(sink.bytes.size(), e.size);
            if (r == kOk) EXPECT_EQ(e.crc, Crc(sink.bytes));
        }
    }
}

// Headers that lie about sizes or offsets: the data is refused, and never
// more than the stated size comes out.
TEST(ZipCore, LyingHeadersAreCaught) {
    MemoryOpener opener;
    std::vector<NewItem> items = {FileItem(opener, "one.txt", Text(20000)), FileItem(opener, "two.txt", Text(30000))};
    WriteOptions options;
    MemoryOutput out;
    ASSERT_EQ(kOk, WriteToMemory(items, opener, options, &out));
    Archive good;
    MemoryInput goodIn(out.bytes.data(), out.bytes.size());
    ASSERT_EQ(kOk, good.Open(&goodIn));
    const Entry& first = good.entries()[0];
    const size_t cd1 = static_cast<size_t>(good.centralDirectoryOffset());
    const size_t cd2 = cd1 + 46 + first.rawName.size() + first.centralExtra.size() + first.rawComment.size();
    struct Case { const char* what; size_t at; uint32_t value; size_t entry; Result expected; } cases[] = {
        {"smaller size", cd1 + 24, 100, 0, kSizeMismatch},
        {"larger size", cd1 + 24, 20001, 0, kSizeMismatch},
        {"packed size past the directory", cd1 + 20, 0x00FFFFFF, 0, kBadArchive},
        {"second entry on top of the first", cd2 + 42, 0, 1, kBadArchive},
        {"wrong CRC", cd2 + 16, 0x12345678, 1, kCrcError},
        {"method bzip2", cd1 + 10, 12, 0, kUnsupportedMethod},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> bad = out.bytes;
        for (int i = 0; i < (c.at == cd1 + 10 ? 2 : 4); ++i) bad[c.at + i] = uint8_t(c.value >> (8 * i));
        MemoryInput in(bad.data(), bad.size());
        Archive archive;
        ASSERT_EQ(kOk, archive.Open(&in));
        const Entry& e = archive.entries()[c.entry];
        CollectSink sink;
        EXPECT_EQ(c.expected, ExtractEntry(archive, e, "", sink));
        EXPECT_LE(sink.bytes.size(), e.size);
    }
}

// Debian's unzip and bsdtar must read what we write without a warning.
TEST(ZipCore, PeersTestOurArchivesWithoutWarnings) {
    if (system("command -v unzip >/dev/null && command -v bsdtar >/dev/null") != 0) GTEST_SKIP() << "no peers";
    char dirTemplate[] = "/tmp/fyxzip-peers-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(dirTemplate));
    std::string dir = dirTemplate;
    MemoryOpener opener;
    struct Case { const char* file; bool forceZip64; int level; std::string password; uint64_t inMemory; } cases[] = {
        {"plain.zip", false, 6, "", 64 << 20},
        {"zip64.zip", true, 6, "", 64 << 20},
        {"stored.zip", false, 0, "", 64 << 20},
        {"crypt.zip", false, 6, "secret", 64 << 20},
        {"streamed.zip", false, 6, "", 1000},
        {"streamed-zip64.zip", true, 9, "", 1000},
        {"streamed-crypt.zip", false, 6, "secret", 1000},
    };
    std::vector<NewItem> items = {FolderItem("folder/"), FileItem(opener, "folder/text.txt", Text(200000)),
                                  FileItem(opener, "r\xc3\xb6mer \xe2\x98\x83.txt", "non-ASCII name"),
                                  FileItem(opener, "random.bin", RandomBytes(100000, 5)),
                                  FileItem(opener, "empty.txt", "")};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        WriteOptions options;
        options.forceZip64 = c.forceZip64;
        options.level = c.level;
        options.password = c.password;
        options.inMemoryLimit = c.inMemory;
        std::string path = dir + "/" + c.file;
        std::unique_ptr<StdioOutput> out = StdioOutput::Create(path);
        CountingProgress progress;
        ASSERT_EQ(kOk, WriteArchive(*out, nullptr, BuildPlan(nullptr, items, kAddAndReplace), items, opener, options, progress));
        ASSERT_TRUE(out->Close());
        {
            std::unique_ptr<StdioInput> in = StdioInput::Open(path);
            Archive back;
            ASSERT_EQ(kOk, back.Open(in.get()));
            for (const Entry& e : back.entries()) {
                if (e.isFolder) continue;
                CollectSink sink;
                ASSERT_EQ(kOk, ExtractEntry(back, e, c.password, sink)) << e.name;
                EXPECT_TRUE(sink.bytes == opener.files[e.name]) << e.name;
                if (e.name == "random.bin") EXPECT_EQ(kMethodStored, e.method);
                if (e.name == "folder/text.txt") EXPECT_EQ(c.level ? kMethodDeflated : kMethodStored, e.method);
            }
        }
        int status = 0;
        std::string pw = c.password.empty() ? "" : " -P " + c.password;
        std::string text = RunCommand("unzip -t" + pw + " '" + path + "'", &status);
        EXPECT_EQ(0, status) << text;
        EXPECT_EQ(std::string::npos, text.find("warning")) << text;
        EXPECT_NE(std::string::npos, text.find("No errors detected")) << text;
        if (c.password.empty()) {
            text = RunCommand("bsdtar -tvf '" + path + "'", &status);
            EXPECT_EQ(0, status) << text;
            EXPECT_EQ(std::string::npos, text.find("arning")) << text;
            EXPECT_NE(std::string::npos, text.find("r\xc3\xb6mer \xe2\x98\x83.txt")) << text;
            text = RunCommand("bsdtar -xOf '" + path + "' folder/text.txt", &status);
            EXPECT_EQ(0, status);
            EXPECT_TRUE(text == opener.files["folder/text.txt"]) << "bsdtar unpacks the same bytes";
        }
    }
    // Many entries force the ZIP64 end records.
    std::vector<NewItem> many;
    for (int i = 0; i < 66000; ++i) many.push_back(FolderItem("d" + std::to_string(i) + "/"));
    many.push_back(FileItem(opener, "last.txt", "last"));
    std::string path = dir + "/many.zip";
    {
        std::unique_ptr<StdioOutput> out = StdioOutput::Create(path);
        CountingProgress progress;
        ASSERT_EQ(kOk, WriteArchive(*out, nullptr, BuildPlan(nullptr, many, kAddAndReplace), many, opener,
                                    WriteOptions(), progress));
    }
    int status = 0;
    std::string text = RunCommand("unzip -tqq '" + path + "'", &status);
    EXPECT_EQ(0, status) << text.substr(0, 2000);
    text = RunCommand("bsdtar -tf '" + path + "' | wc -l", &status);
    EXPECT_EQ(0, status);
    EXPECT_EQ(66001, atoi(text.c_str())) << text;
    RunCommand("rm -rf '" + dir + "'", &status);
}
