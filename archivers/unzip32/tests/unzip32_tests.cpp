// UNZIP32.DLL under wine: every shared archive unpacks as its manifest says,
// damaged and hostile ones fail cleanly, and the callbacks see what the
// pack/unpack tool relies on.
#include <gtest/gtest.h>

#include <stdlib.h>

#include "test_files.h"
#include "unzip_test_support.h"
#include "win32_files.h"
#include "zip_cases.h"
#include "zip_names.h"

extern "C" {
#include <zlib.h>
}

namespace unziptest {

Script g_script;

namespace {

int WINAPI OnPrint(LPSTR text, unsigned long length) {
    std::string line(text, length);
    g_script.lines.push_back(line);
    if (line.compare(0, 9, "filesize:") == 0 && ++g_script.filesizeLines == g_script.cancelAtFilesize) return -1;
    return static_cast<int>(length);
}

int WINAPI OnReplace(LPSTR name, int kind) {
    if (g_script.replace) return g_script.replace(name, kind);
    return kind == kUzQuerySelect ? int(kUzSelectFullPath) : int(kUzReplaceYes);
}

int WINAPI OnPassword(LPSTR buffer, int size, LPCSTR, LPCSTR) {
    ++g_script.passwordQuestions;
    if (g_script.password.empty()) return -1;
    lstrcpynA(buffer, g_script.password.c_str(), size);
    return 0;
}

void WINAPI OnMessage(unsigned long, unsigned long, unsigned, unsigned, unsigned, unsigned, unsigned, unsigned, char,
                      LPCSTR name, LPCSTR, unsigned long, char, unsigned long attributes, unsigned long dosTime) {
    g_script.messageNames.push_back(name);
    g_script.messageAttributes.push_back(attributes);
    g_script.messageDosTimes.push_back(dosTime);
}

}  // namespace

UnzipFn LoadUnzip() {
    wchar_t path[MAX_PATH];
    if (!SearchPathW(nullptr, L"UNZIP32.DLL", nullptr, MAX_PATH, path, nullptr)) return nullptr;
    HMODULE module = LoadLibraryW(path);
    if (!module) return nullptr;
    return reinterpret_cast<UnzipFn>(reinterpret_cast<void*>(GetProcAddress(module, "Wiz_SingleEntryUnzip")));
}

UnzipCallbacks Callbacks() {
    UnzipCallbacks cb;
    memset(&cb, 0, sizeof cb);
    cb.print = OnPrint;
    cb.replace = OnReplace;
    cb.password = OnPassword;
    cb.message = OnMessage;
    return cb;
}

UnzipOptions Options(std::string& archive, std::string& folder) {
    UnzipOptions o;
    memset(&o, 0, sizeof o);
    o.promptToOverwrite = 1;
    o.recreateFolders = 1;
    o.archiveName = &archive[0];
    o.extractFolder = &folder[0];
    return o;
}

std::wstring TestArchive(const char* name) { return ziptest::TestArchive(name); }

std::string Ansi(const std::wstring& text) { return fyxzipwin::WideToAnsi(text); }

bool ReadAll(const std::wstring& path, std::string* bytes) { return ziptest::ReadFileBytes(path, bytes); }

uint32_t Crc(const std::string& s) {
    return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(s.data()), static_cast<uInt>(s.size())));
}

}  // namespace unziptest

using namespace unziptest;

