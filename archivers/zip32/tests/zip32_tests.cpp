// Zip32.dll under wine, called as the pack/unpack tool calls it: packing a
// tree, progress lines, updating, deleting, and an old archive that stays
// untouched when the work is cancelled or fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "test_files.h"
#include "win32_files.h"
#include "zip_api.h"
#include "zip_extract.h"
#include "zip_reader.h"

namespace {

struct Library {
    ZpInitFn init = nullptr;
    ZpSetOptionsFn setOptions = nullptr;
    ZpArchiveFn archive = nullptr;
};

Library Load() {
    Library l;
    HMODULE m = LoadLibraryW(L"Zip32.dll");
    if (!m) return l;
    l.init = reinterpret_cast<ZpInitFn>(reinterpret_cast<void*>(GetProcAddress(m, "ZpInit")));
    l.setOptions = reinterpret_cast<ZpSetOptionsFn>(reinterpret_cast<void*>(GetProcAddress(m, "ZpSetOptions")));
    l.archive = reinterpret_cast<ZpArchiveFn>(reinterpret_cast<void*>(GetProcAddress(m, "ZpArchive")));
    return l;
}

std::vector<std::string> g_lines;
int g_cancelAtAdding = -1;  // the n-th name line returns -1
int g_namesSeen = 0;

int WINAPI OnPrint(LPSTR text, unsigned long length) {
    std::string line(text, length);
    g_lines.push_back(line);
    bool name = line.find("adding:") != std::string::npos || line.find("updating:") != std::string::npos;
    if (name && ++g_namesSeen == g_cancelAtAdding) return -1;
    return static_cast<int>(length);
}

int WINAPI OnComment(LPSTR buffer) {
    buffer[0] = 0;
    return 0;
}

int WINAPI OnPassword(LPSTR, int, LPCSTR, LPCSTR) { return 1; }

std::string Text(size_t n) {
    std::string s;
    while (s.size() < n) s += "line of text number " + std::to_string(s.size()) + "\r\n";
    s.resize(n);
    return s;
}

std::string Random(size_t n) {
    std::mt19937 g(5);
    std::string s(n, '\0');
    for (char& c : s) c = char(g());
    return s;
}

void SetTime(const std::wstring& path, uint64_t t) {
    HANDLE h = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME ft = {static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
    SetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
}

class Zip32 : public ::testing::Test {
protected:
    void SetUp() override {
        lib = Load();
        ASSERT_TRUE(lib.init && lib.setOptions && lib.archive);
        src = dir.File(L"src");
        CreateDirectoryW(src.c_str(), nullptr);
        CreateDirectoryW((src + L"\\sub").c_str(), nullptr);
        CreateDirectoryW((src + L"\\sub\\deep").c_str(), nullptr);
        CreateDirectoryW((src + L"\\empty").c_str(), nullptr);
        files = {{L"a.txt", Text(50000)}, {L"sub\\b.bin", Random(300000)}, {L"sub\\deep\\c.txt", Text(777)},
                 {L"hidden.txt", "hidden"}};
        if (GetACP() == 1252) files.push_back({L"r\u00f6mer.txt", "non-ASCII"});
        for (const auto& f : files) ASSERT_TRUE(ziptest::WriteFileBytes(src + L"\\" + f.first, f.second));
        SetFileAttributesW((src + L"\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
        for (const auto& f : files) SetTime(src + L"\\" + f.first, 130000000000000000ull);
        archive = dir.File(L"out.zip");
    }

    // Packs `names` the way the tool does; returns ZpArchive's result.
    int Pack(const std::vector<std::string>& names, bool includeHidden = true, bool deleteEntries = false) {
        g_lines.clear();
        g_namesSeen = 0;
        ZipCallbacks cb = {OnPrint, OnComment, OnPassword, nullptr};
        if (lib.init(&cb) == 0) return -100;
        ZipOptions o;
        memset(&o, 0, sizeof o);
        std::string root = fyxzipwin::WideToAnsi(src + L"\\");
        o.rootFolder = &root[0];
        o.includeSystemAndHidden = includeHidden;
        o.recurse = 1;
        o.deleteEntries = deleteEntries;
        if (!lib.setOptions(&o)) return -101;
        // The caller's strings may go away once the options are set.
        root.assign(root.size(), 'X');
        std::vector<char> block(65536, 0);
        std::vector<char*> pointers;
        size_t at = names.size() * sizeof(char*);
        for (const std::string& n : names) {
            memcpy(&block[at], n.c_str(), n.size() + 1);
            pointers.push_back(&block[at]);
            at += n.size() + 1;
        }
        memcpy(block.data(), pointers.data(), pointers.size() * sizeof(char*));
        std::string path = fyxzipwin::WideToAnsi(archive);
        ZipCommand command;
        command.count = static_cast<int32_t>(names.size());
        command.archiveName = &path[0];
        command.names = reinterpret_cast<char**>(block.data());
        return lib.archive(command);
    }

    std::map<std::string, std::string> Contents() {
        std::map<std::string, std::string> out;
        std::unique_ptr<fyxzipwin::Win32Input> in = fyxzipwin::Win32Input::Open(archive);
        if (!in) return out;
        fyxzip::Archive a;
        if (a.Open(in.get()) != fyxzip::kOk) return out;
        struct Collect : fyxzip::Sink {
            std::string bytes;
            bool Write(const uint8_t* d, size_t n) override {
                bytes.append(reinterpret_cast<const char*>(d), n);
                return true;
            }
        };
        for (const fyxzip::Entry& e : a.entries()) {
            Collect sink;
            EXPECT_EQ(fyxzip::kOk, fyxzip::ExtractEntry(a, e, "", sink)) << e.name;
            out[e.name] = e.isFolder ? "<folder>" : sink.bytes;
        }
        return out;
    }

    std::string Utf8(const std::wstring& relative) {
        std::wstring w = relative;
        std::replace(w.begin(), w.end(), L'\\', L'/');
        return fyxzipwin::WideToUtf8(w);
    }

    bool NoTempFiles() {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW(dir.File(L"fyx*.tmp").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) return true;
        FindClose(h);
        return false;
    }

    Library lib;
    ziptest::TempDir dir;
    std::wstring src, archive;
    std::vector<std::pair<std::wstring, std::string>> files;
};

}  // namespace

TEST_F(Zip32, InitRefusesMissingCallbacks) {
    EXPECT_EQ(0, lib.init(nullptr));
    ZipCallbacks none = {nullptr, nullptr, nullptr, nullptr};
    EXPECT_EQ(0, lib.init(&none));
}

TEST_F(Zip32, PacksFilesAndFoldersWithProgressLines) {
    std::vector<std::string> names = {"a.txt", "sub", "empty", "hidden.txt"};
    if (files.size() > 4) names.push_back(fyxzipwin::WideToAnsi(files[4].first));
    ASSERT_EQ(kZpOk, Pack(names));
    std::map<std::string, std::string> contents = Contents();
    for (const auto& f : files) EXPECT_EQ(f.second, contents[Utf8(f.first)]) << Utf8(f.first);
    EXPECT_EQ("<folder>", contents["sub/"]);
    EXPECT_EQ("<folder>", contents["sub/deep/"]);
    EXPECT_EQ("<folder>", contents["empty/"]);
    EXPECT_EQ(files.size() + 3, contents.size());
    // Name lines carry the path relative to the root from the 11th character;
    // byte lines add up to the packed files' sizes.
    uint64_t bytes = 0, expected = 0;
    std::vector<std::string> named;
    for (const std::string& l : g_lines) {
        if (l.find("adding:") != std::string::npos) named.push_back(l.substr(10));
        if (l[0] == 's' || (l.size() > 1 && l[1] == ':')) bytes += strtoull(l.c_str() + 3, nullptr, 10);
    }
    for (const auto& f : files) expected += f.second.size();
    EXPECT_EQ(expected, bytes);
    EXPECT_NE(named.end(), std::find(named.begin(), named.end(), "sub\\deep\\c.txt"));
    EXPECT_NE(named.end(), std::find(named.begin(), named.end(), "a.txt"));
    EXPECT_TRUE(NoTempFiles());
}

TEST_F(Zip32, HiddenFilesNeedTheOption) {
    // Found by a pattern, hidden files are left out unless asked for; a name
    // given as it stands is packed as the caller chose it.
    ASSERT_EQ(kZpOk, Pack({"*.txt"}, false));
    std::map<std::string, std::string> contents = Contents();
    EXPECT_EQ(0u, contents.count("hidden.txt"));
    EXPECT_EQ(1u, contents.count("a.txt"));
    ASSERT_EQ(kZpOk, Pack({"*.txt"}, true));
    EXPECT_EQ(1u, Contents().count("hidden.txt"));
}

TEST_F(Zip32, UpdatingReplacesAnEntryAndKeepsTheOthers) {
    ASSERT_EQ(kZpOk, Pack({"a.txt", "sub"}));
    ASSERT_TRUE(ziptest::WriteFileBytes(src + L"\\a.txt", "changed"));
    ASSERT_EQ(kZpOk, Pack({"a.txt"}));
    EXPECT_NE(g_lines.end(), std::find(g_lines.begin(), g_lines.end(), "updating: a.txt"));
    std::map<std::string, std::string> contents = Contents();
    EXPECT_EQ("changed", contents["a.txt"]);
    EXPECT_EQ(files[1].second, contents["sub/b.bin"]);
    EXPECT_EQ(5u, contents.size());
    ASSERT_EQ(kZpOk, Pack({"sub"}, true, true));
    contents = Contents();
    EXPECT_EQ(1u, contents.size()) << "the folder and everything under it are deleted";
}

TEST_F(Zip32, CancelOrFailureLeavesTheOldArchiveUntouched) {
    ASSERT_EQ(kZpOk, Pack({"a.txt", "sub"}));
    std::string before, after;
    ASSERT_TRUE(ziptest::ReadFileBytes(archive, &before));
    ASSERT_TRUE(ziptest::WriteFileBytes(src + L"\\a.txt", "changed"));
    g_cancelAtAdding = 2;
    EXPECT_EQ(kZpCancelled, Pack({"a.txt", "sub"}));
    g_cancelAtAdding = -1;
    ASSERT_TRUE(ziptest::ReadFileBytes(archive, &after));
    EXPECT_TRUE(before == after);
    EXPECT_TRUE(NoTempFiles());
    // A file that is not an archive is never replaced.
    ASSERT_TRUE(ziptest::WriteFileBytes(archive, "not an archive"));
    EXPECT_EQ(kZpFormat, Pack({"a.txt"}));
    ASSERT_TRUE(ziptest::ReadFileBytes(archive, &after));
    EXPECT_EQ("not an archive", after);
    EXPECT_TRUE(NoTempFiles());
}

TEST_F(Zip32, MissingNamesAreReportedButTheRestIsPacked) {
    EXPECT_EQ(kZpOpenError, Pack({"a.txt", "no-such-file"}));
    std::map<std::string, std::string> contents = Contents();
    EXPECT_EQ(1u, contents.size());
    EXPECT_EQ(kZpNothingToDo, Pack({"no-such-file"}));
}
