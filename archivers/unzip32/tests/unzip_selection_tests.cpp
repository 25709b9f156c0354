// The selection answers of the pack/unpack tool (single entry, single
// folder, a list of folder and file records, inside an archive folder) and
// where UNZIP32.DLL puts each selected entry.
#include <gtest/gtest.h>

#include <algorithm>

#include "test_files.h"
#include "unzip_paths.h"
#include "unzip_test_support.h"
#include "win32_files.h"
#include "zip_writer.h"

using namespace unziptest;

namespace {

struct Record {
    bool folder;
    std::wstring name;
};

// The tool's answer for an entry (its name with '\'), kinds 8, 9 and 10.
int ToolSelection(int sourceKind, const std::wstring& inFolder, const std::wstring& entryName,
                  const std::vector<Record>& list, const std::wstring& name) {
    int answer = -3;
    if (sourceKind == 8) {
        answer = name == inFolder + entryName ? -1 : -3;
    } else if (sourceKind == 9) {
        if (name.compare(0, inFolder.size() + entryName.size() + 1, inFolder + entryName + L"\\") == 0)
            answer = static_cast<int>(name.find(entryName + L"\\"));
    } else {
        for (const Record& r : list) {
            if (!r.folder && name == inFolder + r.name) { answer = -1; break; }
            if (r.folder && name.compare(0, inFolder.size() + r.name.size() + 1, inFolder + r.name + L"\\") == 0) {
                answer = static_cast<int>(name.find(r.name + L"\\"));
                break;
            }
        }
    }
    if (answer >= 0 && !name.empty() && name.back() == L'\\') answer += 1000;
    return answer;
}

struct MemoryOpener : fyxzip::SourceOpener {
    std::unique_ptr<fyxzip::InputFile> Open(const std::string& path) override {
        return std::unique_ptr<fyxzip::InputFile>(
            new fyxzip::MemoryInput(reinterpret_cast<const uint8_t*>(path.data()), path.size()));
    }
};

// An archive whose file contents are their own names.
std::wstring MakeFixture(const ziptest::TempDir& dir) {
    const char* names[] = {"top.txt", "dir/", "dir/a.txt", "dir/sub/", "dir/sub/b.txt", "other/c.txt", "other/d/e.txt"};
    std::vector<fyxzip::NewItem> items;
    for (const char* n : names) {
        fyxzip::NewItem item;
        item.name = n;
        if (item.name.back() != '/') item.sourcePath = n;
        item.size = item.sourcePath.size();
        item.dosTime = 0x5A210000;
        items.push_back(item);
    }
    std::wstring path = dir.File(L"fixture.zip");
    std::unique_ptr<fyxzipwin::Win32Output> out = fyxzipwin::Win32Output::Create(path, false);
    MemoryOpener opener;
    fyxzip::WriteProgress progress;
    EXPECT_EQ(fyxzip::kOk, fyxzip::WriteArchive(*out, nullptr, fyxzip::BuildPlan(nullptr, items, fyxzip::kAddAndReplace),
                                                 items, opener, fyxzip::WriteOptions(), progress));
    out->Close();
    return path;
}

std::vector<std::wstring> FilesUnder(const std::wstring& root, const std::wstring& prefix = L"") {
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((root + L"\\" + prefix + L"*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return found;
    do {
        std::wstring n = fd.cFileName;
        if (n == L"." || n == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            found.push_back(prefix + n + L"\\");
            std::vector<std::wstring> inner = FilesUnder(root, prefix + n + L"\\");
            found.insert(found.end(), inner.begin(), inner.end());
        } else {
            found.push_back(prefix + n);
        }
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace

TEST(Unzip32Selection, AnswersPlaceEntriesAsTheToolExpects) {
    UnzipFn unzip = LoadUnzip();
    ASSERT_NE(nullptr, unzip);
    ziptest::TempDir dir;
    std::wstring fixture = MakeFixture(dir);
    struct Case {
        const char* what;
        int sourceKind;
        std::wstring inFolder, entryName;
        std::vector<Record> list;
        std::vector<std::wstring> expected;
    } cases[] = {
        {"single entry at the root", 8, L"", L"top.txt", {}, {L"top.txt"}},
        {"single entry in an archive folder", 8, L"dir\\sub\\", L"b.txt", {}, {L"b.txt"}},
        {"single folder", 9, L"", L"dir", {}, {L"dir\\", L"dir\\a.txt", L"dir\\sub\\", L"dir\\sub\\b.txt"}},
        {"single folder in an archive folder", 9, L"dir\\", L"sub", {}, {L"sub\\", L"sub\\b.txt"}},
        {"folder implied by member paths", 9, L"other\\", L"d", {}, {L"d\\", L"d\\e.txt"}},
        {"list of a file and a folder", 10, L"", L"", {{false, L"top.txt"}, {true, L"other"}},
         {L"other\\", L"other\\c.txt", L"other\\d\\", L"other\\d\\e.txt", L"top.txt"}},
        {"list in an archive folder", 10, L"dir\\", L"", {{false, L"a.txt"}, {true, L"sub"}},
         {L"a.txt", L"sub\\", L"sub\\b.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ziptest::TempDir out;
        g_script = Script();
        bool accepted = false;
        g_script.replace = [&](const std::string& name8, int kind) -> int {
            if (kind != kUzQuerySelect) {
                bool was = accepted;
                accepted = false;
                return was ? kUzReplaceYes : kUzReplaceNo;
            }
            std::wstring name = fyxzipwin::AnsiToWide(name8.c_str());
            std::replace(name.begin(), name.end(), L'/', L'\\');
            int a = ToolSelection(c.sourceKind, c.inFolder, c.entryName, c.list, name);
            if (a == -3) return -3;
            accepted = true;
            return a >= 1000 ? a - 1000 : a;
        };
        std::string archive = Ansi(fixture), folder = Ansi(out.path());
        UnzipOptions options = Options(archive, folder);
        UnzipCallbacks callbacks = Callbacks();
        EXPECT_EQ(kUzOk, unzip(0, nullptr, 0, nullptr, &options, &callbacks));
        EXPECT_EQ(c.expected, FilesUnder(out.path()));
        for (const std::wstring& f : c.expected) {
            if (f.back() == L'\\') continue;
            std::string bytes;
            ASSERT_TRUE(ReadAll(out.path() + L"\\" + f, &bytes));
            std::wstring tail = fyxzipwin::AnsiToWide(bytes.c_str());
            std::replace(tail.begin(), tail.end(), L'/', L'\\');
            EXPECT_EQ(f, tail.substr(tail.size() - f.size())) << "the content names the entry";
        }
    }
}

TEST(Unzip32Selection, ResolveSelectionKeepsTheCutSafe) {
    struct Case { const wchar_t* name; int answer; bool recreate; bool taken; const wchar_t* path; } cases[] = {
        {L"a\\b\\c.txt", kUzSelectFullPath, true, true, L"a\\b\\c.txt"},
        {L"a\\b\\c.txt", kUzSelectFullPath, false, true, L"c.txt"},
        {L"a\\b\\c.txt", kUzSelectLastPart, true, true, L"c.txt"},
        {L"a\\b\\c.txt", 2, true, true, L"b\\c.txt"},
        {L"a\\b\\", 2, true, true, L"b"},
        {L"a\\b\\c.txt", kUzSelectSkip, true, false, L""},
        {L"a\\b\\c.txt", 99, true, false, L""},
        {L"a\\b\\c.txt", -7, true, false, L""},
        {L"a\\..\\c.txt", 2, true, false, L""},
    };
    for (const Case& c : cases) {
        std::wstring path;
        EXPECT_EQ(c.taken, fyxunzip::ResolveSelection(c.name, c.answer, c.recreate, &path)) << c.name << " " << c.answer;
        if (c.taken) {
            EXPECT_EQ(c.path, path);
        }
    }
}