namespace {

std::wstring OnDisk(const std::wstring& folder, const std::string& entryName) {
    std::string safe;
    fyxzip::MakeSafeRelativePath(entryName, &safe);
    std::wstring path = folder + L"\\" + fyxzipwin::Utf8ToWide(safe);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

}  // namespace

TEST(Unzip32, IsFoundOnTheSearchPathAndBoundByName) { ASSERT_NE(nullptr, LoadUnzip()); }

TEST(Unzip32, SharedArchivesUnpackAsTheirManifestSays) {
    UnzipFn unzip = LoadUnzip();
    ASSERT_NE(nullptr, unzip);
    for (const fyxziptest::ArchiveCase& c : fyxziptest::ArchiveCases()) {
        SCOPED_TRACE(c.file);
        ziptest::TempDir dir;
        g_script = Script();
        g_script.password = c.password;
        std::string archive = Ansi(TestArchive(c.file)), folder = Ansi(dir.path());
        UnzipOptions options = Options(archive, folder);
        UnzipCallbacks callbacks = Callbacks();
        int result = unzip(0, nullptr, 0, nullptr, &options, &callbacks);
        bool allGood = c.opened == fyxzip::kOk;
        for (const fyxziptest::ExpectedEntry& x : c.entries) allGood = allGood && x.unpacked == fyxzip::kOk;
        if (std::string(c.file) == "zt-zip__zip-malicious-traversal-backslashes.zip" ||
            std::string(c.file) == "commons-compress__long-name.zip")
            allGood = false;  // a refused entry, a name longer than any file system allows
        if (allGood) {
            EXPECT_EQ(kUzOk, result);
        } else {
            EXPECT_NE(kUzOk, result);
        }
        if (c.opened == fyxzip::kOk && c.entryCount >= 0) {
            EXPECT_EQ(static_cast<uint32_t>(c.entryCount), callbacks.numberOfMembers);
        }
        for (const fyxziptest::ExpectedEntry& x : c.entries) {
            SCOPED_TRACE(x.name);
            std::wstring path = OnDisk(dir.path(), x.name);
            std::string bytes;
            bool folder = x.name[strlen(x.name) - 1] == '/';
            if (x.unpacked != fyxzip::kOk) {
                if (x.unpacked != fyxzip::kUnsafeName) {
                    EXPECT_FALSE(ziptest::FileExists(path)) << "no damaged output";
                }
                continue;
            }
            if (folder) {
                DWORD a = GetFileAttributesW(path.c_str());
                EXPECT_TRUE(a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY));
                continue;
            }
            ASSERT_TRUE(ReadAll(path, &bytes));
            EXPECT_EQ(static_cast<size_t>(x.size), bytes.size());
            EXPECT_EQ(x.crc, Crc(bytes));
        }
        // Nothing lands beside or above the extraction folder, nor partial files in it.
        EXPECT_FALSE(ziptest::FileExists(dir.path() + L"\\..\\xt"));
        EXPECT_FALSE(ziptest::FileExists(L"Z:\\home\\evil.txt"));
        EXPECT_FALSE(ziptest::FileExists(L"C:\\xt"));
        WIN32_FIND_DATAW fd;
        HANDLE find = FindFirstFileW((dir.path() + L"\\*.fyxpart").c_str(), &fd);
        EXPECT_EQ(INVALID_HANDLE_VALUE, find);
        if (find != INVALID_HANDLE_VALUE) FindClose(find);
    }
}

TEST(Unzip32, RefusedTraversalNamesAreReportedAndTheRestIsWritten) {
    UnzipFn unzip = LoadUnzip();
    ziptest::TempDir dir;
    std::wstring inner = dir.File(L"target");
    CreateDirectoryW(inner.c_str(), nullptr);
    g_script = Script();
    std::string archive = Ansi(TestArchive("yauzl__invalid-relative-path.zip")), folder = Ansi(inner);
    UnzipOptions options = Options(archive, folder);
    UnzipCallbacks callbacks = Callbacks();
    EXPECT_EQ(kUzWarning, unzip(0, nullptr, 0, nullptr, &options, &callbacks));
    EXPECT_FALSE(ziptest::FileExists(dir.File(L"xt")));
    EXPECT_TRUE(ziptest::FileExists(inner + L"\\b.txt"));
    bool reported = false;
    for (const std::string& l : g_script.lines) reported = reported || l.find("skipping: ../xt") != std::string::npos;
    EXPECT_TRUE(reported);
}

TEST(Unzip32, PasswordIsAskedAndAWrongOneLeavesNoFile) {
    UnzipFn unzip = LoadUnzip();
    struct Case { const char* password; int result; bool written; } cases[] = {
        {"1234", kUzOk, true}, {"sample", kUzBadPassword, false}, {"", kUzBadPassword, false}};
    for (const Case& c : cases) {
        ziptest::TempDir dir;
        g_script = Script();
        g_script.password = c.password;
        std::string archive = Ansi(TestArchive("libzip__encrypt-1234.zip")), folder = Ansi(dir.path());
        UnzipOptions options = Options(archive, folder);
        UnzipCallbacks callbacks = Callbacks();
        EXPECT_EQ(c.result, unzip(0, nullptr, 0, nullptr, &options, &callbacks)) << c.password;
        EXPECT_EQ(c.written, ziptest::FileExists(dir.File(L"sample.txt"))) << c.password;
        EXPECT_GE(g_script.passwordQuestions, 1);
        EXPECT_LE(g_script.passwordQuestions, 4) << "a remembered wrong answer must not loop";
    }
}

TEST(Unzip32, ProgressLinesAndMessageValues) {
    UnzipFn unzip = LoadUnzip();
    ziptest::TempDir dir;
    g_script = Script();
    std::string archive = Ansi(TestArchive("libzip__broken.zip")), folder = Ansi(dir.path());
    UnzipOptions options = Options(archive, folder);
    UnzipCallbacks callbacks = Callbacks();
    g_script.password = "crypt";
    EXPECT_EQ(kUzError, unzip(0, nullptr, 0, nullptr, &options, &callbacks));
    ASSERT_EQ(6u, g_script.messageNames.size());
    EXPECT_EQ(folder + "\\storedok", g_script.messageNames[0]);
    EXPECT_EQ(0u, g_script.messageAttributes[0] & 0x11u) << "a writable file";
    EXPECT_EQ(25u, g_script.messageDosTimes[0] >> 25) << "year 2005";
    // Lines: " extracting:" for stored, "  inflating:" for deflated, each followed
    // by "filesize:" lines whose first number is the running total.
    bool extracting = false, inflating = false;
    unsigned long long last = 0;
    for (const std::string& l : g_script.lines) {
        if (l.compare(0, 13, " extracting: ") == 0) extracting = extracting || l.substr(13) == folder + "\\storedok";
        if (l.compare(0, 13, "  inflating: ") == 0) inflating = inflating || l.substr(13) == folder + "\\deflateok";
        unsigned long long total = 0, piece = 0;
        if (sscanf(l.c_str(), "filesize: %llu %llu", &total, &piece) == 2) {
            EXPECT_EQ(last + piece, total);
            last = total;
        }
    }
    EXPECT_TRUE(extracting);
    EXPECT_TRUE(inflating);
}

TEST(Unzip32, CancelFromThePrintCallbackStopsAndLeavesNoPartialFile) {
    UnzipFn unzip = LoadUnzip();
    ziptest::TempDir dir;
    g_script = Script();
    g_script.cancelAtFilesize = 1;
    std::string archive = Ansi(TestArchive("libzip__broken.zip")), folder = Ansi(dir.path());
    UnzipOptions options = Options(archive, folder);
    UnzipCallbacks callbacks = Callbacks();
    EXPECT_EQ(kUzCancelled, unzip(0, nullptr, 0, nullptr, &options, &callbacks));
    EXPECT_FALSE(ziptest::FileExists(dir.File(L"storedok")));
    EXPECT_FALSE(ziptest::FileExists(dir.File(L"storedok.fyxpart")));
    EXPECT_FALSE(ziptest::FileExists(dir.File(L"deflateok")));
}

TEST(Unzip32, ExistingFilesAskTheReplaceCallback) {
    UnzipFn unzip = LoadUnzip();
    struct Case { int answer; bool always; bool replaced; } cases[] = {
        {kUzReplaceNo, false, false}, {kUzReplaceYes, false, true}, {kUzReplaceYesShort, false, true},
        {1, false, false}, {kUzReplaceNo, true, true}};
    for (const Case& c : cases) {
        ziptest::TempDir dir;
        ASSERT_TRUE(ziptest::WriteFileBytes(dir.File(L"Hello.txt"), "existing"));
        // An old time: the entry is newer.
        HANDLE h = CreateFileW(dir.File(L"Hello.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        FILETIME old = {0, 0x01000000};
        SetFileTime(h, nullptr, nullptr, &old);
        CloseHandle(h);
        g_script = Script();
        std::vector<int> kinds;
        g_script.replace = [&](const std::string&, int kind) -> int {
            kinds.push_back(kind);
            return kind == kUzQuerySelect ? kUzSelectFullPath : c.answer;
        };
        std::string archive = Ansi(TestArchive("jszip__data_descriptor.zip")), folder = Ansi(dir.path());
        UnzipOptions options = Options(archive, folder);
        options.alwaysOverwrite = c.always;
        UnzipCallbacks callbacks = Callbacks();
        EXPECT_EQ(kUzOk, unzip(0, nullptr, 0, nullptr, &options, &callbacks));
        std::string bytes;
        ASSERT_TRUE(ReadAll(dir.File(L"Hello.txt"), &bytes));
        EXPECT_EQ(c.replaced ? "Hello World\n" : "existing", bytes) << c.answer;
        if (!c.always) {
            ASSERT_EQ(2u, kinds.size());
            EXPECT_EQ(kUzQuerySelect, kinds[0]);
            EXPECT_EQ(kUzQueryOlder, kinds[1]);
        }
    }
}

TEST(Unzip32, TestingAndListingWriteNothing) {
    UnzipFn unzip = LoadUnzip();
    struct Case { bool test; int result; const char* line; } cases[] = {
        {true, kUzError, "    testing: storedok   OK"},
        {false, kUzOk, "storedok"},
    };
    for (const Case& c : cases) {
        ziptest::TempDir dir;
        g_script = Script();
        g_script.password = "crypt";
        std::string archive = Ansi(TestArchive("libzip__broken.zip")), folder = Ansi(dir.path());
        UnzipOptions options = Options(archive, folder);
        options.testOnly = c.test;
        options.verboseListing = !c.test;
        UnzipCallbacks callbacks = Callbacks();
        EXPECT_EQ(c.result, unzip(0, nullptr, 0, nullptr, &options, &callbacks));
        bool found = false;
        for (const std::string& l : g_script.lines) found = found || l.find(c.line) != std::string::npos;
        EXPECT_TRUE(found) << c.line;
        EXPECT_FALSE(ziptest::FileExists(dir.File(L"storedok")));
        if (c.test) {
            bool crcReported = false;
            for (const std::string& l : g_script.lines)
                crcReported = crcReported || l == "    testing: storedcrcerror   CRC error";
            EXPECT_TRUE(crcReported);
        }
    }
}
